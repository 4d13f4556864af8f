# Install rules and the exported package: a host project finds the library with
#     find_package(KorvoSkin CONFIG REQUIRED)
#     target_link_libraries(app PRIVATE KorvoSkin::KorvoSkin KorvoSkin::KorvoAfxMain)
# KorvoSkin::KorvoSkin brings KorvoSkin::KorvoAfx, the framework DLL, and the headers: the umbrella
# KorvoSkin.h, include/KorvoSkin/ and the framework's own (afxwin.h and what it includes) in a
# folder of their own, include/KorvoAfx/, which the targets put on the include path so that hosts
# write #include <afxwin.h> as before without the framework's names crowding include/.
# KorvoSkin::KorvoAfxMain is the framework's program entry point, linked into executables only.
# KorvoSkin_RUNTIME_DLLS lists the DLLs a host ships beside its executable. The toolchain file of
# the build's architecture is installed beside the package and finds it by itself.
include(CMakePackageConfigHelpers)

install(TARGETS KorvoSkin KorvoAfx KorvoAfxMain EXPORT KorvoSkinTargets
        RUNTIME DESTINATION bin
        LIBRARY DESTINATION lib
        ARCHIVE DESTINATION lib
        OBJECTS DESTINATION lib/KorvoAfxMain
        INCLUDES DESTINATION include include/KorvoAfx)
install(FILES ${CMAKE_SOURCE_DIR}/include/KorvoSkin.h DESTINATION include)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/include/KorvoSkin DESTINATION include)
file(GLOB KORVO_AFX_HEADERS ${CMAKE_SOURCE_DIR}/src/afx/*.h)
install(FILES ${KORVO_AFX_HEADERS} DESTINATION include/KorvoAfx)
# The compiler's runtime DLLs, which the library's DLLs need beside them.
install(FILES ${KORVO_RUNTIME_DLLS} DESTINATION bin)

install(EXPORT KorvoSkinTargets NAMESPACE KorvoSkin:: DESTINATION lib/cmake/KorvoSkin)
# The DLLs a host ships are named one by one: the prefix's bin/ may hold other programs' DLLs.
set(KORVO_SHIPPED_DLLS KorvoSkin.dll KorvoAfx.dll)
foreach(dll ${KORVO_RUNTIME_DLLS})
    get_filename_component(name ${dll} NAME)
    list(APPEND KORVO_SHIPPED_DLLS ${name})
endforeach()
file(WRITE ${CMAKE_BINARY_DIR}/KorvoSkinConfig.cmake
     "include(\"\${CMAKE_CURRENT_LIST_DIR}/KorvoSkinTargets.cmake\")\n"
     "set(KorvoSkin_RUNTIME_DLLS)\n"
     "foreach(name ${KORVO_SHIPPED_DLLS})\n"
     "    list(APPEND KorvoSkin_RUNTIME_DLLS \"\${CMAKE_CURRENT_LIST_DIR}/../../../bin/\${name}\")\n"
     "endforeach()\n")
write_basic_package_version_file(${CMAKE_BINARY_DIR}/KorvoSkinConfigVersion.cmake VERSION 1.0.0
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/KorvoSkinConfig.cmake ${CMAKE_BINARY_DIR}/KorvoSkinConfigVersion.cmake
        ${CMAKE_SOURCE_DIR}/cmake/mingw-${CMAKE_SYSTEM_PROCESSOR}.cmake DESTINATION lib/cmake/KorvoSkin)

# The same names inside this tree, so that a host project added to it (samples/firsthost) is
# written exactly as it is against the installed package.
add_library(KorvoSkin::KorvoSkin ALIAS KorvoSkin)
add_library(KorvoSkin::KorvoAfx ALIAS KorvoAfx)
add_library(KorvoSkin::KorvoAfxMain ALIAS KorvoAfxMain)
set(KorvoSkin_RUNTIME_DLLS $<TARGET_FILE:KorvoSkin> $<TARGET_FILE:KorvoAfx> ${KORVO_RUNTIME_DLLS})
