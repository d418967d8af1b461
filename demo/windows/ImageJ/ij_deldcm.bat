@echo off
rem Sample start-up script for the Windows demo: ij_deldcm.bat (no arguments).
rem Clears the DICOM export folder of the previous session.
>>"C:\TOLVA\scripts.log" echo %TIME% ij_deldcm.bat %*
if not exist "C:\TOLVA\export" mkdir "C:\TOLVA\export"
del /q "C:\TOLVA\export\*" 2>nul
