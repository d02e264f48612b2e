#!/usr/bin/env bash
# check_windows_zip.sh BUILD_DIR VERSION SOURCE_DIR
# Packs the Windows release archive, unpacks it into a scratch folder, checks what it holds, and
# runs both programs from there under Wine: the command line on the sample mod, the window through
# the window's test that opens a mod.
set -euo pipefail
build=$1
version=$2
source=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
wine=$source/scripts/wine-run.sh

cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null
zip=$scratch/package/sallowmere-$version-windows-x64.zip
[ -f "$zip" ] || { echo "no $(basename "$zip"):"; ls "$scratch/package"; exit 1; }
mkdir "$scratch/unpacked"
(cd "$scratch/unpacked" && cmake -E tar xf "$zip")
top=$scratch/unpacked/sallowmere-$version-windows-x64
expected=$'LICENSE.txt\nREADME.txt\nsallowmere-cli.exe\nsallowmere.exe'
held=$(cd "$top" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$held" = "$expected" ] || { echo "the archive holds:"; echo "$held"; exit 1; }

version_line=$("$wine" "$top/sallowmere-cli.exe" --version | tr -d '\r')
[ "$version_line" = "sallowmere-cli $version" ] || { echo "--version: $version_line"; exit 1; }
listed=$("$wine" "$top/sallowmere-cli.exe" list "Z:$source/examples/sample-mod" | tr -d '\r')
first=$(head -n 1 <<<"$listed")
[ "$first" = $'r0c\t0\tArmor.txt\tarmor.txt:2\tReed Cap' ] || { echo "list: $first"; exit 1; }

SALLOWMERE_EXE="Z:$top/sallowmere.exe" "$wine" "$build/bin/form1_window_win32_test.exe" \
  --gtest_filter='*OpenFillsBothLists*:*MissingTable*' --gtest_brief=1
echo "windows zip: ok ($(basename "$zip"), $(wc -l <<<"$listed") codes listed)"
