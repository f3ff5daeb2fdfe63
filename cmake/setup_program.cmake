# The Windows setup program, postsift-VERSION-win32-setup.exe: cpack's NSIS
# generator with a script of our own (cmake/nsis/NSIS.template.in), from
# the 32-bit build. It installs what the install rules lay out, registers
# the plug-in of the language chosen, and keeps changed configurations on
# upgrade and uninstall.
list(APPEND CPACK_GENERATOR NSIS)
list(APPEND CMAKE_MODULE_PATH ${PROJECT_SOURCE_DIR}/cmake/nsis)
set(CPACK_PACKAGE_VENDOR "postsift maintainers")
set(CPACK_PACKAGE_INSTALL_DIRECTORY postsift)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY postsift)
# The setup program's name says what it is (read by cpack per generator).
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/package_names.cmake)

# Where the plug-in registers itself, as its sources say, so that the setup
# and the plug-in cannot disagree: the settings key, its sub-key and value.
function(postsift_source_string file pattern variable)
  file(STRINGS ${PROJECT_SOURCE_DIR}/${file} line REGEX "${pattern} = \"[^\"]*\"")
  if(NOT line MATCHES "= \"([^\"]*)\"")
    message(FATAL_ERROR "${file}: no ${pattern} for the setup program")
  endif()
  # C's "\\" is one backslash.
  string(REPLACE "\\\\" "\\" text "${CMAKE_MATCH_1}")
  set(${variable} "${text}" PARENT_SCOPE)
endfunction()
postsift_source_string(src/support/settings_key.cpp "settingsKey::path" settings_key)
postsift_source_string(src/interface/registration.cpp "registrationSubKey\\[\\]" registration_sub_key)
postsift_source_string(src/interface/registration.cpp "registrationValue\\[\\]" registration_value)

# The languages, for the script: postsiftForEachLanguage MACRO inserts
# MACRO once per language with its folder, code, name and the primary
# language id of its version resource, in the list's order.
set(rows "")
set(names "")
foreach(language ${POSTSIFT_LANGUAGES})
  string(TOUPPER ${language} upper)
  string(APPEND rows "  !insertmacro \${MACRO} ${language} ${POSTSIFT_LANGUAGE_${upper}_CODE} "
                     "\"${POSTSIFT_LANGUAGE_${upper}_NAME}\" ${POSTSIFT_LANGUAGE_${upper}_RC_PRIMARY}\n")
  list(APPEND names "${language} (${POSTSIFT_LANGUAGE_${upper}_CODE})")
endforeach()
list(POP_BACK names last_name)
list(JOIN names ", " language_list)
if(language_list)
  string(APPEND language_list " or ")
endif()
string(APPEND language_list "${last_name}")
list(GET POSTSIFT_LANGUAGES 0 first_language)
set(CPACK_POSTSIFT_NSIS_INCLUDE ${CMAKE_BINARY_DIR}/nsis/languages.nsh)
file(WRITE ${CPACK_POSTSIFT_NSIS_INCLUDE}
"; Written by CMake from POSTSIFT_LANGUAGES and the plug-in's sources.
!define POSTSIFT_FIRST_LANGUAGE ${first_language}
!define POSTSIFT_LANGUAGE_LIST \"${language_list}\"
!define POSTSIFT_REGISTRATION_KEY \"${settings_key}\\${registration_sub_key}\"
!define POSTSIFT_REGISTRATION_VALUE \"${registration_value}\"
!macro postsiftForEachLanguage MACRO
${rows}!macroend
")
