# Cross toolchain for 64-bit Windows with Debian's MinGW-w64 (posix thread model,
# which GoogleTest needs). Use: cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZENTRIK_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZENTRIK_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZENTRIK_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZENTRIK_MINGW_TRIPLE}-windres)

# Look for libraries and packages only in the MinGW sysroot, never in the host's
# /usr: the host's GoogleTest is a Linux build and must not be picked up.
set(CMAKE_FIND_ROOT_PATH /usr/${ZENTRIK_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
