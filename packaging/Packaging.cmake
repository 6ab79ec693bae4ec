# What `cmake --install` puts where, and the Debian package built from it (`cpack -G DEB`).
# The folders are GNUInstallDirs' cache variables. By default they give Debian's layout for
# games under any prefix: the program in games/, its data in share/games/vantrel. Set like
# GNUInstallDirs' own: only when the configure line has not (a -D without a type stays
# relative).
if(NOT DEFINED CMAKE_INSTALL_BINDIR)
  set(CMAKE_INSTALL_BINDIR games CACHE PATH "The program (games)")
endif()
if(NOT DEFINED CMAKE_INSTALL_DATADIR)
  set(CMAKE_INSTALL_DATADIR share/games CACHE PATH
      "Read-only data; the game's own goes in DATADIR/vantrel (share/games)")
endif()
# GNUInstallDirs would name it after the project, with a capital.
if(NOT DEFINED CMAKE_INSTALL_DOCDIR)
  set(CMAKE_INSTALL_DOCDIR share/doc/vantrel CACHE PATH
      "The copyright and changelog (share/doc/vantrel)")
endif()
include(GNUInstallDirs)
set(VANTREL_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/vantrel)
# The program finds its data by this relative path from its own folder.
file(RELATIVE_PATH VANTREL_DATA_FROM_PROGRAM ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/vantrel)
target_compile_definitions(vantrel_game PRIVATE
  VANTREL_INSTALLED_DATA_DIR="${VANTREL_DATA_FROM_PROGRAM}")
# The reverse-DNS name that the desktop file, the metainfo and the icons share.
set(VANTREL_APP_ID org.vantrel.Vantrel)

# The package's prefix: the manual page names the data folder under it.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
if(IS_ABSOLUTE ${VANTREL_INSTALL_DATADIR})
  set(VANTREL_MAN_DATA_DIR ${VANTREL_INSTALL_DATADIR})
else()
  set(VANTREL_MAN_DATA_DIR ${CPACK_PACKAGING_INSTALL_PREFIX}/${VANTREL_INSTALL_DATADIR})
endif()
configure_file(packaging/vantrel.6 packaging/vantrel.6 @ONLY)
configure_file(packaging/changelog packaging/changelog COPYONLY)
# Both are installed compressed, as Debian wants them; without a time stamp, so that the
# package is the same whenever it is built.
set(compressed)
foreach(file vantrel.6 changelog)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${file}.gz
    COMMAND gzip -9nkf ${file}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/packaging
    DEPENDS ${CMAKE_BINARY_DIR}/packaging/${file})
  list(APPEND compressed ${CMAKE_BINARY_DIR}/packaging/${file}.gz)
endforeach()
add_custom_target(vantrel_compressed_docs ALL DEPENDS ${compressed})

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(TARGETS vantrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The sandbox's map is a developer's test level, not part of the game.
install(DIRECTORY data/ DESTINATION ${VANTREL_INSTALL_DATADIR} PATTERN "Sandbox.txt" EXCLUDE)
install(FILES packaging/${VANTREL_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES packaging/${VANTREL_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(DIRECTORY packaging/icons/ DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons)
install(FILES ${CMAKE_BINARY_DIR}/packaging/vantrel.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR "Vantrel developers")
set(CPACK_PACKAGE_CONTACT "Vantrel developers <developers@vantrel.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "top-down stealth game: sneak, photograph monsters, wear their look")
set(CPACK_PACKAGE_DESCRIPTION "\
Vantrel is a top-down 2D stealth game. Sneak through tile-map levels past
patrolling monsters with cones of sight, photograph them, and wear their look
to cross lava and water and to walk past guards that your disguise fools.

Six story levels teach the rules one at a time and two trials mix them
harder. Won levels and their best times are remembered. It plays with the
keyboard and mouse or with a game controller, full screen or in a window, and
every menu works without a mouse. The keys can be changed, and the game can
run slower for players who need more time to react.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY vantrel)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://vantrel.org/)
# The package's program is stripped. Its debug symbols stay in the build folder's own
# program, which has the same build id. (CPack's own debug package is not used: its md5sums
# name the files by their paths in the build folder.)
set(CPACK_STRIP_FILES ON)
# The libraries come from the program's own links (GL through libglvnd, whose packages
# bring a driver); the font is opened by name at run time, so it is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-dejavu-core)
# Only the package gets lintian's overrides: another distribution has no use for them.
set(CPACK_INSTALLED_DIRECTORIES ${CMAKE_SOURCE_DIR}/packaging/lintian
    ${CPACK_PACKAGING_INSTALL_PREFIX}/share/lintian/overrides)
# Read by cpack when it runs: file times from the commit, so that two builds of one commit
# give the same package.
set(CPACK_VANTREL_SOURCE_DIR ${CMAKE_SOURCE_DIR})
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/packaging/PackageTimes.cmake)
include(CPack)
