@echo off
rem Sample raw script for the Windows demo: ij_raw.bat <base name> <macro argument>
rem A site runs ImageJ's raw macro here; this sample turns the raw file's bytes into
rem <base>.TIF in the import folder, written under another name and renamed, so that
rem lumenpoll never sees half an image.
>>"C:\TOLVA\scripts.log" echo %TIME% ij_raw.bat %*
if not exist "C:\TOLVA\import\%~1.NEF" exit /b 1
copy /y /b "C:\TOLVA\import\%~1.NEF" "C:\TOLVA\import\.%~1.part" >nul
move /y "C:\TOLVA\import\.%~1.part" "C:\TOLVA\import\%~1.TIF" >nul
