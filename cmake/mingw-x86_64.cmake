# 64-bit Windows: the same sources, for machines whose Wine runs no 32-bit
# code. Debian's wine wrapper starts the 32-bit loader whenever wine32 is
# installed, so the tests run through Wine's 64-bit loader by its own path.
set(MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine64/wine)
