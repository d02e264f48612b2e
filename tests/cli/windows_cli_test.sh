#!/usr/bin/env bash
# sallowmere-cli.exe under Wine, where Windows differs from POSIX: output to a file (CR LF), to
# NUL, to a pipe its reader closes, and to a console (characters: table bytes as Windows-1252,
# paths from UTF-8); a code typed as é; a folder quoted with a trailing backslash in a batch
# file; and a start with nothing around it.
#   windows_cli_test.sh CLI.exe EXAMPLES_DIR SOURCE_DIR
set -uo pipefail
cli=$(realpath "$1")
examples=$2
wine=$3/scripts/wine-run.sh
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
fail() { echo "FAILED: $*" >&2; failed=1; }

# A later-layout mod whose first armor is named with ’ and € and has the code ét1, in
# Windows-1252, in a folder whose name is not ASCII.
mod=$scratch/módé
cp -r "$examples/later-layout-mod" "$mod"
awk -F'\t' -v OFS='\t' 'NR == 2 { $1 = "Warden\x92s \x80 Helm"; $19 = "\xe9t1" } { print }' \
  "$examples/later-layout-mod/armor.txt" >"$mod/armor.txt"

# A file gets bytes, each line ending in CR LF.
"$wine" "$cli" lookup "Z:$mod" ét1 >"$scratch/file.txt" 2>/dev/null
[ "$(cat "$scratch/file.txt")" = $'\xe9t1\tUsed\tArmor.txt\tWarden\x92s \x80 Helm\r' ] ||
  fail "lookup to a file: $(od -c "$scratch/file.txt" | head -3)"

# NUL, a character device that is no console, takes the whole list.
"$wine" "$cli" list "Z:$examples/sample-mod" >/dev/null 2>"$scratch/err.txt" ||
  fail "list to NUL: status $?, $(cat "$scratch/err.txt")"

# A reader that stops early ends the program quietly, with status 0.
("$wine" "$cli" suggest "Z:$examples/sample-mod" --count 100000000 '?????' 2>"$scratch/err.txt";
 echo $? >"$scratch/status") | head -n 2 >/dev/null
[ "$(cat "$scratch/status")" = 0 ] && [ ! -s "$scratch/err.txt" ] ||
  fail "closed pipe: status $(cat "$scratch/status"), $(cat "$scratch/err.txt")"

# A console shows characters: Wine writes them to this pseudo-terminal as UTF-8.
console() { LC_ALL=C.UTF-8 script -qec "$*" "$scratch/console.txt" </dev/null >/dev/null; }
console "$wine" "$cli" lookup "Z:$mod" ét1
grep -q "ét1.*Used.*Warden’s € Helm" "$scratch/console.txt" ||
  fail "lookup to a console: $(cat -v "$scratch/console.txt")"
console "$wine" "$cli" check "Z:$scratch/gône"
grep -q 'gône\\armor.txt was not found' "$scratch/console.txt" ||
  fail "a path to a console: $(cat -v "$scratch/console.txt")"
# Started with no arguments and alone on its console, as a double-click starts it.
console "$wine" "$cli"
grep -q 'Open a terminal in this folder' "$scratch/console.txt" ||
  fail "a start on its own: $(cat -v "$scratch/console.txt")"

# "FOLDER\" reaches the program as FOLDER": the folder ends at the quote.
windows_mod="Z:${examples//\//\\}\\duplicates-mod\\"
printf '@"%s" check "%s" \r\n@echo status %%ERRORLEVEL%%\r\n' "Z:${cli//\//\\}" "$windows_mod" \
  >"$scratch/check.cmd"
(cd "$scratch" && "$wine" cmd /c check.cmd) >"$scratch/cmd.txt" 2>&1
grep -q 'duplicate code' "$scratch/cmd.txt" && grep -q 'status 1' "$scratch/cmd.txt" ||
  fail "a folder quoted with a trailing backslash: $(cat "$scratch/cmd.txt")"

[ "$failed" = 0 ] && echo "windows cli: ok"
exit "$failed"
