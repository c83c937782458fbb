#!/usr/bin/env bash
# Installs what Tellurax needs on Debian 12, skipping what is already there.
# Runs apt-get as root (directly, or through sudo).
#
#   scripts/setup-debian.sh [build|test|fuzz]   (default: test)
#
#   build  what building and starting the program needs
#   test   that, the test oracles and the benchmarks' libraries
#   fuzz   that of build, and clang with its sanitizer runtimes
#
# Nothing is ever removed: an entry "a|b" is present when any of its
# alternatives is installed or provided by an installed package, and only
# the first is installed when none is; apt-get is told to stop rather than
# remove a package to make room for another.
set -euo pipefail

build=(qt6-base-dev cmake ninja-build g++ libgtest-dev fonts-liberation2)
test=(
  # test oracles
  proj-bin poppler-utils geographiclib-tools
  python3-ezdxf libwmf-bin imagemagick libreoffice-draw libreoffice-impress
  "libreoffice-writer-nogui|libreoffice-writer"  # opens the saved report RTF files
  fonts-urw-base35  # the fonts wmf2svg maps every metafile font to
  cups-daemon cups-client printer-driver-cups-pdf  # a PDF print queue for the printing check
  xvfb openbox x11-utils  # an X server and window manager for the window activation check
  locales  # the German and French locales the number tests run in
  clang-format-14  # the layout check of the sources
  # benchmarks
  libbenchmark-dev libproj-dev
)
fuzz=(clang-14 libclang-rt-14-dev llvm-14)

case "${1:-test}" in
  build) wanted=("${build[@]}") ;;
  test) wanted=("${build[@]}" "${test[@]}") ;;
  fuzz) wanted=("${build[@]}" "${fuzz[@]}") ;;
  *) echo "usage: $0 [build|test|fuzz]" >&2; exit 2 ;;
esac

# Every package name that counts as installed: the installed packages and
# what they provide.
present=" $(dpkg-query -W -f='${db:Status-Abbrev} ${Package} ${Provides}\n' 2>/dev/null |
  awk '$1 == "ii" { $1 = ""; print }' | sed -e 's/([^)]*)//g' -e 's/,/ /g' | tr -s ' \n' '  ') "

missing=()
for entry in "${wanted[@]}"; do
  found=0
  IFS='|' read -ra alternatives <<<"$entry"
  for p in "${alternatives[@]}"; do
    case "$present" in *" $p "*) found=1 ;; esac
  done
  [ $found -eq 1 ] || missing+=("${alternatives[0]}")
done
as_root=()
[ "$(id -u)" -ne 0 ] && as_root=(sudo)

# The locales the number tests run in, added when missing.
add_locales() {
  [ "${1:-test}" = test ] || return 0
  for name in de_DE fr_FR; do
    locale -a 2>/dev/null | grep -qix "$name.utf-\?8" ||
      "${as_root[@]}" localedef -i "$name" -f UTF-8 "$name.UTF-8" || true
  done
}
if [ ${#missing[@]} -eq 0 ]; then
  add_locales "${1:-test}"
  exit 0
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
if ! DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends --no-remove \
  "${missing[@]}"; then
  echo "$0: apt-get could not install ${missing[*]} without removing a package; nothing was removed." >&2
  exit 1
fi
add_locales "${1:-test}"
