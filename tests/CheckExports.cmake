# Fails unless every exported free function of the library is in the DLL's export table by name.
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE table RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "objdump could not read ${DLL}")
endif()
set(missing "")
foreach(name InitSkin UnInitSkin LoadSkin GetSkinString GetSkinMenu GetSkinWatermark OnSkinMeasureItem
             OnSkinDrawItem OnSkinInitMenuPopup CreateSkinToolBar TrackSkinPopupMenu GetDialogBkColor
             GetMsgDialogBorderColor GetMsgDialogBackColor GetCardBackColor)
    if(NOT table MATCHES "\\] ${name}\n")
        list(APPEND missing ${name})
    endif()
endforeach()
if(missing)
    message(FATAL_ERROR "not exported by name: ${missing}")
endif()
message(STATUS "all 15 functions exported by name")
