@echo off
rem Test stand-in: records the call in calls.log beside it (name, argument count, arguments).
set n=0
for %%a in (%*) do set /a n+=1
>>"%~dp0calls.log" echo %~nx0	%n%	%*
