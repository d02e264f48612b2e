#!/usr/bin/env bash
# Builds the tool and opens its window with the folder browser on the bundled sample mod.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset release
cmake --build --preset release
# The folder browser starts in the working folder.
cd examples/sample-mod
exec ../../build/release/src/sallowmere
