# Read by cpack once per generator (CPACK_PROJECT_CONFIG_FILE): the setup
# program is postsift-VERSION-win32-setup.exe, beside the zip of the same
# name without "-setup".
if(CPACK_GENERATOR STREQUAL "NSIS")
  set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
endif()
