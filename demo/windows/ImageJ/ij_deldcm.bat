@echo off
rem Start-up script: ij_deldcm.bat (no arguments)
rem Under Wine this runs the demo station's ij_deldcm.sh beside it, which clears what an
rem interrupted session left: working files and processed images, never a raw file.
rem Absolute paths only: the 32-bit program runs it in its own folder (README.md).
>>"C:\TOLVA\scripts.log" echo %TIME% ij_deldcm.bat %*
"%~dp0ij_deldcm.sh"
