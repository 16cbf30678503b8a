# A Debian package of everything `cmake --install` puts in place: cpack -G DEB in the build
# folder (configure with -DCMAKE_INSTALL_PREFIX=/usr for a package that installs under /usr).
set(CPACK_PACKAGE_NAME velmoraplayer)
set(CPACK_PACKAGE_VENDOR MediaVelmora)
set(CPACK_PACKAGE_CONTACT "MediaVelmora <support@mediavelmora.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Video player that shows the picture inside a 3D scene")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://www.mediavelmora.com/")
# The version the program reports (VelmoraPlayer --version).
set(CPACK_PACKAGE_VERSION 3.6.0.0)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
# Libraries the programs link come from dpkg-shlibdeps; what they load at run time is named
# here: the GStreamer plugins that demux, decode and play sound, MediaInfo, and Qt's Wayland
# platform plugin, without which the program cannot open a window in a Wayland session.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, gstreamer1.0-libav, gstreamer1.0-pulseaudio | gstreamer1.0-alsa, libmediainfo0v5, qt6-wayland")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "gstreamer1.0-plugins-bad, gstreamer1.0-plugins-ugly, xdg-utils")
include(CPack)
