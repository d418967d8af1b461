@echo off
rem Example raw script for lumenpoll-lite: ij_raw.bat <image> [<macro>]
rem lumenpoll-lite starts it once it has taken the raw file C:\TOLVA\import\<image>.NEF,
rem with the image's base name and the macro argument of the selected species and region
rem (nothing when no region is selected). It runs ImageJ's batch mode with the macro
rem <macro>.ijm of the ImageJ folder on the raw file (with plain.ijm when no such macro is
rem there, so that the image is processed rather than waited for in vain). The macro writes
rem into the work folder the processed image <image>.tif, the 8-bit <image>.jpg that img2dcm
rem reads (JPEG or BMP, not TIFF) and, last, <image>.imagej. dcmtk's img2dcm then makes the
rem DICOM file of the JPEG in the work folder, and it goes into the import folder as
rem <image>.DCM by one rename that replaces the file of an earlier exposure: lumenpoll-lite
rem goes on once it sees it and must never see half of one.
rem
rem It runs hidden, in the 32-bit cmd.exe on 64-bit Windows and in lumenpoll-lite's folder,
rem and nobody reads its exit code: every file is named by its full path, and what goes
rem wrong is written to the log.
setlocal
set "SCRIPT=%~nx0"

rem ---- What a site changes ------------------------------------------------------------
rem ImageJ and dcmtk's img2dcm, in the 64-bit Program Files folder whatever this cmd.exe's
rem width.
set "PROGRAMS=%ProgramFiles%"
if defined ProgramW6432 set "PROGRAMS=%ProgramW6432%"
set "IMAGEJ=%PROGRAMS%\ImageJ\ImageJ.exe"
set "IMG2DCM=%PROGRAMS%\dcmtk\bin\img2dcm.exe"
rem The DICOM file's attributes: add -k "Name=value" for each that the site's archive needs.
set DICOM_ATTRIBUTES=-k "PatientName=%~1" -k "PatientID=%~1"
rem Where the macros are: <macro argument>.ijm and plain.ijm.
set "MACROS=C:\Program Files\ImageJ"
rem The work folder: on drive C: as the import folder is (a move across drives copies, and
rem lumenpoll-lite could see half a file), and without a blank (the macro's argument is
rem split at blanks). ij_dcm.bat, ij_del.bat and ij_deldcm.bat name the same folder.
set "WORK=C:\TOLVA\work"
rem The longest ImageJ may take, in seconds (counted in one-second waits). Then nothing is
rem moved, and the window stays at "Processing <image>.nef 2".
set "IMAGEJ_LIMIT=120"
set "LOG=C:\TOLVA\scripts.log"
rem ------------------------------------------------------------------------------------
rem lumenpoll-lite's own folder.
set "IMPORT=C:\TOLVA\import"

set "IMAGE=%~1"
>>"%LOG%" echo %DATE% %TIME% %SCRIPT% "%~1" "%~2"
if "%IMAGE%"=="" exit /b 1
if not exist "%WORK%\" mkdir "%WORK%"
if not exist "%WORK%\" goto no_work_folder
cd /d "%WORK%"

rem What an earlier exposure of this name left: above all the DICOM step's <image>.dicom,
rem which would let ij_del.bat delete this exposure before its DICOM file is copied out.
del /q "%WORK%\%IMAGE%.dicom" "%WORK%\%IMAGE%.imagej" "%WORK%\%IMAGE%.tif" "%WORK%\%IMAGE%.jpg" "%WORK%\%IMAGE%.dcm" >nul 2>nul

if "%~2"=="" goto no_macro_argument
set "MACRO=%MACROS%\%~2.ijm"
if exist "%MACRO%" goto run_imagej
call :log "no macro %~2.ijm in %MACROS%: processed with plain.ijm"
goto plain_macro
:no_macro_argument
call :log "no macro argument (no region selected): processed with plain.ijm"
:plain_macro
set "MACRO=%MACROS%\plain.ijm"

:run_imagej
if not exist "%IMAGEJ%" goto no_imagej
if not exist "%IMG2DCM%" goto no_img2dcm
rem ImageJ runs beside this script, which waits for the done file for a bounded time,
rem whether or not ImageJ's launcher waits for ImageJ to end.
start "" /b "%IMAGEJ%" -batch "%MACRO%" "%IMPORT%\%IMAGE%.NEF %WORK%\%IMAGE%.tif %WORK%\%IMAGE%.jpg %WORK%\%IMAGE%.imagej"
set /a waited=0
:wait_for_imagej
if exist "%WORK%\%IMAGE%.imagej" goto imagej_done
if %waited% geq %IMAGEJ_LIMIT% goto imagej_too_slow
rem A second's wait: Wine, where the examples are tested, has no timeout.exe.
ping -n 2 127.0.0.1 >nul
set /a waited+=1
goto wait_for_imagej

:imagej_done
if not exist "%WORK%\%IMAGE%.jpg" goto no_image
"%IMG2DCM%" -q %DICOM_ATTRIBUTES% "%WORK%\%IMAGE%.jpg" "%WORK%\%IMAGE%.dcm"
if errorlevel 1 goto not_converted
rem Neither "||" nor the error level says whether move failed in every cmd.exe: the file
rem still there does.
move /y "%WORK%\%IMAGE%.dcm" "%IMPORT%\%IMAGE%.DCM" >nul 2>nul
if exist "%WORK%\%IMAGE%.dcm" goto not_moved
exit /b 0

:no_work_folder
call :log "cannot use the work folder %WORK%"
exit /b 1
:no_imagej
call :log "no ImageJ at %IMAGEJ%"
exit /b 1
:no_img2dcm
call :log "no img2dcm at %IMG2DCM%"
exit /b 1
:imagej_too_slow
call :log "ImageJ made no image within %IMAGEJ_LIMIT% s with %MACRO%: nothing moved"
exit /b 1
:no_image
call :log "the macro %MACRO% made no %WORK%\%IMAGE%.jpg"
exit /b 1
:not_converted
call :log "img2dcm could not make the DICOM file: nothing moved"
del /q "%WORK%\%IMAGE%.dcm" >nul 2>nul
exit /b 1
:not_moved
call :log "cannot move %WORK%\%IMAGE%.dcm to %IMPORT%\%IMAGE%.DCM"
exit /b 1

:log
>>"%LOG%" echo %DATE% %TIME% %SCRIPT% %IMAGE%: %~1
exit /b 0
