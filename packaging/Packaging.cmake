# What `cmake --install` puts where, and the Debian package built from it (`cpack -G DEB`).
# Debian's layout for games, under any prefix: the program in games/, its data in
# share/games/vantrel. The program finds its data by this relative path from its own folder.
set(VANTREL_INSTALL_BINDIR games)
set(VANTREL_INSTALL_DATADIR share/games/vantrel)
file(RELATIVE_PATH VANTREL_DATA_FROM_PROGRAM /prefix/${VANTREL_INSTALL_BINDIR}
     /prefix/${VANTREL_INSTALL_DATADIR})
target_compile_definitions(vantrel_game PRIVATE
  VANTREL_INSTALLED_DATA_DIR="${VANTREL_DATA_FROM_PROGRAM}")
# The reverse-DNS name that the desktop file, the metainfo and the icons share.
set(VANTREL_APP_ID org.vantrel.Vantrel)

# The manual page and the changelog are installed compressed, as Debian wants them.
set(compressed)
foreach(file vantrel.6 changelog)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/packaging/${file}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/packaging/${file} ${file}
    COMMAND gzip -9nf ${file}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/packaging
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/${file})
  list(APPEND compressed ${CMAKE_BINARY_DIR}/packaging/${file}.gz)
endforeach()
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
add_custom_target(vantrel_compressed_docs ALL DEPENDS ${compressed})

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
install(TARGETS vantrel RUNTIME DESTINATION ${VANTREL_INSTALL_BINDIR})
# The sandbox's map is a developer's test level, not part of the game.
install(DIRECTORY data/ DESTINATION ${VANTREL_INSTALL_DATADIR} PATTERN "Sandbox.txt" EXCLUDE)
install(FILES packaging/${VANTREL_APP_ID}.desktop DESTINATION share/applications)
install(FILES packaging/${VANTREL_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(DIRECTORY packaging/icons/ DESTINATION share/icons)
install(FILES ${CMAKE_BINARY_DIR}/packaging/vantrel.6.gz DESTINATION share/man/man6)
install(FILES packaging/copyright ${CMAKE_BINARY_DIR}/packaging/changelog.gz
        DESTINATION share/doc/vantrel)

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
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://vantrel.org/)
# The package's program is stripped. Its debug symbols stay in the build folder's own
# program, which has the same build id. (CPack's own debug package is not used: its md5sums
# name the files by their paths in the build folder.)
set(CPACK_STRIP_FILES ON)
# The libraries come from the program's own links; the font and the software GL driver are
# loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, libgl1-mesa-dri")
include(CPack)
