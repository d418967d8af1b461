@echo off
rem Sample raw script for the Windows demo of lumenpoll-lite: ij_raw.bat <base name> <macro>
rem Here ImageJ writes the DICOM file itself: <base>.DCM appears in the import folder, which
rem is what lumenpoll-lite waits for (the preamble and "DICM", then the raw file's bytes).
>>"C:\TOLVA\scripts.log" echo %TIME% ij_raw.bat %*
if not exist "C:\TOLVA\import\%~1.NEF" exit /b 1
copy /y /b "%~dp0dicom_preamble.bin" + "C:\TOLVA\import\%~1.NEF" "C:\TOLVA\import\.%~1.part" >nul
move /y "C:\TOLVA\import\.%~1.part" "C:\TOLVA\import\%~1.DCM" >nul
