# Fails unless KorvoSkin.dll's export table is exactly the list in EXPECTED: the host API and
# nothing else. A change to the host API updates the list in the same commit, so every new
# export is one somebody chose.
cmake_policy(SET CMP0057 NEW)
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE table RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "objdump could not read ${DLL}")
endif()
string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n(.*)" tail "${table}")
set(names "")
string(REPLACE "\n" ";" lines "${CMAKE_MATCH_1}")
foreach(line ${lines})
    if(line MATCHES "^\t\\[ *[0-9]+\\] (.+)$")
        list(APPEND names "${CMAKE_MATCH_1}")
    elseif(NOT line STREQUAL "")
        break()
    endif()
endforeach()
list(SORT names)
list(LENGTH names count)
if(NOT EXISTS "${EXPECTED}")
    string(REPLACE ";" "\n" text "${names}")
    message(FATAL_ERROR "no list ${EXPECTED}; the DLL exports ${count}:\n${text}")
endif()
file(STRINGS "${EXPECTED}" expected)
list(SORT expected)
set(extra ${names})
list(REMOVE_ITEM extra ${expected})
set(missing ${expected})
list(REMOVE_ITEM missing ${names})
if(extra OR missing)
    string(REPLACE ";" "\n  " extra "${extra}")
    string(REPLACE ";" "\n  " missing "${missing}")
    message(FATAL_ERROR "the export table differs from ${EXPECTED}\nnot in the list:\n  ${extra}\nmissing:\n  ${missing}")
endif()
foreach(name InitSkin UnInitSkin LoadSkin GetSkinString GetSkinMenu GetSkinWatermark OnSkinMeasureItem
             OnSkinDrawItem OnSkinInitMenuPopup CreateSkinToolBar TrackSkinPopupMenu GetDialogBkColor
             GetMsgDialogBorderColor GetMsgDialogBackColor GetCardBackColor)
    if(NOT name IN_LIST names)
        message(FATAL_ERROR "${name} is not exported by its plain name")
    endif()
endforeach()
# The C interface (korvoskin.h) by its plain names at both pointer sizes: GetProcAddress with the
# name a host's language knows finds it, with no stdcall decoration (@8).
foreach(name KorvoSkin_Version KorvoSkin_ErrorText KorvoSkin_Init KorvoSkin_Uninit KorvoSkin_LoadSkin
             KorvoSkin_LoadSkinForSystemTheme KorvoSkin_GetString KorvoSkin_GetMenu KorvoSkin_TrackPopupMenu
             KorvoSkin_GetWatermark KorvoSkin_GetColour KorvoSkin_SkinWindow KorvoSkin_UnskinWindow
             KorvoSkin_SkinControls KorvoSkin_CreateToolBar KorvoSkin_SetSkinChangedCallback
             KorvoSkin_WatchSkin KorvoSkin_SetWatchCallback)
    if(NOT name IN_LIST names)
        message(FATAL_ERROR "${name} is not exported by its plain name")
    endif()
endforeach()
foreach(name ${names})
    if(name MATCHES "@")
        message(FATAL_ERROR "${name} is exported with a decoration")
    endif()
endforeach()
message(STATUS "KorvoSkin.dll exports exactly the ${count} names of the host API")
