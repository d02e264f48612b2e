#!/usr/bin/env bash
# The command line against cat and against the awk script a modder would write, side by side in
# one run, on two folders: tables shaped like the largest real mods (later layouts, read by their
# header rows) and the largest fixed-layout tables. Page faults (perf stat, which counts them
# exactly) and times (hyperfine), each as a ratio to cat's.
#   bench/cli_vs_cat.sh [BUILD_DIR]      (default build/release)
# Needs linux-perf, hyperfine and gawk or mawk (Debian packages).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
cli=$build/src/sallowmere-cli
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$build/bench/sallowmere-bench" --write-real "$scratch/real" >/dev/null
"$build/bench/sallowmere-bench" --write "$scratch/largest" >/dev/null

# The modder's "find repeated codes": the code column found by its header, or (for the fixed
# layout, whose header names no column) set per file.
cat >"$scratch/by-header.awk" <<'AWK'
FNR==1{c=0;for(i=1;i<=NF;i++)if(tolower($i)=="code"){c=i;break};next}
c && $c!="" && n[$c]++==1 {print $c}
AWK
cat >"$scratch/fixed.awk" <<'AWK'
FNR==1{c=FILENAME~/armor/?18:FILENAME~/weapons/?3:13;next}
c && $c!="" && n[$c]++==1 {print $c}
AWK

faults() {  # the median page faults of five runs of the command
  for _ in 1 2 3 4 5; do
    perf stat -x, -e page-faults "$@" 2>&1 >/dev/null | awk -F, '/page-faults/ {print $1}'
  done | sort -n | sed -n 3p
}

compare() {  # compare NAME FOLDER AWK_SCRIPT
  local name=$1 folder=$2 script=$3
  local files=("$folder/armor.txt" "$folder/weapons.txt" "$folder/misc.txt")
  local cli_faults cat_faults
  cli_faults=$(faults "$cli" check "$folder")
  cat_faults=$(faults cat "${files[@]}")
  echo "$name: page faults: sallowmere-cli check $cli_faults, cat $cat_faults," \
       "ratio $(awk -v a="$cli_faults" -v b="$cat_faults" 'BEGIN {printf "%.2f", a / b}')"
  local json=$scratch/$name.json
  hyperfine -N --warmup 30 --runs 300 --export-json "$json" \
    "$cli check $folder" "cat ${files[*]}" "awk -F'\\t' -f $script ${files[*]}" >/dev/null 2>&1
  python3 - "$json" "$name" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
cli, cat, awk = (r["median"] * 1000 for r in results)
print(f"{sys.argv[2]}: time (median): sallowmere-cli check {cli:.2f} ms, cat {cat:.2f} ms, "
      f"awk {awk:.2f} ms; check / cat {cli / cat:.2f}, check / awk {cli / awk:.2f}")
PY
}

compare real-shape "$scratch/real" "$scratch/by-header.awk"
compare largest "$scratch/largest" "$scratch/fixed.awk"
