# The Debian packages each command needs; sourced by the two top-level scripts.
BUILD_PACKAGES="cmake make g++ qt6-base-dev qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libqt6sql6-sqlite fonts-ipafont-gothic"
TEST_PACKAGES="$BUILD_PACKAGES locales xvfb openbox weston qt6-wayland xdotool x11-utils imagemagick desktop-file-utils appstream faketime dpkg-dev file lintian dbus-daemon python3-dbus python3-gi python3-pyatspi at-spi2-core"
