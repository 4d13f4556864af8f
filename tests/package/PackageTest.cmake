# Installs the build tree to a fresh prefix, configures and builds the host project against the
# installed package, and runs the host under Wine with the installed DLLs beside it.
# The README's host example is built in the same project, taken from the README itself.
# Arguments: BUILD_DIR, HOST_DIR, README, TOOLCHAIN, WINE_RUN.
set(work ${BUILD_DIR}/package-test)
file(REMOVE_RECURSE ${work})
set(prefix ${work}/prefix)

function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "failed (${result}): ${ARGN}")
    endif()
endfunction()

file(READ ${README} readme)
string(REGEX MATCH "<!-- host-example -->\n```cpp\n(.*)```\n<!-- /host-example -->" found "${readme}")
if(NOT found)
    message(FATAL_ERROR "${README} has no host example")
endif()
file(WRITE ${work}/Example.cpp "${CMAKE_MATCH_1}")

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
run(${CMAKE_COMMAND} -S ${HOST_DIR} -B ${work}/host -G Ninja -DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN}
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=RelWithDebInfo -DEXAMPLE_SOURCE=${work}/Example.cpp)
run(${CMAKE_COMMAND} --build ${work}/host)
file(GLOB dlls ${prefix}/bin/*.dll)
file(COPY ${dlls} DESTINATION ${work}/host)
run(${WINE_RUN} ${work}/host/host.exe)
