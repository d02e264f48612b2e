#!/usr/bin/env bash
# Takes the README's screenshots under Xvfb, in copies of the example mods in a neutral folder so
# that no path of this machine shows: the Qt window's two panels, and the Win32 window's two
# panels and a duplicate message under Wine, and in both windows the largest example's search
# panel on a used code, after F3 from it, on a free code that a recipe names, and the box of every
# place that names it (in a Wine desktop, which draws the window's frame); and the Win32 window
# opened on a folder given on its command line, whose first item's name has ’ and €.
# Needs xvfb, xdotool and imagemagick (installed when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh xdotool imagemagick
cmake --preset release
cmake --build --preset release
cmake --preset windows-cross >/dev/null
cmake --build --preset windows-cross --target sallowmere

out=$PWD/docs/screenshots
app=$PWD/build/release/src/sallowmere
exe=Z:$PWD/build/windows-cross/bin/sallowmere.exe
wine=$PWD/scripts/wine-run.sh
export DISPLAY=:97
Xvfb "$DISPLAY" -screen 0 640x480x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf /tmp/mods' EXIT
sleep 1
rm -rf /tmp/mods && mkdir -p /tmp/mods
cp -r examples/sample-mod examples/duplicates-mod examples/later-layout-mod /tmp/mods/

# In a window just started on the largest example: Open, the repeated code's message closed, a
# used code typed and shot, then F3 from it and shot again, then a free code that two places name,
# and Ctrl+R's box of them (the whole screen). SHOT takes a picture by name, PREFIX begins the
# names, and "Open" stands at X, Y.
largest_example() {
  local shot=$1 prefix=$2 x=$3 y=$4
  xdotool mousemove "$x" "$y" click 1  # "Open"
  sleep 2
  xdotool key Return  # the repeated code's message
  sleep 1
  xdotool key ctrl+a type --delay 100 tk05
  sleep 1
  "$shot" "${prefix}search-panel-largest.png"
  xdotool key F3
  sleep 1
  "$shot" "${prefix}search-panel-largest-f3.png"
  xdotool key ctrl+a type --delay 100 tkf0
  sleep 1
  "$shot" "${prefix}search-panel-named-free.png"
  xdotool key ctrl+r
  sleep 2
  import -window root +repage "$out/${prefix}every-place.png"
  xdotool key Return
  sleep 1
}

# The Qt window stands at the screen's top left corner: 280 x 313 pixels.
qt_shot() { import -window root -crop 280x313+0+0 +repage "$out/$1"; }
(cd /tmp/mods/sample-mod && exec "$app") &
window_program=$!
sleep 2
qt_shot folder-panel.png
xdotool mousemove 220 292 click 1  # "Open"
sleep 1
xdotool key ctrl+a type --delay 100 t0v
sleep 1
qt_shot search-panel.png
kill "$window_program"
(cd /tmp/mods/later-layout-mod && exec "$app") &
window_program=$!
sleep 2
largest_example qt_shot "" 220 292
kill "$window_program"

# The Win32 window, frame included, at the Wine desktop's top left corner.
shoot() { import -window root -crop 286x338+0+0 +repage "$out/$1"; }
(cd /tmp/mods/sample-mod && exec "$wine" explorer /desktop=shots,640x480 "$exe") >/dev/null 2>&1 &
sleep 6
shoot windows-folder-panel.png
xdotool mousemove 222 314 click 1  # "Open"
sleep 2
xdotool key ctrl+a type --delay 100 t0v
sleep 1
shoot windows-search-panel.png
"$wine" wineboot -e >/dev/null 2>&1 || true  # ends the programs of the Wine session
sleep 2
(cd /tmp/mods/later-layout-mod && exec "$wine" explorer /desktop=shots,640x480 "$exe") >/dev/null 2>&1 &
sleep 6
largest_example shoot windows- 222 314
"$wine" wineboot -e >/dev/null 2>&1 || true  # ends the programs of the Wine session
sleep 2
(cd /tmp/mods/duplicates-mod && exec "$wine" explorer /desktop=shots,640x480 "$exe") >/dev/null 2>&1 &
sleep 6
xdotool mousemove 222 314 click 1  # "Open": the first repeated code's message
sleep 2
import -window root +repage "$out/windows-duplicate-message.png"
"$wine" wineboot -e >/dev/null 2>&1 || true
sleep 2
# A mod saved on Windows, given on the command line: opened at once, its first item named with
# Windows-1252's ’ and €.
mkdir -p "/tmp/mods/saved on windows"
cp examples/later-layout-mod/*.txt "/tmp/mods/saved on windows/"
awk -F'\t' -v OFS='\t' 'NR == 2 { $1 = "Warden\x92s \x80 Helm"; $19 = "aa01" } { print }' \
  examples/later-layout-mod/armor.txt >"/tmp/mods/saved on windows/armor.txt"
(cd /tmp/mods && exec "$wine" explorer /desktop=shots,640x480 "$exe" \
  "Z:\\tmp\\mods\\saved on windows") >/dev/null 2>&1 &
sleep 6
xdotool key Return  # the repeated code's message
sleep 1
shoot windows-command-line-folder.png
"$wine" wineboot -e >/dev/null 2>&1 || true
echo "Wrote the screenshots in $out"
