#!/bin/sh
# Installs the Debian packages named as arguments that are not installed yet,
# saying which, with apt-get (through sudo when not root).
set -eu
missing=
for package in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0

echo "Installing missing Debian packages:$missing"
sudo=
if [ "$(id -u)" -ne 0 ]; then
    sudo=sudo
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# shellcheck disable=SC2086
$sudo apt-get install -y -qq --no-install-recommends $missing >/dev/null
echo "Installed:$missing"
