#!/bin/sh
# Opens the CGM exports in an independent reader: LibreOffice must convert
# each file to a PDF with a page, and the map text must come through.
#
# Usage: check_cgm.sh PLOT_TESTS OUT_DIR
#   PLOT_TESTS  the plot test program; its CgmExportTest cases write the files
#   OUT_DIR     folder for the files, the PDFs and the logs (emptied first)
#
# Exits 77 (skipped) when LibreOffice or poppler-utils is missing:
# scripts/setup-debian.sh installs them.
set -u
tests=$1
out=$2

for tool in soffice pdfinfo pdftotext; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "check_cgm: $tool is not installed (scripts/setup-debian.sh installs it); skipped"
        exit 77
    fi
done

rm -rf "$out"
mkdir -p "$out"
if ! TLRX_CGM_OUT="$out" QT_QPA_PLATFORM=offscreen "$tests" \
    --gtest_filter='CgmExportTest.DefaultGraticuleWithATextItem:CgmExportTest.SmallDrawing:CgmExportTest.InterruptedLobesWriteOneFile' \
    >"$out/tests.log" 2>&1; then
    cat "$out/tests.log"
    echo "check_cgm: the tests that write the CGM files failed"
    exit 1
fi

profile=$(mktemp -d "${TMPDIR:-/tmp}/lo-profile-XXXXXX")
trap 'rm -rf "$profile"' EXIT

status=0
# Each file with a text that its PDF must hold (empty: none).
for entry in "default-graticule:Tellurax graticule" "small-drawing:Gamma" "interrupted-lobes:"; do
    name=${entry%%:*}
    text=${entry#*:}
    cgm="$out/$name.cgm"
    pdf="$out/$name.pdf"
    if [ ! -s "$cgm" ]; then
        echo "check_cgm: $cgm was not written"
        status=1
        continue
    fi
    soffice -env:UserInstallation="file://$profile" --headless --convert-to pdf --outdir "$out" "$cgm" \
        >"$out/$name.soffice.log" 2>&1
    if [ ! -s "$pdf" ]; then
        cat "$out/$name.soffice.log"
        echo "check_cgm: LibreOffice could not open $cgm"
        status=1
        continue
    fi
    pages=$(pdfinfo "$pdf" 2>/dev/null | awk '/^Pages:/ { print $2 }')
    if [ "${pages:-0}" -lt 1 ]; then
        echo "check_cgm: $pdf has no page"
        status=1
        continue
    fi
    if [ -n "$text" ] && ! pdftotext "$pdf" - 2>/dev/null | grep -q "$text"; then
        echo "check_cgm: the text \"$text\" of $cgm is missing from $pdf"
        status=1
        continue
    fi
    echo "check_cgm: $cgm opens in LibreOffice ($pages page)"
done
exit $status
