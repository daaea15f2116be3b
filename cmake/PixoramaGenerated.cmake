# pixorama_generated_file(TARGET TOOL OUTPUT INSTALL_DIR COMMENT)
# A file drawn by one of our own tools at build time: TOOL runs with OUTPUT
# as its argument (offscreen, without leak checks) under the target TARGET,
# which is part of ALL, and OUTPUT is installed into INSTALL_DIR.
function(pixorama_generated_file target tool output install_dir comment)
  get_filename_component(dir ${output} DIRECTORY)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen
            $<TARGET_FILE:${tool}> ${output}
    DEPENDS ${tool}
    COMMENT "${comment}")
  add_custom_target(${target} ALL DEPENDS ${output})
  install(FILES ${output} DESTINATION ${install_dir})
endfunction()
