@echo off
rem Sample DICOM script for the Windows demo of lumenpoll-lite: ij_dcm.bat <base name>
rem Copies <base>.DCM from the import folder to the export folder.
>>"C:\TOLVA\scripts.log" echo %TIME% ij_dcm.bat %*
if not exist "C:\TOLVA\import\%~1.DCM" exit /b 1
copy /y /b "C:\TOLVA\import\%~1.DCM" "C:\TOLVA\export\.%~1.part" >nul
move /y "C:\TOLVA\export\.%~1.part" "C:\TOLVA\export\%~1.dcm" >nul
