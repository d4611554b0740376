# The -posix variants: GoogleTest needs std::thread and std::mutex, which the
# -win32 thread model lacks.
set(CMAKE_C_COMPILER ${PELLWISE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${PELLWISE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${PELLWISE_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${PELLWISE_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Windows test programs run under Wine through this wrapper (timeout, private
# prefix, virtual display), both for ctest and for any build-time run.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
