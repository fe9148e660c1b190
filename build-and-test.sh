#!/bin/sh
# Builds ventaro and runs the whole test suite (installing what they need).
set -eu
cd "$(dirname "$0")"
scripts/build.sh TEST_PACKAGES
cd build
exec ctest --output-on-failure
