@echo off
rem Example DICOM script for lumenpoll: ij_dcm.bat <image>
rem lumenpoll starts it 3 s after it has seen C:\TOLVA\import\<image>.TIF. It makes the
rem DICOM file from the 8-bit <image>.jpg that ij_raw.bat left in the work folder, with
rem dcmtk's img2dcm, under a temporary name in the export folder, then renames it to
rem <image>.dcm, replacing the file of an earlier exposure of the same name: whoever takes
rem files from the export folder never sees half of one. Last it writes <image>.dicom into
rem the work folder: ij_del.bat, started 3 s after this script started and not after it
rem ended, waits for that file before it deletes anything. It cannot wait for <image>.dcm
rem itself, which an earlier exposure of the same name may have left.
rem
rem It runs hidden, in the 32-bit cmd.exe on 64-bit Windows and in lumenpoll's folder, and
rem nobody reads its exit code: every file is named by its full path, and what goes wrong
rem is written to the log.
setlocal
set "SCRIPT=%~nx0"

rem ---- What a site changes ------------------------------------------------------------
rem dcmtk's img2dcm, in the 64-bit Program Files folder whatever this cmd.exe's width.
set "PROGRAMS=%ProgramFiles%"
if defined ProgramW6432 set "PROGRAMS=%ProgramW6432%"
set "IMG2DCM=%PROGRAMS%\dcmtk\bin\img2dcm.exe"
rem The DICOM file's attributes: add -k "Name=value" for each that the site's archive needs.
set DICOM_ATTRIBUTES=-k "PatientName=%~1" -k "PatientID=%~1"
rem Where the DICOM files go. The temporary <image>.part is made there too, so that the
rem last step is a rename even when this folder is on another drive or a network share.
set "EXPORT=C:\TOLVA\export"
rem The work folder of ij_raw.bat.
set "WORK=C:\TOLVA\work"
set "LOG=C:\TOLVA\scripts.log"
rem ------------------------------------------------------------------------------------

set "IMAGE=%~1"
>>"%LOG%" echo %DATE% %TIME% %SCRIPT% "%~1"
if "%IMAGE%"=="" exit /b 1
if not exist "%WORK%\" goto no_work_folder
cd /d "%WORK%"
if not exist "%EXPORT%\" mkdir "%EXPORT%"
if not exist "%WORK%\%IMAGE%.jpg" goto no_jpeg
if not exist "%IMG2DCM%" goto no_img2dcm

"%IMG2DCM%" -q %DICOM_ATTRIBUTES% "%WORK%\%IMAGE%.jpg" "%EXPORT%\%IMAGE%.part"
if errorlevel 1 goto not_converted
rem Neither "||" nor the error level says whether move failed in every cmd.exe: the file
rem still there does.
move /y "%EXPORT%\%IMAGE%.part" "%EXPORT%\%IMAGE%.dcm" >nul 2>nul
if exist "%EXPORT%\%IMAGE%.part" goto not_moved
>"%WORK%\%IMAGE%.dicom" echo %DATE% %TIME%
exit /b 0

:no_work_folder
call :log "cannot use the work folder %WORK%"
exit /b 1
:no_jpeg
call :log "no %WORK%\%IMAGE%.jpg to make the DICOM file of"
exit /b 1
:no_img2dcm
call :log "no img2dcm at %IMG2DCM%"
exit /b 1
:not_converted
call :log "img2dcm could not make the DICOM file"
del /q "%EXPORT%\%IMAGE%.part" >nul 2>nul
exit /b 1
:not_moved
call :log "cannot move %EXPORT%\%IMAGE%.part to %EXPORT%\%IMAGE%.dcm"
exit /b 1

:log
>>"%LOG%" echo %DATE% %TIME% %SCRIPT% %IMAGE%: %~1
exit /b 0
