# libjpeg-turbo for the Windows targets: Debian's source package, cross-built once into the build tree.
set(LUMORA_LIBJPEG_DIR ${CMAKE_BINARY_DIR}/deps/libjpeg-turbo)
set(LUMORA_LIBJPEG_SOURCES ${CMAKE_SOURCE_DIR}/build/deps/src CACHE PATH "Where Debian's libjpeg-turbo source package is unpacked")
if(NOT EXISTS ${LUMORA_LIBJPEG_DIR}/lib/libjpeg.a)
  message(STATUS "Cross-building libjpeg-turbo for ${CMAKE_SYSTEM_PROCESSOR}")
  execute_process(
    COMMAND ${CMAKE_SOURCE_DIR}/scripts/build-libjpeg-win.sh ${CMAKE_TOOLCHAIN_FILE} ${LUMORA_LIBJPEG_DIR} ${LUMORA_LIBJPEG_SOURCES}
    RESULT_VARIABLE libjpeg_result)
  if(NOT libjpeg_result EQUAL 0)
    message(FATAL_ERROR "libjpeg-turbo cross-build failed")
  endif()
endif()
add_library(lumora_jpeg STATIC IMPORTED GLOBAL)
set_target_properties(lumora_jpeg PROPERTIES
  IMPORTED_LOCATION ${LUMORA_LIBJPEG_DIR}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${LUMORA_LIBJPEG_DIR}/include)
