@echo off
rem Sample DICOM script for the Windows demo: ij_dcm.bat <base name>
rem Makes <base>.dcm in the export folder from the processed image <base>.TIF: the DICOM
rem preamble and "DICM" (dicom_preamble.bin beside this script), then the image bytes.
>>"C:\TOLVA\scripts.log" echo %TIME% ij_dcm.bat %*
if not exist "C:\TOLVA\import\%~1.TIF" exit /b 1
copy /y /b "%~dp0dicom_preamble.bin" + "C:\TOLVA\import\%~1.TIF" "C:\TOLVA\export\.%~1.part" >nul
move /y "C:\TOLVA\export\.%~1.part" "C:\TOLVA\export\%~1.dcm" >nul
