#!/bin/sh
# Installs the packages the lists named (BUILD_PACKAGES, TEST_PACKAGES, ...)
# need, then makes an optimised build in ./build.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
packages=
for list in "$@"; do packages="$packages $(eval echo "\$$list")"; done
# shellcheck disable=SC2086
scripts/ensure-packages.sh $packages
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
