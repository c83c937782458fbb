#!/bin/sh
# The exports made through the File menu (FileMenuTest.EachExportItem...:
# the default world with a map text item, each saved under a name typed
# without its extension) opened in independent readers:
#   BMP  ImageMagick reads it without a warning, every pixel as the window's;
#   DXF  ezdxf strict load and clean audit, and LibreOffice (check_dxf.py);
#   WMF  wmf2svg without complaint, the map text in its SVG; LibreOffice;
#   CGM  LibreOffice, the map text in the PDF's text.
#
# Usage: check_file_menu.sh APP_TESTS OUT_DIR CHECK_DXF_PY
# Exits 77 (skipped) when a reader is missing: scripts/setup-debian.sh
# installs them all.
set -u
tests=$1
out=$2
check_dxf=$3

for tool in identify compare wmf2svg soffice pdfinfo pdftotext /usr/bin/python3; do
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
if ! TLRX_FILE_MENU_OUT="$out" QT_QPA_PLATFORM=offscreen "$tests" \
    --gtest_filter='FileMenuTest.EachExportItemWritesTheMapToTheChosenFile' >"$out/tests.log" 2>&1; then
    cat "$out/tests.log"
    fail "the test that exports through the File menu failed"
fi

# BMP: read without a warning, the same pixels as the window showed.
info=$(identify -regard-warnings -format '%m' "$out/world.bmp" 2>&1) || fail "identify: $info"
case $info in BMP*) ;; *) fail "identify read $info, expected a BMP" ;; esac
diff=$(compare -metric AE "$out/world.bmp" "$out/world-window.png" null: 2>&1) ||
    fail "the BMP differs from the window in $diff pixels"

# DXF: the map text as the one TEXT entity.
/usr/bin/python3 "$check_dxf" "$out/world.dxf" TEXT=1
status=$?
[ "$status" -eq 77 ] && exit 77
[ "$status" -eq 0 ] || fail "the DXF file did not pass its readers"

# WMF: wmf2svg exits 0, says nothing, and draws the map text.
wmf2svg -o "$out/world.svg" "$out/world.wmf" 2>"$out/wmf2svg.err"
status=$?
[ "$status" -eq 0 ] || fail "wmf2svg exited with $status: $(cat "$out/wmf2svg.err")"
[ -s "$out/wmf2svg.err" ] && fail "wmf2svg complained: $(cat "$out/wmf2svg.err")"
grep -q '>Tellurax world</text>' "$out/world.svg" || fail "the map text is missing from the SVG of the WMF file"

# LibreOffice: each vector file to a PDF of one page or more with the map text.
profile=$(mktemp -d "${TMPDIR:-/tmp}/lo-profile-XXXXXX")
trap 'rm -rf "$profile"' EXIT
for format in cgm wmf; do
    file="$out/world.$format"
    soffice "-env:UserInstallation=file://$profile" --headless --convert-to pdf --outdir "$out/$format" "$file" \
        >"$out/$format.soffice.log" 2>&1
    pdf="$out/$format/world.pdf"
    [ -s "$pdf" ] || fail "LibreOffice could not open $file: $(cat "$out/$format.soffice.log")"
    pages=$(pdfinfo "$pdf" 2>/dev/null | sed -n 's/^Pages: *//p')
    [ "${pages:-0}" -ge 1 ] || fail "the PDF of $file has no page"
    pdftotext "$pdf" - 2>/dev/null | grep -q "Tellurax world" || fail "the map text is missing from the PDF of $file"
    echo "$file opens in LibreOffice ($pages page)"
done

echo "The File menu's exports open in ImageMagick, ezdxf, wmf2svg and LibreOffice"
