@echo off
rem Test stand-in, as the one for Linux: records the call and the folder it started in, then
rem writes the processed image <base>.<processed> into the import folder, after raw_delay
rem seconds or, with a decoy extension, after a decoy file and decoy_lead seconds;
rem stand_in.conf beside it sets them.
rem Each write is logged before it appears, so the log order is what the program can see.
set n=0
for %%a in (%*) do set /a n+=1
>>"%~dp0calls.log" echo ij_raw.bat	%n%	%*
>>"%~dp0working_folders.log" echo %CD%
set processed=TIF
set decoy=
set decoy_lead=7
set raw_delay=1
for /f "usebackq tokens=1,* delims==" %%a in ("%~dp0stand_in.conf") do set "%%a=%%b"
set /a pings=raw_delay+1
if defined decoy (
  >>"%~dp0calls.log" echo wrote	1	%~1.%decoy%
  type nul >"C:\TOLVA\import\%~1.%decoy%"
  set /a pings=decoy_lead+1
)
rem ping waits a second between its echoes: the batch language has no sleep.
ping -n %pings% 127.0.0.1 >nul
>>"%~dp0calls.log" echo wrote	1	%~1.%processed%
>"C:\TOLVA\import\%~1.%processed%" echo processed
