#!/usr/bin/env bash
# Takes the README's screenshots of both panels: the window on the sample mod under Xvfb,
# before and after "Open", taken in a copy of the mod in a neutral folder so that no path of this
# machine shows. Needs xvfb, xdotool and imagemagick (installed when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh xvfb xauth xdotool imagemagick
cmake --preset release
cmake --build --preset release

out=$PWD/docs/screenshots
app=$PWD/build/release/src/sallowmere
export DISPLAY=:97
Xvfb "$DISPLAY" -screen 0 400x400x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf /tmp/mods' EXIT
sleep 1
neutral=/tmp/mods/sample-mod
rm -rf /tmp/mods && mkdir -p "$neutral" && cp examples/sample-mod/*.txt "$neutral"/
(cd "$neutral" && exec "$app") &
window_program=$!
sleep 2
# The window stands at the screen's top left corner: 280 x 313 pixels.
import -window root -crop 280x313+0+0 +repage "$out/folder-panel.png"
xdotool mousemove 220 292 click 1  # "Open"
sleep 1
import -window root -crop 280x313+0+0 +repage "$out/search-panel.png"
kill "$window_program"
echo "Wrote $out/folder-panel.png and $out/search-panel.png"
