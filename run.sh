#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program (on the sample album when no album is named).
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
krel_build "$KREL_ROOT/build"
album=${1:-"$KREL_ROOT/build/bin/Albums/Sample.kpa"}
exec "$KREL_ROOT/build/bin/krel-album" "$album"
