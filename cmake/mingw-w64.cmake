# Cross-builds the Windows front with MinGW-w64 (64-bit) from a Linux host:
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SEASTRIP_MINGW_PREFIX x86_64-w64-mingw32 CACHE STRING "MinGW-w64 tool prefix")
set(CMAKE_C_COMPILER ${SEASTRIP_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${SEASTRIP_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${SEASTRIP_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SEASTRIP_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Header-only libraries (stb) come from the host's include folders too.
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)

# Only Windows' own DLLs at run time: no libgcc, libstdc++ or winpthread DLLs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
