# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (package
# mingw-w64). The posix-threads variant of the compiler provides std::thread
# and std::mutex; everything is linked statically, so the result is one .exe
# that needs no DLL beside it.
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DBRENDAX_CLI_ONLY=ON ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(BRENDAX_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${BRENDAX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${BRENDAX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${BRENDAX_MINGW_TRIPLE}-windres)

# Libraries, headers and CMake packages come from the MinGW tree only, never
# from the host; programs (the build tools) from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${BRENDAX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
