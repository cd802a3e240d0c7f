# 64-bit Windows: the same sources, to catch handle and pointer-size slips.
set(ZMR_MINGW_TRIPLE x86_64-w64-mingw32)
set(ZMR_MINGW_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
