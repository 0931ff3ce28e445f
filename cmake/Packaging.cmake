# A Debian package of the app: the program, its menu entry and icon. The shared libraries it
# needs are found by dpkg-shlibdeps; the media plugins Qt loads at run time are named by hand.
set(CPACK_PACKAGE_NAME "tavrobox")
set(CPACK_PACKAGE_VENDOR "TavroBox")
set(CPACK_PACKAGE_CONTACT "TavroBox developers <dev@tavrobox.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Drive a home-automation gateway through its cloud service")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-libav, fonts-roboto")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR "DEB")
include(CPack)
