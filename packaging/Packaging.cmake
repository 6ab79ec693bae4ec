# What `cmake --install` puts where, and the Debian package built from it (`cpack -G DEB`).
include(GNUInstallDirs)
install(TARGETS vantrel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The sandbox's map is a developer's test level, not part of the game.
install(DIRECTORY data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/vantrel PATTERN "Sandbox.txt" EXCLUDE)
install(FILES packaging/vantrel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/Assets/icon.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps
        RENAME vantrel.png)

set(CPACK_PACKAGE_NAME vantrel)
set(CPACK_PACKAGE_VENDOR "Vantrel developers")
set(CPACK_PACKAGE_CONTACT "Vantrel developers <vantrel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Top-down stealth game: sneak, photograph monsters, wear their look")
set(CPACK_PACKAGE_INSTALL_DIRECTORY vantrel)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The libraries come from the program's own links; the font and the software GL driver are
# loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, libgl1-mesa-dri")
include(CPack)
