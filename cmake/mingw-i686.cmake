# Cross-compiling for 32-bit Windows with Debian's MinGW-w64.
# PELMORA_THREADS picks the compilers' thread model: "win32" for what we ship
# (no thread library, so nothing newer than Windows 98 is imported), "posix"
# for the test builds (GoogleTest needs std::mutex).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)

if(NOT PELMORA_THREADS)
  set(PELMORA_THREADS posix)
endif()
set(CMAKE_C_COMPILER   ${TOOLCHAIN_PREFIX}-gcc-${PELMORA_THREADS})
set(CMAKE_CXX_COMPILER ${TOOLCHAIN_PREFIX}-g++-${PELMORA_THREADS})
set(CMAKE_RC_COMPILER  ${TOOLCHAIN_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TOOLCHAIN_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Test programs run through Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine)
