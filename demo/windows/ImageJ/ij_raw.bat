@echo off
rem Raw script: ij_raw.bat <image> <macro argument>
rem The Windows demo runs under Wine, which starts a Linux program named by its Windows
rem path: this hands the arguments to the demo station's raw script ij_raw.sh beside it.
rem That runs ImageJ with <macro argument>.ijm on C:\TOLVA\import\<image>.NEF and moves the
rem processed image <image>.TIF (on a lite station the DICOM file <image>.DCM) into the
rem import folder. A site runs its own ImageJ here (README.md, the Windows demo).
rem Absolute paths only: the 32-bit program runs it in its own folder (README.md).
>>"C:\TOLVA\scripts.log" echo %TIME% ij_raw.bat %*
"%~dp0ij_raw.sh" "%~1" "%~2"
