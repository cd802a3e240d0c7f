# Shared part of the MinGW-w64 toolchains; the including file sets ZMR_MINGW_TRIPLE.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${ZMR_MINGW_PROCESSOR})

# The posix thread model, so std::thread and std::mutex work.
set(CMAKE_C_COMPILER ${ZMR_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZMR_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZMR_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ZMR_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# CTest runs the Windows test programs under Wine, through the project's
# wrapper that picks the loader the kernel runs.
find_program(ZMR_WINE wine REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine.sh)
