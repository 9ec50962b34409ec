# Cross build for 32-bit Windows, the module's real target (Debian: g++-mingw-w64-i686).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_TRIPLET i686-w64-mingw32)
# SSE2 arithmetic instead of the x87 unit, so doubles round as in the 64-bit builds. A host built
# by another compiler may call in with a stack aligned to 4 bytes only: realign where SSE needs it.
set(MINGW_CPU_FLAGS "-msse2 -mfpmath=sse -mstackrealign")
include(${CMAKE_CURRENT_LIST_DIR}/MinGW.cmake)
