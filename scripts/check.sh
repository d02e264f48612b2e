#!/usr/bin/env bash
# The fast loop while developing: a debug build and every test of the suite (no fuzzing, no
# sanitizers, no cross build; ./scripts/test.sh runs those).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake --preset debug
cmake --build --preset debug
ctest --preset debug
