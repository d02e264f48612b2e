#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and any further PACKAGEs named, when
# any is missing.
#   ./scripts/install-deps.sh [PACKAGE...]
set -euo pipefail

packages=(cmake g++ ninja-build libgtest-dev libbenchmark-dev qt6-base-dev fonts-dejavu-core fonts-liberation
          clang libclang-rt-14-dev desktop-file-utils appstream dpkg-dev man-db
          g++-mingw-w64-x86-64-posix wine64 xvfb xauth "$@")

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
"${as_root[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
