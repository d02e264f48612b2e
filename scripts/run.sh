#!/usr/bin/env bash
# Builds the tool and runs it on the bundled sample mod.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset release
cmake --build --preset release
./build/release/src/sallowmere-cli list examples/sample-mod
