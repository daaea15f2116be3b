# pixorama_library(NAME FOLDER [LINK libs...])
# A shared library from FOLDER/src/*.cpp with public headers under FOLDER/include,
# installed with its headers and exported as Pixorama::NAME.
function(pixorama_library name folder)
  cmake_parse_arguments(ARG "" "" "LINK;PRIVATE_LINK" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/src/*.cpp)
  file(GLOB_RECURSE headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/include/*.h)
  add_library(${name} SHARED ${sources} ${headers})
  add_library(Pixorama::${name} ALIAS ${name})
  target_include_directories(${name} PUBLIC
    $<BUILD_INTERFACE:${CMAKE_CURRENT_SOURCE_DIR}/include>
    $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  target_link_libraries(${name} PUBLIC ${ARG_LINK} PRIVATE ${ARG_PRIVATE_LINK})
  set_target_properties(${name} PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR})
  install(TARGETS ${name} EXPORT PixoramaTargets
          LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
          RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/include/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

  # The umbrella header <pixorama/FOLDER.h> includes every public header of the library.
  set(lines "#pragma once\n\n// Generated: the whole public interface of ${name}.\n")
  list(SORT headers)
  foreach(h IN LISTS headers)
    file(RELATIVE_PATH rel ${CMAKE_CURRENT_SOURCE_DIR}/include ${h})
    string(APPEND lines "#include <${rel}>\n")
  endforeach()
  set(umbrella ${CMAKE_BINARY_DIR}/generated/include/pixorama/${folder}.h)
  file(CONFIGURE OUTPUT ${umbrella} CONTENT "${lines}")
  target_include_directories(${name} PUBLIC $<BUILD_INTERFACE:${CMAKE_BINARY_DIR}/generated/include>)
  install(FILES ${umbrella} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/pixorama)
endfunction()
