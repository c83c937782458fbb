#!/usr/bin/env bash
# Installs what building and testing Tellurax needs on Debian 12, skipping
# what is already there. Runs apt-get as root (directly, or through sudo).
set -euo pipefail

packages=(
  qt6-base-dev cmake ninja-build g++ libgtest-dev fonts-liberation2
  # test oracles
  proj-bin poppler-utils geographiclib-tools
  python3-ezdxf libwmf-bin imagemagick libreoffice-draw libreoffice-impress
  libreoffice-writer-nogui  # opens the saved report RTF files
  fonts-urw-base35  # the fonts wmf2svg maps every metafile font to
  cups-daemon cups-client printer-driver-cups-pdf  # a PDF print queue for the printing check
  # benchmarks
  libbenchmark-dev libproj-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
