#!/bin/sh
# Makes the large world of the Draw Map benchmark in OUTDIR:
#   world.txt  its lines as plain polyline text (which GMT also reads)
#   world.prn  the same lines as an ASCII map file, written by tlrx-convert
# The lines are the full-resolution GSHHG shorelines when GMT and its
# full-resolution coastline data are installed (Debian: gmt, gmt-gshhg-full),
# dumped by `gmt coast -M`; otherwise, or with --synthetic, a synthetic world
# of ten million points (200,000 closed wavy outlines of 50 points).
#
# usage: bench/make-world.sh CONVERTER OUTDIR [--synthetic]
#   e.g. bench/make-world.sh build-rel/tools/tlrx-convert /tmp/world
set -eu
if [ $# -lt 2 ]; then
  echo "usage: $0 CONVERTER OUTDIR [--synthetic]" >&2
  exit 2
fi
conv=$1
out=$2
synthetic=${3:-}
mkdir -p "$out"
raw=$out/world-raw.txt

# GMT runs in OUTDIR, where it leaves its gmt.history.
if [ "$synthetic" != --synthetic ] && command -v gmt >/dev/null 2>&1 &&
   (cd "$out" && gmt coast -R0/1/50/51 -Df -W -M) >/dev/null 2>&1; then
  echo "GSHHG full resolution, dumped by gmt coast" >&2
  # Segment headers lose their text (it would become a label); coordinates
  # are rounded to the 5 decimals of the polyline text.
  (cd "$out" && gmt coast -Rd -Df -W -M) | awk '
    /^#/ { next }
    /^>/ { print ">"; next }
    NF >= 2 { printf "%.5f %.5f\n", $1, $2 }' > "$raw"
else
  echo "synthetic world of ten million points" >&2
  awk 'BEGIN {
    srand(13)
    pi = 3.14159265358979
    for (line = 0; line < 200000; ++line) {
      # Centres uniform on the sphere between 87 S and 87 N.
      do { s = 2 * rand() - 1; lat = atan2(s, sqrt(1 - s * s)) * 180 / pi } while (lat < -87 || lat > 87)
      lon = -175 + 350 * rand()
      r = 0.05 + 1.95 * rand() * rand()
      stretch = cos(lat * pi / 180); if (stretch < 0.5) stretch = 0.5
      print ">"
      for (k = 0; k < 50; ++k) {
        a = 2 * pi * (k % 49) / 49
        rr = r * (1 + 0.25 * sin(7 * a + line) + 0.1 * (rand() - 0.5))
        if (k == 49) { print first; continue }
        p = sprintf("%.5f %.5f", lon + rr * cos(a) / stretch, lat + rr * sin(a))
        if (k == 0) first = p
        print p
      }
    }
  }' > "$raw"
fi

# The converter's own preparation (cuts at the 180th meridian, long steps
# filled), written back as polyline text, so that GMT draws exactly the
# points of the map file.
"$conv" --extract "$out" 1="$raw"
mv "$out/world-raw.txt" "$out/world.txt"
# world.prn appears only complete: a program that finds it may use it.
"$conv" -o "$out/world-partial.prn" 1="$out/world.txt"
mv "$out/world-partial.prn" "$out/world.prn"
