@echo off
rem Test stand-in: records the call in calls.log beside it (name, argument count, arguments)
rem and the folder it started in in working_folders.log.
set n=0
for %%a in (%*) do set /a n+=1
>>"%~dp0calls.log" echo %~nx0	%n%	%*
>>"%~dp0working_folders.log" echo %CD%
