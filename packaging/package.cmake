# The Debian package: `cmake --build build --target package` (or `make package`) writes
# build/tavrix_<version>_<arch>.deb with what `cmake --install` lays out under /usr.
# Library dependencies are computed from the binaries by dpkg-shlibdeps; only what the binaries
# cannot tell is declared here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavrix)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade emulator front end with romset audit")
set(CPACK_PACKAGE_DESCRIPTION
"Tavrix is a desktop front end for the arcade-board emulator Orvo. It reads
the game database, checks a directory of romset ZIP archives to find which
games are complete, shows the games in a sortable list, sets up the
emulator's video, sound and controls, and starts the emulator on the chosen
game. The interface speaks English or Korean.

The package also holds tavrix-audit, which reports incomplete games and
damaged archives on the command line, and the emulator's keyboard input
plug-in.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tavrix developers <developers@tavrix.org>")
# Emulators and what goes with them; "games" is for packages that ship games.
set(CPACK_DEBIAN_PACKAGE_SECTION otherosfs)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Korean captions need a font with Hangul; Wayland sessions need Qt's Wayland platform; a
# Windows build of the emulator runs through wine.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "wine")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

include(CPack)
