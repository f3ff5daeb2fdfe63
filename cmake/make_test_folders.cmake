# Empties the tests' private working folders and settings roots and makes
# one of each per test named in LIST. Run by the test postsift_test_folders.
file(REMOVE_RECURSE ${FOLDERS} ${REGISTRIES})
file(STRINGS ${LIST} tests)
foreach(test ${tests})
  file(MAKE_DIRECTORY ${FOLDERS}/${test} ${REGISTRIES}/${test})
endforeach()
