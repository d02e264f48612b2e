#!/usr/bin/env bash
# Builds the Windows programs with MinGW-w64 and packs the release archive:
#   build/windows-cross/sallowmere-VERSION-windows-x64.zip
# holding sallowmere.exe, sallowmere-cli.exe, README.txt and LICENSE.txt.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset windows-cross >/dev/null
cmake --build --preset windows-cross --target sallowmere sallowmere-cli
(cd build/windows-cross && cpack --config CPackConfig.cmake >/dev/null)
ls build/windows-cross/sallowmere-*-windows-x64.zip
