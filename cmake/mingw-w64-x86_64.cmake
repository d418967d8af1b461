# The same Windows programs built 64-bit: only for running the Windows tests under Wine on a
# machine whose kernel cannot run 32-bit code. Never shipped.
set(CMAKE_SYSTEM_PROCESSOR x64)
set(LUMENPOLL_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
