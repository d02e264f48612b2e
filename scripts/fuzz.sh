#!/usr/bin/env bash
# Builds the fuzz targets and runs each for SECONDS (default 30), or only the TARGETs named.
#   ./scripts/fuzz.sh [SECONDS] [TARGET...]
# The corpus grows in build/fuzz-corpus/TARGET; an input that crashes a target is kept in
# build/fuzz-artifacts/TARGET/ and the script fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
shift || true
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(row_reader_fuzz val_fuzz strict_fuzz armor_table_fuzz
                                     weapon_table_fuzz misc_table_fuzz reference_scan_fuzz)

cmake --preset fuzz
cmake --build --preset fuzz

declare -A tables=([armor_table_fuzz]=armor.txt [weapon_table_fuzz]=weapons.txt
                   [misc_table_fuzz]=misc.txt)
for target in "${targets[@]}"; do
  corpus=build/fuzz-corpus/$target
  artifacts=build/fuzz-artifacts/$target/
  mkdir -p "$corpus" "$artifacts"
  cp -n fuzz/corpus/"$target"/* "$corpus"/ 2>/dev/null || true
  # The sample mods' tables seed the table and row targets.
  for mod in examples/*/; do
    case $target in
      row_reader_fuzz | reference_scan_fuzz) for f in "$mod"*.txt; do cp -n "$f" "$corpus/$(basename "$mod")-$(basename "$f")"; done ;;
      *_table_fuzz) cp -n "$mod${tables[$target]}" "$corpus/$(basename "$mod")" ;;
    esac
  done
  log=build/fuzz-artifacts/$target.log
  # Inputs of up to 32 KiB: every sample table but the largest fits, and longer inputs only make
  # each run slower without reaching other code.
  if ! build/fuzz/fuzz/"$target" "$corpus" -max_total_time="$seconds" -timeout=10 -max_len=32768 \
      -rss_limit_mb=2048 -artifact_prefix="$artifacts" -print_final_stats=1 >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "$target: FAILED; the input is in $artifacts" >&2
    exit 1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  echo "$target: ${seconds} s, ${runs} executions, $(ls "$corpus" | wc -l) inputs in the corpus"
done
