@echo off
rem DICOM script: ij_dcm.bat <image>
rem Under Wine this hands the image name to the demo station's DICOM script ij_dcm.sh beside
rem it, which makes C:\TOLVA\export\<image>.dcm with dcmtk from what the raw script left
rem (on a lite station it copies <image>.DCM of the import folder). A site runs its own
rem DICOM step here (README.md, the Windows demo).
rem Absolute paths only: the 32-bit program runs it in its own folder (README.md).
>>"C:\TOLVA\scripts.log" echo %TIME% ij_dcm.bat %*
"%~dp0ij_dcm.sh" "%~1"
