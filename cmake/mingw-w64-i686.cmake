# The x86 build. Nothing of it runs here (this machine executes no 32-bit code):
# it is proven by the compiler and by checks of its binaries.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(TOOLCHAIN_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
