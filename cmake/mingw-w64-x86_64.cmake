# Cross-builds the engine and its tests for 64-bit Windows with MinGW-w64. The programs are linked
# statically so that they run on Windows or under Wine without the compiler's DLLs.
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-compilers.cmake)

set(CMAKE_EXE_LINKER_FLAGS_INIT -static)
# ctest runs the test programs under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)
