# The README's host build, run as written: its three commands for this tree's architecture, in a
# scratch folder laid out as a checkout (the tree and samples/ linked in), install the tree to a
# fresh prefix and build the first host against the installed package with the toolchain file
# installed beside it. A second host project (a minimal host and the README's host example) is
# built against the same package. The hosts run under Wine where this machine runs programs of
# the architecture; building needs no Wine.
# Arguments: BUILD_DIR, SOURCE_DIR, HOST_DIR, README, ARCH, WINE_RUN, WINE_ENV.
set(work ${BUILD_DIR}/package-test)
file(REMOVE_RECURSE ${work})
file(MAKE_DIRECTORY ${work}/out)

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed (${result}): ${ARGN}")
    endif()
endfunction()

file(READ ${README} readme)
string(REGEX MATCH "<!-- package-commands ${ARCH} -->\n```sh\n([^`]*)```" found "${readme}")
if(NOT found)
    message(FATAL_ERROR "${README} has no package commands for ${ARCH}")
endif()
string(REGEX REPLACE "\n$" "" commands "${CMAKE_MATCH_1}")
string(REPLACE "\n" ";" commands "${commands}")
list(LENGTH commands count)
if(NOT count EQUAL 3)
    message(FATAL_ERROR "the README gives ${count} package commands for ${ARCH}, not three")
endif()
if(ARCH STREQUAL "x86_64")
    set(tree build)
else()
    set(tree build-${ARCH})
endif()
file(CREATE_LINK ${BUILD_DIR} ${work}/${tree} SYMBOLIC)
file(CREATE_LINK ${SOURCE_DIR}/samples ${work}/samples SYMBOLIC)
foreach(command IN LISTS commands)
    message(STATUS "package: ${command}")
    run(sh -c "${command}" WORKING_DIRECTORY ${work})
endforeach()
# The links go once used: the tree must not hold a link to itself.
file(REMOVE ${work}/${tree} ${work}/samples)
set(prefix ${work}/out/korvo-${ARCH})
set(firsthost ${work}/out/firsthost-${ARCH})
foreach(file firsthost.exe KorvoSkin.dll KorvoAfx.dll Definitions/Definitions.xml Skins/Aurora.xml Skins/Aurora/frame.bmp)
    if(NOT EXISTS ${firsthost}/${file})
        message(FATAL_ERROR "the first host built from the package lacks ${file}")
    endif()
endforeach()
# The framework's headers have a folder of their own.
if(EXISTS ${prefix}/include/afxwin.h OR NOT EXISTS ${prefix}/include/KorvoAfx/afxwin.h)
    message(FATAL_ERROR "the framework's headers are not in include/KorvoAfx/ alone")
endif()

string(REGEX MATCH "<!-- host-example -->\n```cpp\n(.*)```\n<!-- /host-example -->" found "${readme}")
if(NOT found)
    message(FATAL_ERROR "${README} has no host example")
endif()
file(WRITE ${work}/Example.cpp "${CMAKE_MATCH_1}")
run(${CMAKE_COMMAND} -S ${HOST_DIR} -B ${work}/host -G Ninja
    -DCMAKE_TOOLCHAIN_FILE=${prefix}/lib/cmake/KorvoSkin/mingw-${ARCH}.cmake
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEXAMPLE_SOURCE=${work}/Example.cpp)
run(${CMAKE_COMMAND} --build ${work}/host)
file(GLOB dlls ${prefix}/bin/*.dll)
file(COPY ${dlls} DESTINATION ${work}/host)

if(NOT ARCH STREQUAL "x86_64")
    execute_process(COMMAND bash -c "source '${WINE_ENV}' && korvo_wine32_ready" RESULT_VARIABLE runs)
    if(NOT runs EQUAL 0)
        message("package: built; host not run: this machine cannot execute 32-bit programs")
        return()
    endif()
endif()
run(${WINE_RUN} ${work}/host/host.exe)
