#!/usr/bin/env bash
# sallowmere-cli refs against cat of all the folder's tables, side by side in one run, on a folder
# shaped like the largest real mod's (55 tables, 9 MB); with BEFORE, a release build of an earlier
# commit, list and check of both builds beside them. Then peak memory of refs on that folder and
# on one whose recipe table holds its rows four times (the same keys, 11 MB more bytes).
#   bench/refs_vs_cat.sh [BUILD_DIR [BEFORE_BUILD_DIR]]      (default build/release)
# Needs hyperfine and time (Debian packages).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
before=${2:-}
cli=$build/src/sallowmere-cli
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$build/bench/sallowmere-bench" --write-real-folder "$scratch/folder" >/dev/null
tables=$(ls "$scratch"/folder/*.txt | tr '\n' ' ')
commands=("$cli refs $scratch/folder m100" "$cli refs $scratch/folder xxx" "cat $tables"
          "$cli list $scratch/folder" "$cli check $scratch/folder")
if [ -n "$before" ]; then
  commands+=("$before/src/sallowmere-cli list $scratch/folder"
             "$before/src/sallowmere-cli check $scratch/folder")
fi
hyperfine -N --warmup 10 --runs 60 --export-json "$scratch/times.json" "${commands[@]}" \
  >/dev/null 2>&1
python3 - "$scratch/times.json" "$scratch" <<'PY'
import json, sys
results = json.load(open(sys.argv[1]))["results"]
cat = next(r["median"] for r in results if r["command"].startswith("cat "))
for r in results:
    label = "cat of the 55 tables" if r["command"].startswith("cat ") else r["command"]
    label = label.replace(sys.argv[2], "DIR")
    print(f"{label:60} median {r['median'] * 1000:7.2f} ms   / cat {r['median'] / cat:5.2f}")
PY
cp -r "$scratch/folder" "$scratch/larger"
for _ in 1 2 3; do tail -n +2 "$scratch/folder/recipes.txt" >>"$scratch/larger/recipes.txt"; done
for folder in folder larger; do
  /usr/bin/time -f %M -o "$scratch/peak" "$cli" refs "$scratch/$folder" m100 >/dev/null 2>&1
  peak=$(cat "$scratch/peak")
  echo "peak memory of refs, $folder ($(du -sm "$scratch/$folder" | cut -f1) MB): ${peak} KiB"
done
