# MinGW-w64 cross build for Windows; the per-architecture toolchain files set KIV_MINGW_ARCH and include
# this one. KIV_MINGW_THREADS picks the compilers' thread model: "win32" for the shipped programs (NT 4
# lacks what the posix model imports), "posix" for test executables, whose GoogleTest needs std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${KIV_MINGW_ARCH})
set(KIV_MINGW_TRIPLET ${KIV_MINGW_ARCH}-w64-mingw32)
if(NOT KIV_MINGW_THREADS)
  set(KIV_MINGW_THREADS win32)
endif()
set(CMAKE_C_COMPILER ${KIV_MINGW_TRIPLET}-gcc-${KIV_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${KIV_MINGW_TRIPLET}-g++-${KIV_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${KIV_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KIV_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
