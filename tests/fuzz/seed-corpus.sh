#!/usr/bin/env bash
# Writes the seed inputs of every harness into FOLDER/<harness>/ (default
# build-fuzz/seeds): the sample map files of data/samples, whole and cut
# short, behind option bytes that draw them on the regional map with labels
# and the ASCII export and on the world map with every row; settings files as
# the program writes them. scripts/fuzz.sh --minimise takes them into the
# committed corpus.
set -euo pipefail
cd "$(dirname "$0")/../.."
out=${1:-build-fuzz/seeds}
samples=data/samples

# seed HARNESS NAME-OPTION FILE: the file behind the map harness's option bytes.
seed() {
  local h=$1 name=$2 file=$3 base
  base=$(basename "$file")
  mkdir -p "$out/$h"
  { printf "\\x$(printf %02x "$name")\\x0d\\x00\\x00\\x00"; cat "$file"; } >"$out/$h/$base-region"
  { printf "\\x$(printf %02x "$name")\\x00\\x00\\x00\\x0c"; cat "$file"; } >"$out/$h/$base-world"
  { printf "\\x$(printf %02x "$name")\\x0f\\x00\\x02\\x00"; head -c 200 "$file"; } >"$out/$h/$base-cut"
}

seed map_ascii 0 $samples/nw.prn
seed map_ascii 1 $samples/nw.utm
{ printf '\x01\x0f\x00\x00\x00'; cat $samples/nw.utm; } >"$out/map_ascii/nw.utm-utm"
seed map_mwdb 0 $samples/nw.all
seed map_mwdb 1 $samples/nw.pnt
seed map_mwdb 2 $samples/nw.cci
seed map_tlrx 0 $samples/nw.map
seed map_dlg 0 $samples/nw.grv
seed map_dlg 1 $samples/nw.grf
seed map_wdb1 0 $samples/nw.dat
seed map_wdb2 0 $samples/nw.pkv
for f in $samples/nw*.pkd; do seed map_wdb2 1 "$f"; done
seed map_world 0 $samples/nw.mp1
seed map_world 1 $samples/nw.mps

mkdir -p "$out/settings_ini"
printf '\x00\x00\x80\x80[Tellurax]\r\nPrinterUnits=1440\r\nScreenSize=12000 12000\r\nMainWindow=9000 9000 150 150\r\nWindowMaximized=0\r\n' \
  >"$out/settings_ini/written"
printf '\x01\x05\x40\xc0; kept\n[Other]\nScreenSize=1 1\n\n[tellurax]\n  printerunits = "567"\nMainWindow=6000 8000 -100 0\nWindowMaximized=1' \
  >"$out/settings_ini/lf-comments"

# Design files: the hand-made fixtures, as they are, fitted to a small
# screen with a printer, and cut short.
mkdir -p "$out/design_cnf"
for f in tests/designfile/fixtures/*.cnf; do
  base=$(basename "$f" .cnf)
  { printf '\x00'; cat "$f"; } >"$out/design_cnf/$base"
  { printf '\x03'; cat "$f"; } >"$out/design_cnf/$base-fitted"
  { printf '\x01'; head -c 3000 "$f"; } >"$out/design_cnf/$base-cut"
done
