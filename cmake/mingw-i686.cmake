# 32-bit Windows with Debian's mingw-w64: the deliverables.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(tool_prefix i686-w64-mingw32)
set(wine_arch win32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
