# Cross build for 64-bit Windows (Debian: g++-mingw-w64-x86-64). Only for running the Windows
# checks under a 64-bit Wine where the kernel cannot run 32-bit programs; the shipped module is
# the 32-bit build.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_TRIPLET x86_64-w64-mingw32)
set(MINGW_CPU_FLAGS "")
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
