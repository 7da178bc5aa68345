#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test with CTest.
# --sanitize also builds and runs the suite under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
source "$(dirname "$0")/scripts/setup.sh"
export QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy
krel_build "$KREL_ROOT/build"
ctest --test-dir "$KREL_ROOT/build" --output-on-failure -j "$(nproc)"
if [ "${1:-}" = "--sanitize" ]; then
    krel_build "$KREL_ROOT/build/sanitize" -DKREL_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo
    LSAN_OPTIONS="suppressions=$KREL_ROOT/scripts/lsan.supp" \
        ctest --test-dir "$KREL_ROOT/build/sanitize" --output-on-failure -j "$(nproc)"
fi
