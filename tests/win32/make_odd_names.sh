#!/usr/bin/env bash
# make_odd_names.sh FOLDER
# Makes FOLDER afresh with a folder inside whose name is no UTF-8 ("bad" and the byte 0xFF),
# holding a sample mod, beside one named "ok": what a Linux disk may hold, and what Wine shows a
# Windows program as a name with U+FFFD in it.
set -euo pipefail
rm -rf "$1"
odd="$1/$(printf 'bad\377')"
mkdir -p "$odd" "$1/ok"
cp "$(dirname "$0")/../../examples/sample-mod/"*.txt "$odd/"
