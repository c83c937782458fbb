#!/usr/bin/env bash
# Reads the BMP files that the BmpExport test writes with ImageMagick, a reader
# independent of ours: each file must load without a warning, with the size,
# bits per pixel and pixels that were written.
# Usage: check_bmp.sh PLOT_TESTS_BINARY OUTPUT_FOLDER
set -euo pipefail

tests_bin=$1
out=$2/bmp-check

for tool in identify convert compare; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: ImageMagick's $tool is not installed (scripts/setup-debian.sh installs imagemagick)"
    exit 77
  fi
done

TLRX_BMP_OUT=$out QT_QPA_PLATFORM=offscreen "$tests_bin" --gtest_filter='BmpExport.*' >/dev/null

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# check_file NAME WIDTH HEIGHT BITS_PER_PIXEL
check_file() {
  local f=$out/$1.bmp
  local info
  if ! info=$(identify -regard-warnings -format '%m %w %h %z' "$f" 2>&1); then
    fail "$1: identify: $info"
    return
  fi
  read -r format width height depth <<<"$info"
  [[ $format == BMP* ]] || fail "$1: format $format"
  [[ $width == "$2" && $height == "$3" ]] || fail "$1: size ${width}x$height, want $2x$3"
  # A colour table of 2, 16 or 256 entries means 1, 4 or 8 bits a pixel;
  # without one, three channels of the reported depth.
  local entries bits
  entries=$(identify -verbose "$f" | sed -n 's/^ *Colormap entries: *//p')
  case $entries in
    2) bits=1 ;;
    16) bits=4 ;;
    256) bits=8 ;;
    '') bits=$((3 * depth)) ;;
    *) bits="?($entries entries)" ;;
  esac
  [[ $bits == "$4" ]] || fail "$1: $bits bits per pixel, want $4"
}

# check_pixel NAME X Y #RRGGBB
check_pixel() {
  local got
  got=$(convert "$out/$1.bmp" -crop "1x1+$2+$3" txt:- | tail -n 1 | grep -o '#[0-9A-F]\{6\}' | head -n 1)
  [[ $got == "$4" ]] || fail "$1: pixel ($2,$3) is $got, want $4"
}

# The small pictures: rows of red, green and blue, the last column white.
for picture in "w1 1" "w2 2" "w3 3" "w5 5" "wide 6000"; do
  read -r name width <<<"$picture"
  check_file "$name" "$width" 3 24
  last=$((width - 1))
  check_pixel "$name" "$last" 0 '#FFFFFF'
  check_pixel "$name" "$last" 2 '#FFFFFF'
  if ((width > 1)); then
    check_pixel "$name" 0 0 '#FF0000'
    check_pixel "$name" $((last - 1)) 1 '#00FF00'
    check_pixel "$name" $((last / 2)) 2 '#0000FF'
  fi
done
check_file d8 5 3 8
check_pixel d8 0 0 '#FF0000'
check_pixel d8 3 1 '#00FF00'
check_pixel d8 2 2 '#0000FF'
check_pixel d8 4 2 '#FFFFFF'
check_file d1 5 3 1
check_pixel d1 0 0 '#000000'
check_pixel d1 4 1 '#FFFFFF'

# The default graticule: every pixel as the window showed it (saved beside
# it as PNG by Qt).
check_file graticule 1024 768 24
if ! diff=$(compare -metric AE "$out/graticule.bmp" "$out/graticule.png" null: 2>&1); then
  fail "graticule: $diff pixels differ from the window's picture"
fi

if ((failures > 0)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "All BMP files read back as written"
