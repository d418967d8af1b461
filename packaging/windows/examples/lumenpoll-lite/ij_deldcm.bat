@echo off
rem Example start-up script for lumenpoll-lite: ij_deldcm.bat (no arguments)
rem lumenpoll-lite starts it once, a second after it starts. It clears what an interrupted
rem run left: the work files and temporary DICOM files of images whose raw file is no longer
rem in the import folder. Every other script works on an image only while its raw file is
rem there (ij_del.bat deletes the raw file last), so nothing a script still uses is touched,
rem not even the scripts of a lumenpoll-lite closed a moment ago, which go on running. Raw
rem files stay (lumenpoll-lite takes them up again), and so do the DICOM files in the import
rem folder, each of which may be an image's only one. It also keeps the log from growing
rem without end: past 1 MB it becomes scripts.old.log.
rem
rem It runs hidden, in the 32-bit cmd.exe on 64-bit Windows and in lumenpoll-lite's folder,
rem and nobody reads its exit code.
setlocal
set "SCRIPT=%~nx0"

rem ---- What a site changes ------------------------------------------------------------
rem The folders of ij_raw.bat and ij_dcm.bat.
set "WORK=C:\TOLVA\work"
set "EXPORT=C:\TOLVA\export"
set "LOG=C:\TOLVA\scripts.log"
rem ------------------------------------------------------------------------------------
rem lumenpoll-lite's own folder.
set "IMPORT=C:\TOLVA\import"

if not exist "%LOG%" goto log_kept
for %%f in ("%LOG%") do if %%~zf gtr 1000000 move /y "%LOG%" "%%~dpnf.old%%~xf" >nul
:log_kept
>>"%LOG%" echo %DATE% %TIME% %SCRIPT%

rem Each file of an image is named <image>.<extension>. The loops take the files of the
rem current folder (a quoted folder with a wildcard lists nothing in Wine's cmd.exe), so
rem they run only once the change of folder has worked.
if not exist "%WORK%\" goto work_cleared
cd /d "%WORK%"
if /i not "%CD%"=="%WORK%" goto work_cleared
for %%f in (*) do if not exist "%IMPORT%\%%~nf.NEF" del /q "%%f" >nul 2>nul
:work_cleared
if not exist "%EXPORT%\" goto export_cleared
cd /d "%EXPORT%"
if /i not "%CD%"=="%EXPORT%" goto export_cleared
for %%f in (*.part) do if not exist "%IMPORT%\%%~nf.NEF" del /q "%%f" >nul 2>nul
:export_cleared
exit /b 0
