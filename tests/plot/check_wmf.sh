#!/bin/sh
# Reader check of the WMF export: the default design as the plot tests export
# it (WmfExportFile.DefaultDesign) must convert without complaint in wmf2svg
# (libwmf) to an SVG holding the drawing's elements, and in LibreOffice to a
# non-empty PDF.
# Usage: check_wmf.sh PLOT_TESTS_BINARY OUT_DIR
# Exits 77 (skipped) when a reader is missing.
set -u
tests=$1
out=$2

for tool in wmf2svg soffice pdfinfo; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (scripts/setup-debian.sh installs the readers)"
        exit 77
    fi
done

fail() {
    echo "FAIL: $*"
    exit 1
}

"$tests" --gtest_filter=WmfExportFile.DefaultDesign >/dev/null 2>&1 || fail "the export test WmfExportFile.DefaultDesign failed"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$out/wmf/default.wmf" "$work/default.wmf" || fail "no exported file $out/wmf/default.wmf"

# wmf2svg: exit status 0 and nothing on standard error.
wmf2svg -o "$work/default.svg" "$work/default.wmf" 2>"$work/wmf2svg.err"
status=$?
[ "$status" -eq 0 ] || fail "wmf2svg exited with $status: $(cat "$work/wmf2svg.err")"
[ -s "$work/wmf2svg.err" ] && fail "wmf2svg complained: $(cat "$work/wmf2svg.err")"

# The elements of the drawing: 16 grid lines, a line split in two, a one-point
# line, plus and cross; diamonds and triangles; the background, dot and
# squares; circles; the text item. The four hollow symbols are not filled.
expect() {
    n=$(grep -c "$1" "$work/default.svg")
    [ "$n" -eq "$2" ] || fail "$3: $n elements matching '$1', expected $2"
}
expect '<polyline' 21 "polylines"
expect '<polygon' 4 "polygons"
expect '<rect' 4 "rectangles"
expect '<ellipse' 2 "ellipses"
expect '>Tellurax</text>' 1 "text"
expect 'fill:none' 4 "hollow symbols"

# LibreOffice: a PDF of one non-empty page.
soffice "-env:UserInstallation=file://$work/profile" --headless --convert-to pdf --outdir "$work" \
    "$work/default.wmf" >"$work/soffice.log" 2>&1 || fail "soffice: $(cat "$work/soffice.log")"
[ -s "$work/default.pdf" ] || fail "soffice wrote no PDF: $(cat "$work/soffice.log")"
pages=$(pdfinfo "$work/default.pdf" 2>/dev/null | sed -n 's/^Pages: *//p')
[ "${pages:-0}" -ge 1 ] || fail "the PDF has no page"

echo "WMF export opens in wmf2svg and LibreOffice"
