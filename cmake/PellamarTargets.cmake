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

# pellamar_test_files(<test> [TARGETS <targets...>] [FILES <files...>])
#   Copies built files (resource libraries) and source files (data the
#   program ships) beside a test executable, again whenever one changes, so
#   the test finds them in its own folder as the program does in its.
function(pellamar_test_files test)
  cmake_parse_arguments(ARG "" "" "TARGETS;FILES" ${ARGN})
  set(copies)
  foreach(target ${ARG_TARGETS})
    set(copy ${CMAKE_CURRENT_BINARY_DIR}/${target}.dll)
    add_custom_command(OUTPUT ${copy}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${target}> ${copy}
      DEPENDS ${target})
    list(APPEND copies ${copy})
  endforeach()
  foreach(file ${ARG_FILES})
    get_filename_component(name ${file} NAME)
    set(copy ${CMAKE_CURRENT_BINARY_DIR}/${name})
    add_custom_command(OUTPUT ${copy}
      COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${copy}
      DEPENDS ${file})
    list(APPEND copies ${copy})
  endforeach()
  add_custom_target(${test}_files DEPENDS ${copies})
  add_dependencies(${test} ${test}_files)
endfunction()

# pellamar_small_disk(<test> [SIZE <size>])
#   A small disk of the test's own for its full-disk cases: ctest mounts a
#   tmpfs of `size` (default 512k) before the test and unmounts it after,
#   and the test finds it through PELLAMAR_SMALL_DISK
#   (tests/support/SmallDisk.h); with no tmpfs mounted those cases skip.
function(pellamar_small_disk test)
  cmake_parse_arguments(ARG "" "SIZE" "" ${ARGN})
  if(NOT ARG_SIZE)
    set(ARG_SIZE 512k)
  endif()
  set(disk ${CMAKE_CURRENT_BINARY_DIR}/${test}.disk)
  set(script ${CMAKE_SOURCE_DIR}/tools/small-disk.sh)
  add_test(NAME ${test}_disk_mount COMMAND sh ${script} mount ${disk} ${ARG_SIZE})
  add_test(NAME ${test}_disk_unmount COMMAND sh ${script} unmount ${disk})
  set_tests_properties(${test}_disk_mount PROPERTIES FIXTURES_SETUP ${test}_disk)
  set_tests_properties(${test}_disk_unmount PROPERTIES FIXTURES_CLEANUP ${test}_disk)
  set_property(TEST ${test} APPEND PROPERTY FIXTURES_REQUIRED ${test}_disk)
  set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT PELLAMAR_SMALL_DISK=${disk})
endfunction()
