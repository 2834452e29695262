# The Debian package, made by CPack from the same install rules as `cmake --install`
# (scripts/package.sh runs it). dpkg-shlibdeps finds the shared libraries the program
# links; what it loads at run time without linking is named here, each for its reason.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quellist)
set(CPACK_PACKAGE_VENDOR Tarnwell)
set(CPACK_PACKAGE_CONTACT "Tarnwell <${QUELLIST_SUPPORT_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "convert US zip codes to cities and states, and back")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Quellist converts lists of United States postal codes. A list of
five-digit zip codes or of cities and states, typed, loaded from text files or
taken from a sample set, becomes cities and states, or all the zip codes of
each place. The results leave as an aligned text file, a spreadsheet workbook
or the clipboard. The zip-code database ships with the program.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QUELLIST_WEBSITE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# libqt6svg6: the SVG icon engine plugin, which draws the desktop's SVG icons in the
#   file dialogs. fonts-liberation: Liberation Sans, the metric twin of the Arial the
#   window is laid out in. (Qt's X11 platform plugin comes with libqt6gui6, which the
#   program links: no qt6-qpa-plugins, which would pull libqt6network6 in.)
# libxlsxwriter4 is loaded when a workbook is written, not linked: dpkg-shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, fonts-liberation, libxlsxwriter4")
# qt6-wayland: the Wayland platform plugin. Without it a Wayland session with no
#   Xwayland (or QT_QPA_PLATFORM=wayland) cannot show the window at all; X11 sessions
#   and Wayland sessions with Xwayland, the usual case, run without it, so it is
#   recommended (apt installs it by default), not required.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "libreoffice-calc | gnumeric")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Debian wants its own copyright and changelog files in the package's doc folder.
quellist_gzip(${PROJECT_SOURCE_DIR}/packaging/changelog ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/changelog.gz
  DESTINATION ${QUELLIST_INSTALL_DOCDIR})
include(CPack)
