#!/bin/sh
# Makes every sample map file from the extract in input/.
# usage: make-samples.sh CONVERTER [OUTDIR]   (OUTDIR: this folder when not given)
set -eu
conv=$1
here=$(cd "$(dirname "$0")" && pwd)
out=${2:-$here}
in=$here/input
mkdir -p "$out"

for ext in all cci map pnt grv pkv dat grf mps mp1; do
  "$conv" --natural-earth "$in" -o "$out/nw.$ext"
done
# .pkd: the third letter of the title chooses the theme (C coast, R rivers,
# P provinces and states, any other: boundaries); each file takes its own classes.
for title in nwcil nwriv nwpby nwbdy; do
  "$conv" --natural-earth "$in" -o "$out/$title.pkd"
done
# Point files with labels: the ten layers and the labelled places.
"$conv" --natural-earth "$in" 1="$in/places.txt" -o "$out/nw.prn"
"$conv" --natural-earth "$in" 1="$in/places.txt" --utm-cm -123 -o "$out/nw.utm"
