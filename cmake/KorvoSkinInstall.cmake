# Install rules and the exported package: a host project finds the library with
#     find_package(KorvoSkin CONFIG REQUIRED)
#     target_link_libraries(app PRIVATE KorvoSkin::KorvoSkin KorvoSkin::KorvoAfxMain)
# KorvoSkin::KorvoSkin brings KorvoSkin::KorvoAfx, the framework DLL, and the headers: the umbrella
# KorvoSkin.h, include/KorvoSkin/ and the framework's own (afxwin.h and what it includes).
# KorvoSkin::KorvoAfxMain is the framework's program entry point, linked into executables only.
include(CMakePackageConfigHelpers)

install(TARGETS KorvoSkin KorvoAfx KorvoAfxMain EXPORT KorvoSkinTargets
        RUNTIME DESTINATION bin
        LIBRARY DESTINATION lib
        ARCHIVE DESTINATION lib
        OBJECTS DESTINATION lib/KorvoAfxMain
        INCLUDES DESTINATION include)
install(FILES ${CMAKE_SOURCE_DIR}/include/KorvoSkin.h DESTINATION include)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/include/KorvoSkin DESTINATION include)
file(GLOB KORVO_AFX_HEADERS ${CMAKE_SOURCE_DIR}/src/afx/*.h)
install(FILES ${KORVO_AFX_HEADERS} DESTINATION include)
# The compiler's runtime DLLs, which the library's DLLs need beside them.
install(FILES ${KORVO_RUNTIME_DLLS} DESTINATION bin)

install(EXPORT KorvoSkinTargets NAMESPACE KorvoSkin:: DESTINATION lib/cmake/KorvoSkin)
file(WRITE ${CMAKE_BINARY_DIR}/KorvoSkinConfig.cmake
     "include(\"\${CMAKE_CURRENT_LIST_DIR}/KorvoSkinTargets.cmake\")\n")
write_basic_package_version_file(${CMAKE_BINARY_DIR}/KorvoSkinConfigVersion.cmake VERSION 1.0.0
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/KorvoSkinConfig.cmake ${CMAKE_BINARY_DIR}/KorvoSkinConfigVersion.cmake
        DESTINATION lib/cmake/KorvoSkin)
