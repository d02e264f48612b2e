#!/usr/bin/env bash
# check_install.sh BUILD_DIR APP_ID
# Installs the build into a scratch prefix and builds its Debian package, unpacks that into a
# scratch root, and checks that each holds the files where the desktop looks for them.
set -euo pipefail
build=$1
app=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

check_tree() {
  local root=$1
  local files=(
    bin/sallowmere bin/sallowmere-cli
    share/applications/$app.desktop
    share/metainfo/$app.metainfo.xml
    share/icons/hicolor/scalable/apps/$app.svg
    share/man/man1/sallowmere-cli.1
  )
  for size in 16 32 48 128 256; do files+=(share/icons/hicolor/${size}x${size}/apps/$app.png); done
  for file in "${files[@]}"; do
    [ -f "$root/$file" ] || { echo "missing from $root: $file"; exit 1; }
  done
  [ -x "$root/bin/sallowmere" ] && [ -x "$root/bin/sallowmere-cli" ]
  desktop-file-validate "$root/share/applications/$app.desktop"
  appstreamcli validate --no-net "$root/share/metainfo/$app.metainfo.xml"
  MANWIDTH=80 man -l "$root/share/man/man1/sallowmere-cli.1" | grep -q "EXIT STATUS"
}

cmake --install "$build" --prefix "$scratch/prefix" >/dev/null
check_tree "$scratch/prefix"
"$scratch/prefix/bin/sallowmere-cli" --version

cpack --config "$build/CPackConfig.cmake" -B "$scratch/package" >/dev/null
deb=$(ls "$scratch"/package/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for library in libqt6widgets6 libstdc++6 libc6 fonts-liberation; do
  grep -q "$library" <<<"$depends" || { echo "the package does not depend on $library"; exit 1; }
done
dpkg -x "$deb" "$scratch/root"
check_tree "$scratch/root/usr"
echo "install and package: ok ($(basename "$deb"))"
