# lumora_library(TARGET FOLDER [USES target...] [EXCLUDE file.cpp...])
# One static library per folder of src/. Other code includes its headers as "FOLDER/Name.h" through an include
# root of its own in the build tree, which holds links to this folder's headers and nothing else: a target that
# does not link the library (directly or through one that does) cannot include them, so a dependency that is
# not declared does not build.
function(lumora_library target folder)
  cmake_parse_arguments(PARSE_ARGV 2 ARG "" "" "USES;EXCLUDE")
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  foreach(excluded IN LISTS ARG_EXCLUDE)
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${excluded})
  endforeach()
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  file(REMOVE_RECURSE ${root})
  file(MAKE_DIRECTORY ${root}/${folder})
  foreach(header IN LISTS headers)
    get_filename_component(name ${header} NAME)
    file(CREATE_LINK ${header} ${root}/${folder}/${name} SYMBOLIC)
  endforeach()
  add_library(${target} STATIC ${sources})
  # Compiled a few files at a time: most of a file's compile is the headers it shares with its neighbours.
  set_target_properties(${target} PROPERTIES UNITY_BUILD ${LUMORA_UNITY_BUILD})
  target_include_directories(${target} PUBLIC ${root})
  target_link_libraries(${target} PUBLIC ${ARG_USES})
  # The fuzzer sees how far an input went in this code; the tests' own code it need not see.
  if(LUMORA_FUZZ)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
endfunction()
