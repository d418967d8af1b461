@echo off
rem Test stand-in: records the call, then writes the processed image <base>.<extension> into
rem the import folder; stand_in.txt beside it holds the extension (TIF, or DCM for the lite
rem program). Logged before it appears, so the log order is what the program can see.
set n=0
for %%a in (%*) do set /a n+=1
>>"%~dp0calls.log" echo ij_raw.bat	%n%	%*
set /p processed=<"%~dp0stand_in.txt"
>>"%~dp0calls.log" echo wrote	1	%~1.%processed%
>"C:\TOLVA\import\%~1.%processed%" echo processed
