# Every test runs in a working folder of its own, build/test-folders/NAME,
# with a settings root of its own, build/test-registries/NAME: no test reads
# the machine's settings or sees what another test (or an earlier run) left
# behind. The test postsift_test_folders empties and makes them all before
# any other test runs; the others require it.
#
# Each folder of tests calls postsift_private_folders() after its last test.
# A test's own working folder or settings root is replaced; one that must
# share a settings root with another (the Windows tests that share a wine
# prefix) says so with RESOURCE_LOCK, which is kept.

set(POSTSIFT_TEST_FOLDERS ${CMAKE_BINARY_DIR}/test-folders)
set(POSTSIFT_TEST_REGISTRIES ${CMAKE_BINARY_DIR}/test-registries)

function(postsift_private_folders)
  get_property(tests DIRECTORY PROPERTY TESTS)
  foreach(test ${tests})
    get_test_property(${test} ENVIRONMENT environment)
    if(NOT environment)
      set(environment "")
    endif()
    list(FILTER environment EXCLUDE REGEX "^POSTSIFT_REGISTRY_ROOT=")
    list(APPEND environment "POSTSIFT_REGISTRY_ROOT=${POSTSIFT_TEST_REGISTRIES}/${test}")
    set_tests_properties(${test} PROPERTIES
      WORKING_DIRECTORY ${POSTSIFT_TEST_FOLDERS}/${test}
      ENVIRONMENT "${environment}")
    set_property(TEST ${test} APPEND PROPERTY FIXTURES_REQUIRED postsift_test_folders)
    set_property(GLOBAL APPEND PROPERTY POSTSIFT_PRIVATE_TESTS ${test})
    file(MAKE_DIRECTORY ${POSTSIFT_TEST_FOLDERS}/${test} ${POSTSIFT_TEST_REGISTRIES}/${test})
  endforeach()
endfunction()

# At the end of the configuration, when every test is known: the setup test.
function(postsift_add_folder_setup)
  get_property(tests GLOBAL PROPERTY POSTSIFT_PRIVATE_TESTS)
  if(NOT tests)
    return()
  endif()
  set(list_file ${CMAKE_BINARY_DIR}/private-test-folders.txt)
  string(REPLACE ";" "\n" lines "${tests}")
  file(WRITE ${list_file} "${lines}\n")
  add_test(NAME postsift_test_folders COMMAND ${CMAKE_COMMAND}
    -DFOLDERS=${POSTSIFT_TEST_FOLDERS} -DREGISTRIES=${POSTSIFT_TEST_REGISTRIES} -DLIST=${list_file}
    -P ${CMAKE_SOURCE_DIR}/cmake/make_test_folders.cmake)
  set_tests_properties(postsift_test_folders PROPERTIES FIXTURES_SETUP postsift_test_folders)
endfunction()
cmake_language(DEFER DIRECTORY ${CMAKE_SOURCE_DIR} CALL postsift_add_folder_setup)
