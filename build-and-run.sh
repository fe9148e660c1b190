#!/bin/sh
# Builds ventaro (installing what the build needs) and starts it.
set -eu
cd "$(dirname "$0")"
. scripts/packages.sh
# shellcheck disable=SC2086
scripts/ensure-packages.sh $BUILD_PACKAGES
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
exec build/app/ventaro "$@"
