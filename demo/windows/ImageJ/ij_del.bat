@echo off
rem Sample clean-up script for the Windows demo: ij_del.bat <base name>
rem Removes the raw file and the processed image (.TIF, or .DCM for lumenpoll-lite).
>>"C:\TOLVA\scripts.log" echo %TIME% ij_del.bat %*
if "%~1"=="" exit /b 1
del /q "C:\TOLVA\import\%~1.NEF" 2>nul
del /q "C:\TOLVA\import\%~1.TIF" 2>nul
del /q "C:\TOLVA\import\%~1.DCM" 2>nul
