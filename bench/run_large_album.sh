#!/usr/bin/env bash
# Installs what the large-album benchmarks need (real photographs, vipsthumbnail), builds them and
# runs them: opening albums of 100, 1,000 and 10,000 photographs in whole runs, then turning
# through the album of 1,000 and a whole pass over it against vipsthumbnail.
set -euo pipefail
source "$(dirname "$0")/../scripts/setup.sh"
krel_install_missing "${KREL_BENCH_PACKAGES[@]}"
build="$KREL_ROOT/build"
cmake -S "$KREL_ROOT" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)" --target krel-album bench_large_album bench_album_browse
"$build/bench/bench_large_album" "$@"
"$build/bench/bench_album_browse" turn 1000
"$build/bench/bench_album_browse" pass 1000
