@echo off
rem Test stand-in: records the call and the folder it started in (as the others do), then
rem removes the raw file and the processed images of the given base name from the import
rem folder.
set n=0
for %%a in (%*) do set /a n+=1
>>"%~dp0calls.log" echo ij_del.bat	%n%	%*
>>"%~dp0working_folders.log" echo %CD%
if "%~1"=="" exit /b 1
del /q "C:\TOLVA\import\%~1.NEF" 2>nul
del /q "C:\TOLVA\import\%~1.TIF" 2>nul
del /q "C:\TOLVA\import\%~1.DCM" 2>nul
