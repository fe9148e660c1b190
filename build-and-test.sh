#!/bin/sh
# Builds ventaro and runs the whole test suite (installing what they need).
set -eu
cd "$(dirname "$0")"
. scripts/packages.sh
# shellcheck disable=SC2086
scripts/ensure-packages.sh $TEST_PACKAGES
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
cd build
exec ctest --output-on-failure
