@echo off
rem Clean-up script: ij_del.bat <image>
rem Under Wine this hands the image name to the demo station's ij_del.sh beside it, which
rem deletes <image>.NEF and the processed image (.TIF or .DCM) from C:\TOLVA\import and the
rem image's working files.
rem Absolute paths only: the 32-bit program runs it in its own folder (README.md).
>>"C:\TOLVA\scripts.log" echo %TIME% ij_del.bat %*
"%~dp0ij_del.sh" "%~1"
