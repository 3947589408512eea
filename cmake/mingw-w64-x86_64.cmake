# Windows x86-64 programs from Debian's MinGW-w64 (g++-mingw-w64-x86-64-posix):
#   cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

# The -posix compilers by name: the plain names follow update-alternatives, which may point at the win32 thread
# model, whose libstdc++ has no std::thread, std::mutex or std::condition_variable.
set(CRIBAXON_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${CRIBAXON_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${CRIBAXON_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${CRIBAXON_MINGW_TRIPLE}-windres)

# Libraries and headers of Windows only, never the host's; programs (the build's own tools) of the host.
list(APPEND CMAKE_FIND_ROOT_PATH /usr/${CRIBAXON_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# MinGW's run-time (libstdc++, libgcc, winpthread) linked in: a program needs no DLL that Windows lacks.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
set(CMAKE_SHARED_LINKER_FLAGS_INIT -static)
set(CMAKE_MODULE_LINKER_FLAGS_INIT -static)
