#!/usr/bin/env bash
# Two builds side by side in one run, each on the same folders: the command line's check and list
# (medians, page faults, peak memory) on tables shaped like the largest real mods and on the
# largest fixed-layout tables, and the Qt window's Open (form1-bench). BEFORE is a build of an
# earlier commit, made in a second worktree:
#   git worktree add /tmp/before COMMIT && (cd /tmp/before && cmake --preset release &&
#     cmake --build --preset release)
#   bench/compare_builds.sh /tmp/before/build/release [build/release]
# Needs hyperfine, linux-perf and time (Debian packages).
set -euo pipefail
cd "$(dirname "$0")/.."
before=$1
after=${2:-build/release}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
"$after/bench/sallowmere-bench" --write-real "$scratch/real" >/dev/null
"$after/bench/sallowmere-bench" --write "$scratch/largest" >/dev/null

faults() {  # the median page faults of five runs of the command
  for _ in 1 2 3 4 5; do
    perf stat -x, -e page-faults "$@" 2>&1 >/dev/null | awk -F, '/page-faults/ {print $1}'
  done | sort -n | sed -n 3p
}
peak() {  # the peak resident memory of the command, in kB
  /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -n 1
}

for folder in real largest; do
  for command in check list; do
    b=("$before/src/sallowmere-cli" "$command" "$scratch/$folder")
    a=("$after/src/sallowmere-cli" "$command" "$scratch/$folder")
    json=$scratch/$folder-$command.json
    hyperfine -N --warmup 30 --runs 300 --export-json "$json" "${b[*]}" "${a[*]}" >/dev/null 2>&1
    median=$(python3 -c 'import json, sys
r = json.load(open(sys.argv[1]))["results"]
print(" ".join("%.2f" % (x["median"] * 1000) for x in r))' "$json")
    echo "$folder $command: median ms before/after $median;" \
         "page faults $(faults "${b[@]}")/$(faults "${a[@]}");" \
         "peak kB $(peak "${b[@]}")/$(peak "${a[@]}")"
  done
done

# The window's Open on the real-shaped tables, and the list it is held against, by turns.
for round in 1 2 3; do
  for build in "$before" "$after"; do
    QT_QPA_PLATFORM=offscreen "$build/bench/form1-bench" OpenRealShaped ListRealShaped 2>/dev/null |
      awk -v build="$build" -v round="$round" '/^RESULT/ {name=$3; sub(/.*::/, "", name)} /msecs per iteration/ {
        print "round " round ", " build ": " name " " $1 " ms"}'
  done
done
