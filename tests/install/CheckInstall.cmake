# cmake -P script: install, configure the consumer, build it, run it.
file(REMOVE_RECURSE ${WORK_DIR})
set(prefix ${WORK_DIR}/prefix)

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGN}\n${out}\n${err}")
  endif()
  set(last_output "${out}" PARENT_SCOPE)
endfunction()

run(${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${prefix})
foreach(header pixorama/platform.h pixorama/common.h pixorama/parlet.h pixorama/canvo.h
               pixorama/tilemo.h pixorama/brovia.h pixorama/workbench.h)
  if(NOT EXISTS ${prefix}/include/${header})
    message(FATAL_ERROR "umbrella header ${header} was not installed")
  endif()
endforeach()
run(${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR}/build -G ${GENERATOR}
    -DCMAKE_PREFIX_PATH=${prefix} -DCMAKE_BUILD_TYPE=Release
    "-DCMAKE_CXX_FLAGS=${CONSUMER_FLAGS}" "-DCMAKE_EXE_LINKER_FLAGS=${CONSUMER_FLAGS}")
run(${CMAKE_COMMAND} --build ${WORK_DIR}/build)
run(${WORK_DIR}/build/consumer)
if(NOT last_output MATCHES "consumer ok")
  message(FATAL_ERROR "consumer printed: ${last_output}")
endif()
message(STATUS "${last_output}")

# The installed programs run from the prefix they were put in: the toolbar
# finds its images and the sample, and settings left beside the program by
# an older version move to the user's configuration folder.
set(config ${WORK_DIR}/config)
file(MAKE_DIRECTORY ${prefix}/bin/ImaPInitPara)
file(WRITE ${prefix}/bin/ImaPInitPara/ImaLoad.ini "[ImaLoad]\nInImaW=321\n")
run(${CMAKE_COMMAND} -E env --unset=PIXORAMA_HOME QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=${config}
    ${prefix}/bin/pixorama --screenshot ${WORK_DIR}/shot.png)
if(NOT last_output MATCHES "toolbar images: 13\n")
  message(FATAL_ERROR "the installed program did not show its 13 toolbar images: ${last_output}")
endif()
if(NOT EXISTS ${config}/pixorama/ImaPInitPara/ImaLoad.ini)
  message(FATAL_ERROR "settings beside the program were not carried over to ${config}/pixorama")
endif()
foreach(program pixorama pixorama-batch)
  run(${prefix}/bin/${program} --version)
  if(NOT last_output STREQUAL "${program} ${VERSION}\n")
    message(FATAL_ERROR "${program} --version printed: ${last_output}")
  endif()
endforeach()
