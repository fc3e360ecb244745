# Cross-compiles for 64-bit Windows with Debian's mingw-w64 (posix thread model).
# Used to run the tests on hosts whose kernel cannot execute 32-bit Linux
# processes, which 32-bit Wine needs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
