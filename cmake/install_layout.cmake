# Where `cmake --install` and the packages put each file.
#
# Windows: the layout of the build tree, which is also what an engine
# expects: postsift-filter.exe with a folder per language beside it, each
# holding postsift.dll and its postsift.cfg, so that each plug-in finds its
# own configuration.
# Linux: the usual tree below the prefix; the plug-ins, which an engine loads
# by path and no program links against, in a folder of their own.
include(GNUInstallDirs)
if(WIN32)
  set(POSTSIFT_INSTALL_BINDIR .)
  set(POSTSIFT_INSTALL_PLUGINDIR . CACHE STRING "Folder of the language folders, below the prefix")
  set(POSTSIFT_INSTALL_INCLUDEDIR include)
  set(POSTSIFT_INSTALL_DOCDIR .)
else()
  set(POSTSIFT_INSTALL_BINDIR ${CMAKE_INSTALL_BINDIR})
  set(POSTSIFT_INSTALL_PLUGINDIR lib/postsift CACHE STRING "Folder of the language folders, below the prefix")
  set(POSTSIFT_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR})
  set(POSTSIFT_INSTALL_DOCDIR ${CMAKE_INSTALL_DOCDIR})
endif()

# postsift-filter finds the installed plug-ins from its own folder.
file(RELATIVE_PATH POSTSIFT_PLUGINDIR_FROM_BINDIR
  /prefix/${POSTSIFT_INSTALL_BINDIR} /prefix/${POSTSIFT_INSTALL_PLUGINDIR})
