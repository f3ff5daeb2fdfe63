# What an installation holds (folders: install_layout.cmake).

# Each language folder holds its plug-in and that language's shipped
# configuration as its postsift.cfg, so that an installed plug-in starts
# with the options made for listening.
foreach(language ${POSTSIFT_LANGUAGES})
  install(TARGETS postsift_${language}
    LIBRARY DESTINATION ${POSTSIFT_INSTALL_PLUGINDIR}/${language}
    RUNTIME DESTINATION ${POSTSIFT_INSTALL_PLUGINDIR}/${language})
  install(FILES ${PROJECT_SOURCE_DIR}/languages/${language}/postsift.cfg
    DESTINATION ${POSTSIFT_INSTALL_PLUGINDIR}/${language})
endforeach()

install(TARGETS postsift-filter RUNTIME DESTINATION ${POSTSIFT_INSTALL_BINDIR})
install(FILES include/postsift.h DESTINATION ${POSTSIFT_INSTALL_INCLUDEDIR})
install(FILES README.md DESTINATION ${POSTSIFT_INSTALL_DOCDIR})
# The documents that the README links to, beside it as in the tree.
file(GLOB documents CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/docs/*.md)
install(FILES ${documents} DESTINATION ${POSTSIFT_INSTALL_DOCDIR}/docs)

if(NOT WIN32)
  # The shipped configurations again, untouched, for whoever has changed
  # the installed ones: LANGUAGE.cfg each.
  foreach(language ${POSTSIFT_LANGUAGES})
    install(FILES ${PROJECT_SOURCE_DIR}/languages/${language}/postsift.cfg
      DESTINATION ${POSTSIFT_INSTALL_DOCDIR} RENAME ${language}.cfg)
  endforeach()
  # The manual lists the languages: their names in a sentence, and each
  # code with its folder.
  set(POSTSIFT_MANUAL_LANGUAGES "")
  set(names "")
  foreach(language ${POSTSIFT_LANGUAGES})
    string(TOUPPER ${language} upper)
    string(APPEND POSTSIFT_MANUAL_LANGUAGES
      ".TP\n.B ${POSTSIFT_LANGUAGE_${upper}_CODE}\n${POSTSIFT_LANGUAGE_${upper}_NAME}, in\n.IR ${language} .\n")
    list(APPEND names ${POSTSIFT_LANGUAGE_${upper}_NAME})
  endforeach()
  list(POP_BACK names last_name)
  list(JOIN names ", " POSTSIFT_MANUAL_LANGUAGE_NAMES)
  if(POSTSIFT_MANUAL_LANGUAGE_NAMES)
    string(APPEND POSTSIFT_MANUAL_LANGUAGE_NAMES " and ")
  endif()
  string(APPEND POSTSIFT_MANUAL_LANGUAGE_NAMES ${last_name})
  # Debian keeps manual pages compressed; man reads them either way.
  configure_file(host/postsift-filter.1.in ${CMAKE_BINARY_DIR}/man/postsift-filter.1 @ONLY)
  set(manual_page ${CMAKE_BINARY_DIR}/man/postsift-filter.1.gz)
  add_custom_command(OUTPUT ${manual_page}
    COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" sh ${CMAKE_BINARY_DIR}/man/postsift-filter.1 ${manual_page}
    DEPENDS ${CMAKE_BINARY_DIR}/man/postsift-filter.1
    VERBATIM)
  add_custom_target(manual_page ALL DEPENDS ${manual_page})
  install(FILES ${manual_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
