#!/usr/bin/env bash
# The command line against cat on the largest tables, side by side in one run: page faults
# (perf stat, which counts them exactly) and time (hyperfine), each as a ratio to cat's.
#   bench/cli_vs_cat.sh [BUILD_DIR]      (default build/release)
# Needs linux-perf and hyperfine (Debian packages).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
cli=$build/src/sallowmere-cli
tables=$(mktemp -d)
trap 'rm -rf "$tables"' EXIT
"$build/bench/sallowmere-bench" --write "$tables" >/dev/null
files=("$tables/armor.txt" "$tables/weapons.txt" "$tables/misc.txt")

faults() {  # the median page faults of five runs of the command
  for _ in 1 2 3 4 5; do
    perf stat -x, -e page-faults "$@" 2>&1 >/dev/null | awk -F, '/page-faults/ {print $1}'
  done | sort -n | sed -n 3p
}
cli_faults=$(faults "$cli" check "$tables")
cat_faults=$(faults cat "${files[@]}")
echo "page faults: sallowmere-cli check $cli_faults, cat $cat_faults," \
     "ratio $(awk -v a="$cli_faults" -v b="$cat_faults" 'BEGIN {printf "%.2f", a / b}')"

json=$tables/times.json
hyperfine -N --warmup 30 --runs 300 --export-json "$json" \
  "$cli check $tables" "cat ${files[*]}" >/dev/null 2>&1
python3 - "$json" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
cli, cat = (r["median"] * 1000 for r in results)
print(f"time (median): sallowmere-cli check {cli:.2f} ms, cat {cat:.2f} ms, ratio {cli / cat:.2f}")
PY
