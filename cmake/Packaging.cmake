# A Debian package of the installed program: cpack -G DEB in the build tree.
set(CPACK_PACKAGE_NAME tallyfin)
set(CPACK_PACKAGE_VENDOR "Tallyfin developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "A-share trade cost calculator with chart-reading tools")
set(CPACK_PACKAGE_DESCRIPTION
    "Tallyfin shows what a trade of Chinese A-shares really costs and yields once commission, stamp\n\
duty and transfer fee are counted, reduces batches to one position, and offers golden-section\n\
levels, a screen colour picker and a screen capture to BMP. Includes tallyfin-cli.")
set(CPACK_PACKAGE_CONTACT "Tallyfin developers")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The shared-library dependencies are found by dpkg-shlibdeps; Qt's platform
# plugins and a font with Simplified Chinese glyphs are not libraries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-wqy-microhei | fonts-noto-cjk")
# qt6-wayland: native on Wayland desktops, whose screen only the desktop
# portal reads; under XWayland the portal is used all the same.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils, qt6-wayland")

include(CPack)
