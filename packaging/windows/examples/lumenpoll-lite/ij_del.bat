@echo off
rem Example delete script for lumenpoll-lite: ij_del.bat <image>
rem lumenpoll-lite starts it 3 s after it STARTED ij_dcm.bat, whether or not that has ended:
rem a DICOM step slower than that (a cold start, a virus scanner) would have its inputs
rem deleted under it. So this script first waits until ij_dcm.bat has put the whole DICOM
rem file in place, which it says by writing <image>.dicom into the work folder after its
rem rename (ij_raw.bat removes that file of an earlier exposure of the same name before
rem anything else; the export folder's <image>.dcm may be that earlier exposure's). Then it
rem deletes the work files, the processed image and, last, the raw file. If the DICOM file
rem is not there in time, nothing is deleted: the raw file stays in the import folder, and
rem lumenpoll-lite says so a minute after this script started.
rem
rem It runs hidden, in the 32-bit cmd.exe on 64-bit Windows and in lumenpoll-lite's folder,
rem and nobody reads its exit code: every file is named by its full path, and what goes
rem wrong is written to the log.
setlocal
set "SCRIPT=%~nx0"

rem ---- What a site changes ------------------------------------------------------------
rem How long to wait for the DICOM file, in seconds (counted in one-second waits): less than
rem the minute after which lumenpoll-lite reports the raw file still there, so that its
rem report means this script gave up.
set "DICOM_LIMIT=50"
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

set /a waited=0
:wait_for_dicom
if exist "%WORK%\%IMAGE%.dicom" goto delete
if %waited% geq %DICOM_LIMIT% goto no_dicom
rem A second's wait: Wine, where the examples are tested, has no timeout.exe.
ping -n 2 127.0.0.1 >nul
set /a waited+=1
goto wait_for_dicom

rem The raw file goes last: a camera writes a name again only once its raw file is gone, so
rem nothing of this exposure is left for the next one of the same name to meet.
:delete
del /q "%WORK%\%IMAGE%.tif" "%WORK%\%IMAGE%.jpg" "%WORK%\%IMAGE%.imagej" "%WORK%\%IMAGE%.dcm" "%WORK%\%IMAGE%.dicom" >nul 2>nul
del /q "%IMPORT%\%IMAGE%.DCM" >nul 2>nul
del /q "%IMPORT%\%IMAGE%.NEF" >nul 2>nul
if exist "%IMPORT%\%IMAGE%.NEF" goto raw_file_kept
exit /b 0

:no_work_folder
call :log "cannot use the work folder %WORK%: nothing deleted"
exit /b 1
:no_dicom
call :log "no DICOM file within %DICOM_LIMIT% s: nothing deleted, the raw file stays"
exit /b 1
:raw_file_kept
call :log "cannot delete %IMPORT%\%IMAGE%.NEF (is it open in another program?)"
exit /b 1

:log
>>"%LOG%" echo %DATE% %TIME% %SCRIPT% %IMAGE%: %~1
exit /b 0
