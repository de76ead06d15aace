#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Sumvane
# need, skipping those already present. Uses sudo when not run as root.
set -euo pipefail

# Installed without Recommends: a package the build needs that another one
# only recommends is named here itself (the test deps_complete checks this).
packages=(
  build-essential cmake pkg-config
  # Qt6Charts' CMake files need Qt6OpenGL's, which qt6-base-dev only recommends.
  qt6-base-dev libqt6opengl6-dev qt6-charts-dev libpng-dev qt6-translations-l10n
  libboost-math-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev llvm-14
  fonts-noto-cjk xvfb xauth
  # The checks of the installed files and the package: desktop-file-validate,
  # appstreamcli, dpkg-shlibdeps, lintian; pdftotext reads back a saved report.
  desktop-file-utils appstream dpkg-dev file lintian poppler-utils
)

# --list prints the packages, one a line, and installs nothing: the test
# deps_complete reads it.
if [ "${1:-}" = --list ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
