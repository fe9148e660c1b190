# The Debian packages each command needs; sourced by the two top-level scripts.
BUILD_PACKAGES="cmake make g++ qt6-base-dev libqt6sql6-sqlite fonts-ipafont-gothic"
TEST_PACKAGES="$BUILD_PACKAGES xvfb openbox weston qt6-wayland xdotool x11-utils imagemagick desktop-file-utils appstream faketime dpkg-dev file lintian dbus-daemon python3-dbus python3-gi python3-pyatspi at-spi2-core"
