# Cross-compiles for Windows with mingw-w64, for the CMAKE_SYSTEM_PROCESSOR
# that mingw-i686.cmake or mingw-x86_64.cmake sets. The posix thread model is
# the one whose C++ runtime has std::mutex and std::thread (GoogleTest and
# hostsim's own thread need them); -static keeps its runtime inside the exe.
# Its runtime (winpthreads) imports GetTickCount64, which Windows XP lacks,
# so norqidle.exe itself, which uses no threads, is built with the win32
# thread model in a build of its own.
set(CMAKE_SYSTEM_NAME Windows)

if(NOT NORQ_THREAD_MODEL)
  set(NORQ_THREAD_MODEL posix)
endif()
set(NORQ_PROGRAM_THREAD_MODEL win32)
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES NORQ_THREAD_MODEL)

set(triplet ${CMAKE_SYSTEM_PROCESSOR}-w64-mingw32)
set(CMAKE_C_COMPILER ${triplet}-gcc-${NORQ_THREAD_MODEL})
set(CMAKE_CXX_COMPILER ${triplet}-g++-${NORQ_THREAD_MODEL})
set(CMAKE_RC_COMPILER ${triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# Tests and start-up discovery run the Windows executables under Wine (the
# scripts put this architecture's loader first on the path as "wine").
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
