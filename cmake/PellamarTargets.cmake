# pellamar_library(<name> SOURCES <files...> [DEPENDS <libs...>])
#   One static library per source folder. A folder without sources yet gets
#   an interface library, so dependents can name it already.
function(pellamar_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  if(ARG_SOURCES)
    add_library(${name} STATIC ${ARG_SOURCES})
    target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARG_DEPENDS})
  endif()
endfunction()

# pellamar_test(<name> SOURCES <files...> [LIBS <libs...>] [TIMEOUT <s>])
#   One test executable, run under Wine as a single ctest entry (per-test
#   discovery under Wine is slow). Tests run from the executable's folder.
function(pellamar_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} pellamar_gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1
           WORKING_DIRECTORY $<TARGET_FILE_DIR:${name}>)
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 600)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
endfunction()
