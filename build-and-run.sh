#!/bin/sh
# Builds ventaro (installing what the build needs) and starts it.
set -eu
cd "$(dirname "$0")"
scripts/build.sh BUILD_PACKAGES
exec build/app/ventaro "$@"
