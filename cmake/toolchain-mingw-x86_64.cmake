# i686 is the NT 4 target; x86_64 is built too, and is what Wine runs where 32-bit code cannot.
set(KIV_MINGW_ARCH x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
