# What an installation holds (folders: install_layout.cmake).
set(postsift_sample_french ${PROJECT_SOURCE_DIR}/examples/postsift.cfg)
set(postsift_sample_german ${PROJECT_SOURCE_DIR}/examples/postsift.de.cfg)

# Each language folder holds its plug-in and that language's sample as its
# postsift.cfg, so that an installed plug-in starts with the shipped options.
foreach(language french german)
  install(TARGETS postsift_${language}
    LIBRARY DESTINATION ${POSTSIFT_INSTALL_PLUGINDIR}/${language}
    RUNTIME DESTINATION ${POSTSIFT_INSTALL_PLUGINDIR}/${language})
  install(FILES ${postsift_sample_${language}}
    DESTINATION ${POSTSIFT_INSTALL_PLUGINDIR}/${language} RENAME postsift.cfg)
endforeach()

install(TARGETS postsift-filter RUNTIME DESTINATION ${POSTSIFT_INSTALL_BINDIR})
install(FILES include/postsift.h DESTINATION ${POSTSIFT_INSTALL_INCLUDEDIR})
install(FILES README.md DESTINATION ${POSTSIFT_INSTALL_DOCDIR})

if(NOT WIN32)
  # The samples again, untouched, for whoever has changed the installed ones.
  install(FILES ${postsift_sample_french} ${postsift_sample_german} DESTINATION ${POSTSIFT_INSTALL_DOCDIR})
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
