@echo off
rem Example DICOM script for lumenpoll-lite: ij_dcm.bat <image>
rem lumenpoll-lite starts it 3 s after it has seen C:\TOLVA\import\<image>.DCM, which
rem ij_raw.bat made. It copies that file to a temporary name in the export folder, then
rem renames it to <image>.dcm, replacing the file of an earlier exposure of the same name:
rem whoever takes files from the export folder never sees half of one. Last it writes
rem <image>.dicom into the work folder: ij_del.bat, started 3 s after this script started
rem and not after it ended, waits for that file before it deletes anything. It cannot wait
rem for <image>.dcm itself, which an earlier exposure of the same name may have left.
rem
rem It runs hidden, in the 32-bit cmd.exe on 64-bit Windows and in lumenpoll-lite's folder,
rem and nobody reads its exit code: every file is named by its full path, and what goes
rem wrong is written to the log.
setlocal
set "SCRIPT=%~nx0"

rem ---- What a site changes ------------------------------------------------------------
rem Where the DICOM files go. The temporary <image>.part is made there too, so that the
rem last step is a rename even when this folder is on another drive or a network share.
set "EXPORT=C:\TOLVA\export"
rem The work folder of ij_raw.bat.
set "WORK=C:\TOLVA\work"
set "LOG=C:\TOLVA\scripts.log"
rem ------------------------------------------------------------------------------------
rem lumenpoll-lite's own folder.
set "IMPORT=C:\TOLVA\import"

set "IMAGE=%~1"
>>"%LOG%" echo %DATE% %TIME% %SCRIPT% "%~1"
if "%IMAGE%"=="" exit /b 1
if not exist "%WORK%\" goto no_work_folder
cd /d "%WORK%"
if not exist "%EXPORT%\" mkdir "%EXPORT%"
if not exist "%IMPORT%\%IMAGE%.DCM" goto no_dicom

rem copy sets the error level when it fails, but not always back to 0 when it works.
(call )
copy /y "%IMPORT%\%IMAGE%.DCM" "%EXPORT%\%IMAGE%.part" >nul 2>nul
if errorlevel 1 goto not_copied
rem Neither "||" nor the error level says whether move failed in every cmd.exe: the file
rem still there does.
move /y "%EXPORT%\%IMAGE%.part" "%EXPORT%\%IMAGE%.dcm" >nul 2>nul
if exist "%EXPORT%\%IMAGE%.part" goto not_moved
>"%WORK%\%IMAGE%.dicom" echo %DATE% %TIME%
exit /b 0

:no_work_folder
call :log "cannot use the work folder %WORK%"
exit /b 1
:no_dicom
call :log "no %IMPORT%\%IMAGE%.DCM to copy"
exit /b 1
:not_copied
call :log "cannot copy %IMPORT%\%IMAGE%.DCM to %EXPORT%"
del /q "%EXPORT%\%IMAGE%.part" >nul 2>nul
exit /b 1
:not_moved
call :log "cannot move %EXPORT%\%IMAGE%.part to %EXPORT%\%IMAGE%.dcm"
exit /b 1

:log
>>"%LOG%" echo %DATE% %TIME% %SCRIPT% %IMAGE%: %~1
exit /b 0
