#!/bin/sh
# The default design exported end to end (graticule, world map, labelled
# point file, map text items) by the plot tests ExportEndToEnd.*, each file
# opened in independent readers:
#   DXF  ezdxf strict load and audit clean, and LibreOffice (check_dxf.py);
#   WMF  wmf2svg (libwmf) without complaint, its SVG holding the texts, one
#        of them turned; LibreOffice;
#   BMP  ImageMagick identify without warnings, 1024 x 768;
#   CGM  LibreOffice (with the unrotated map text only: LibreOffice 7.4
#        refuses CGM text with a turned orientation, valid CGM as it is).
# LibreOffice must render each vector file to a PDF with a page whose text
# holds the labels.
#
# Usage: check_end_to_end.sh PLOT_TESTS OUT_DIR CHECK_DXF_PY
# Exits 77 (skipped) when a reader is missing: scripts/setup-debian.sh
# installs them all.
set -u
tests=$1
out=$2
check_dxf=$3

for tool in wmf2svg soffice pdfinfo pdftotext identify /usr/bin/python3; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (scripts/setup-debian.sh installs the readers)"
        exit 77
    fi
done

fail() {
    echo "FAIL: $*"
    exit 1
}

rm -rf "$out"
mkdir -p "$out"
if ! TLRX_END_TO_END_OUT="$out" QT_QPA_PLATFORM=offscreen "$tests" --gtest_filter='ExportEndToEnd.*' \
    >"$out/tests.log" 2>&1; then
    cat "$out/tests.log"
    fail "the tests that write the files (ExportEndToEnd.*) failed"
fi

# DXF: the map text items and the eight labels as TEXT entities.
/usr/bin/python3 "$check_dxf" "$out/tellurax.dxf" TEXT=10
status=$?
[ "$status" -eq 77 ] && exit 77
[ "$status" -eq 0 ] || fail "the DXF file did not pass its readers"

# WMF: wmf2svg exits 0 and says nothing.
wmf2svg -o "$out/tellurax.svg" "$out/tellurax.wmf" 2>"$out/wmf2svg.err"
status=$?
[ "$status" -eq 0 ] || fail "wmf2svg exited with $status: $(cat "$out/wmf2svg.err")"
[ -s "$out/wmf2svg.err" ] && fail "wmf2svg complained: $(cat "$out/wmf2svg.err")"
texts=$(grep -c '</text>' "$out/tellurax.svg")
[ "$texts" -eq 10 ] || fail "wmf2svg found $texts texts, expected 10"
grep -q '>Tellurax world</text>' "$out/tellurax.svg" || fail "the turned map text is missing from the SVG"
grep -q '>Seattle</text>' "$out/tellurax.svg" || fail "the label Seattle is missing from the SVG"
# The turned text comes with a rotation matrix (sin 30 = 0.5), the others without.
[ "$(grep -c 'transform="matrix(0.866025 ' "$out/tellurax.svg")" -eq 1 ] ||
    fail "wmf2svg did not turn the map text by 30 degrees"

# BMP: ImageMagick reads it without a warning, at the window's size.
info=$(identify -regard-warnings -format '%m %w %h' "$out/tellurax.bmp" 2>&1) || fail "identify: $info"
[ "$info" = "BMP 1024 768" ] || [ "$info" = "BMP3 1024 768" ] || fail "identify read $info, expected a BMP of 1024 x 768"

# LibreOffice: each vector file to a PDF of one page or more, the labels in its text.
profile=$(mktemp -d "${TMPDIR:-/tmp}/lo-profile-XXXXXX")
trap 'rm -rf "$profile"' EXIT
for format in cgm wmf; do
    file="$out/tellurax.$format"
    soffice "-env:UserInstallation=file://$profile" --headless --convert-to pdf --outdir "$out/$format" "$file" \
        >"$out/$format.soffice.log" 2>&1
    pdf="$out/$format/tellurax.pdf"
    [ -s "$pdf" ] || fail "LibreOffice could not open $file: $(cat "$out/$format.soffice.log")"
    pages=$(pdfinfo "$pdf" 2>/dev/null | sed -n 's/^Pages: *//p')
    [ "${pages:-0}" -ge 1 ] || fail "the PDF of $file has no page"
    pdftotext "$pdf" - 2>/dev/null | grep -q "Kelowna" || fail "the label Kelowna is missing from the PDF of $file"
    pdftotext "$pdf" - 2>/dev/null | grep -q "Default design" || fail "the map text is missing from the PDF of $file"
    echo "$file opens in LibreOffice ($pages page)"
done

echo "The end-to-end exports open in ezdxf, wmf2svg, ImageMagick and LibreOffice"
