# Cross toolchain: Debian's mingw-w64 for 64-bit Windows (the build the tests run), posix thread model.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Installed with the library's package (lib/cmake/KorvoSkin/), the file also tells find_package
# where that package is, so a host project needs no prefix path.
if(EXISTS ${CMAKE_CURRENT_LIST_DIR}/KorvoSkinConfig.cmake)
    get_filename_component(KORVO_PACKAGE_PREFIX ${CMAKE_CURRENT_LIST_DIR}/../../.. ABSOLUTE)
    list(APPEND CMAKE_PREFIX_PATH ${KORVO_PACKAGE_PREFIX})
endif()
