# What both Windows cross builds share; the toolchain files set MINGW_TRIPLET and
# MINGW_CPU_FLAGS first. The results run under Wine as well as on Windows.
set(CMAKE_SYSTEM_NAME Windows)

# The posix thread flavour where it is installed, so the standard library's threads are whole.
find_program(MINGW_CXX NAMES ${MINGW_TRIPLET}-g++-posix ${MINGW_TRIPLET}-g++ REQUIRED)
find_program(MINGW_CC NAMES ${MINGW_TRIPLET}-gcc-posix ${MINGW_TRIPLET}-gcc REQUIRED)
set(CMAKE_CXX_COMPILER ${MINGW_CXX})
set(CMAKE_C_COMPILER ${MINGW_CC})
set(CMAKE_RC_COMPILER ${MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_CXX_FLAGS_INIT "${MINGW_CPU_FLAGS}")
set(CMAKE_C_FLAGS_INIT "${MINGW_CPU_FLAGS}")

# The compiler's runtime (libgcc, libstdc++, winpthread) goes into each file, so the files run
# without any DLL beyond the system's and each other.
set(MINGW_STATIC_RUNTIME "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${MINGW_STATIC_RUNTIME}")
# Exports keep their plain C names (cdecl has no decoration, but stdcall helpers would).
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${MINGW_STATIC_RUNTIME} -Wl,--kill-at")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${MINGW_STATIC_RUNTIME} -Wl,--kill-at")

# Header-only Eigen from the build machine: it holds no compiled code, so its headers serve.
if(EXISTS /usr/share/eigen3/cmake/Eigen3Config.cmake)
  set(Eigen3_DIR /usr/share/eigen3/cmake CACHE PATH "Eigen's CMake package")
endif()
