# Fails when PROGRAM imports a Windows user-interface library: the toolkit's model must build and
# run without USER32, GDI32 and GDI+.
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE imports RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "objdump could not read ${PROGRAM}")
endif()
string(TOLOWER "${imports}" imports)
foreach(dll user32.dll gdi32.dll gdiplus.dll)
  if(imports MATCHES "dll name: ${dll}")
    message(FATAL_ERROR "${PROGRAM} imports ${dll}: the toolkit model must not need a window library")
  endif()
endforeach()
