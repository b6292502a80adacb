# Links a target to system DLLs that are loaded at the first call of one of their
# functions instead of with the program. The shell, the common dialogs and COM pull in
# a dozen more DLLs; the dialogs are used only when the user opens or saves, and the
# shell's first call comes with the first save dialog or the first start of the IDE.
#
#   delay_load(TARGET DLL FUNCTION...)   the functions the target calls in that DLL
function(delay_load target dll)
  if(MSVC)
    target_link_options(${target} PUBLIC /DELAYLOAD:${dll})
    target_link_libraries(${target} PUBLIC delayimp)
    get_filename_component(name ${dll} NAME_WE)
    target_link_libraries(${target} PUBLIC ${name})
    return()
  endif()
  # MinGW: an import library of the delayed kind, made from the functions named.
  get_filename_component(name ${dll} NAME_WE)
  set(def ${CMAKE_CURRENT_BINARY_DIR}/${name}_delayed.def)
  list(JOIN ARGN "\n" exports)
  file(WRITE ${def} "LIBRARY ${dll}\nEXPORTS\n${exports}\n")
  set(library ${CMAKE_CURRENT_BINARY_DIR}/lib${name}_delayed.a)
  add_custom_command(OUTPUT ${library}
                     COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --dllname ${dll} --output-delaylib ${library}
                     DEPENDS ${def} VERBATIM)
  add_custom_target(${name}_delayed_import DEPENDS ${library})
  add_dependencies(${target} ${name}_delayed_import)
  target_link_libraries(${target} PUBLIC ${library} delayimp)
endfunction()
