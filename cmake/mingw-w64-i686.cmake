# The shipped Windows programs: 32-bit, as the station's other programs of their age, so that
# Windows virtualizes their writes under C:\Program Files for a standard account.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(LUMENPOLL_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
