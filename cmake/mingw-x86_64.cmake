# 64-bit Windows with Debian's mingw-w64: the same sources as the 32-bit deliverables,
# built to run the Windows tests under Wine on machines whose kernel runs no 32-bit
# programs (and so no 32-bit Wine).
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(tool_prefix x86_64-w64-mingw32)
set(wine_arch win64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
