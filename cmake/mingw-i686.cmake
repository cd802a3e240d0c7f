# 32-bit Windows: the shipped build.
set(ZMR_MINGW_TRIPLE i686-w64-mingw32)
set(ZMR_MINGW_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
