# Packages, made with cpack by scripts/package.sh: a .deb from a Linux
# build, a .zip and a setup program from the 32-bit Windows build. The
# contents are the installation (install.cmake).
set(CPACK_PACKAGE_NAME postsift)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "e-mail filter plug-in that makes messages fit to be read aloud")
# Debian shows the description as it stands: lines under 80 characters.
set(language_names "")
foreach(language ${POSTSIFT_LANGUAGES})
  string(TOUPPER ${language} upper)
  list(APPEND language_names ${POSTSIFT_LANGUAGE_${upper}_NAME})
endforeach()
string(JOIN ", " language_names ${language_names})
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "postsift is loaded by a text-to-speech engine as a plug-in. It turns the"
  "raw text of an e-mail message into the text to be spoken: the header"
  "becomes a short summary, dates are said in words, replies keep their"
  "history out, and emoticons, decoration and non-text parts are left out."
  "There is a plug-in for each language: ${language_names}."
  "postsift-filter, the command line stand-in for an engine, filters"
  "messages and mailboxes and can speak them with eSpeak NG.")
set(POSTSIFT_PACKAGE_CONTACT "postsift maintainers <postsift@maintainers.invalid>"
  CACHE STRING "Maintainer named in the packages")
set(CPACK_PACKAGE_CONTACT ${POSTSIFT_PACKAGE_CONTACT})
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_GENERATOR "")

if(WIN32)
  # postsift-1.0.0-win32.zip: one folder holding the installation.
  set(CPACK_GENERATOR ZIP)
  # postsift-1.0.0-win32-setup.exe, for the 32-bit product only.
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    include(cmake/setup_program.cmake)
  endif()
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION mail)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS espeak-ng)
  # The plug-ins' postsift.cfg files are meant to be edited: dpkg keeps an
  # administrator's changes on upgrade.
  set(conffiles "")
  foreach(language ${POSTSIFT_LANGUAGES})
    string(APPEND conffiles "${CPACK_PACKAGING_INSTALL_PREFIX}/${POSTSIFT_INSTALL_PLUGINDIR}/${language}/postsift.cfg\n")
  endforeach()
  file(WRITE ${CMAKE_BINARY_DIR}/debian/conffiles "${conffiles}")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/debian/conffiles)
endif()

include(CPack)
