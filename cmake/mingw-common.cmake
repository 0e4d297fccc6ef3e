# What both MinGW-w64 toolchain files share; they set CMAKE_SYSTEM_PROCESSOR
# and TARV_MINGW_PREFIX (the compiler triplet) first.
#
# The -posix compilers carry the winpthreads thread model that std::thread
# and std::mutex need. Everything is linked statically (libgcc, libstdc++,
# winpthread) so that the program imports system DLLs only.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${TARV_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TARV_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${TARV_MINGW_PREFIX}-windres)
set(CMAKE_AR ${TARV_MINGW_PREFIX}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB ${TARV_MINGW_PREFIX}-ranlib CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${TARV_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
