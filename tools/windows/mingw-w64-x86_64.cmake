# Cross build for 64-bit Windows with Debian's MinGW-w64 compilers.
# The posix thread model is the one Qt's std::thread and std::mutex need;
# the win32 flavour lacks them.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(KOVEL_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KOVEL_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KOVEL_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KOVEL_MINGW_TRIPLET}-windres)

# Libraries, headers and CMake packages come from the MinGW tree (plus the
# prefixes a caller appends, such as the Windows Qt); programs run on the
# build machine. Without ONLY, a configure step would happily pick up the
# host's own zlib or libpng and link a Windows binary against Linux code.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${KOVEL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
