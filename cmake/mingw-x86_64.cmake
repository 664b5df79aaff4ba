# 64-bit Windows: the same source, built and tested under 64-bit Wine where
# the kernel runs no 32-bit programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
