# Makes what the installer takes from the other build trees: the 64-bit lumora.scr (win64) and the sample
# pictures, drawn by the native tree's lumora_make_samples into SAMPLES_DIR. A tree not yet configured is
# configured from its preset. The test run builds both trees itself before it builds the installer, and sets
# LUMORA_SIBLING_TREES_BUILT: it builds the native tree at the same time, and two builds in one tree collide.
function(build_in tree preset target)
  if(NOT EXISTS ${tree}/CMakeCache.txt)
    execute_process(COMMAND ${CMAKE_COMMAND} --preset ${preset} -B ${tree} WORKING_DIRECTORY ${SOURCE_DIR}
                    COMMAND_ERROR_IS_FATAL ANY)
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} --build ${tree} --target ${target} COMMAND_ERROR_IS_FATAL ANY)
endfunction()

if(NOT DEFINED ENV{LUMORA_SIBLING_TREES_BUILT})
  build_in(${WIN64_DIR} win64 lumora)
  build_in(${NATIVE_DIR} native lumora_make_samples)
endif()
file(REMOVE_RECURSE ${SAMPLES_DIR})
execute_process(COMMAND ${NATIVE_DIR}/samples/lumora_make_samples ${SAMPLES_DIR} OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
