@echo off
rem Test stand-in: records the call, then removes the raw file and the processed images of
rem the given base name from the import folder.
set n=0
for %%a in (%*) do set /a n+=1
>>"%~dp0calls.log" echo ij_del.bat	%n%	%*
if "%~1"=="" exit /b 1
del /q "C:\TOLVA\import\%~1.NEF" 2>nul
del /q "C:\TOLVA\import\%~1.TIF" 2>nul
del /q "C:\TOLVA\import\%~1.DCM" 2>nul
