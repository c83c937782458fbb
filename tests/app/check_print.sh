#!/bin/sh
# Printing to a real print queue: a CUPS PDF queue of this check's own is
# added (and removed afterwards, also on failure), the default world is
# printed to it through the program's Print Map
# (PrintingRunTest.PrintsTheDefaultWorldOnAPrintQueue), and the PDF that
# the queue writes must have one page of the paper the program measured,
# with all its ink inside the printed map's box.
#
# Usage: check_print.sh APP_TESTS OUT_DIR
# Starts the CUPS scheduler when none runs (and leaves it running, as a
# system service). Exits 77 (skipped) when CUPS, the PDF queue's driver or
# poppler-utils are missing (scripts/setup-debian.sh installs them), or when
# this user may not add a queue.
set -u
tests=$1
out=$2
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
python=/usr/bin/python3

skip() {
    echo "SKIP: $*"
    exit 77
}
fail() {
    echo "FAIL: $*"
    exit 1
}

PATH="$PATH:/usr/sbin:/sbin"
for tool in cupsd lpadmin lpstat pdfinfo pdftoppm $python; do
    command -v "$tool" >/dev/null 2>&1 ||
        skip "$tool is not installed (scripts/setup-debian.sh installs CUPS and poppler-utils)"
done
[ -f "$ppd" ] || skip "the CUPS PDF driver is not installed (printer-driver-cups-pdf)"

rm -rf "$out"
mkdir -p "$out"

scheduler_runs() { lpstat -r 2>/dev/null | grep -q "is running"; }
if ! scheduler_runs; then
    [ "$(id -u)" -eq 0 ] || skip "the CUPS scheduler does not run, and only root may start it"
    cupsd || fail "cupsd did not start"
    i=0
    until scheduler_runs; do
        i=$((i + 1))
        [ $i -gt 50 ] && fail "the CUPS scheduler did not come up"
        sleep 0.2
    done
fi

queue="tlrx_check_$$_$(date +%s)"
trap 'lpadmin -x "$queue" 2>/dev/null' EXIT
trap 'exit 1' INT TERM HUP
lpadmin -p "$queue" -v cups-pdf:/ -P "$ppd" -E >"$out/lpadmin.log" 2>&1 ||
    skip "this user may not add a print queue: $(cat "$out/lpadmin.log")"

if ! TLRX_PRINT_QUEUE="$queue" TLRX_PRINT_OUT="$out" QT_QPA_PLATFORM=offscreen "$tests" \
    --gtest_filter='PrintingRunTest.PrintsTheDefaultWorldOnAPrintQueue' >"$out/tests.log" 2>&1; then
    cat "$out/tests.log"
    fail "the test that prints to the queue failed"
fi
[ -s "$out/box.txt" ] || { cat "$out/tests.log"; fail "nothing was printed"; }

# The job of the queue, and the file the PDF queue writes for it into the
# submitting user's PDF folder, named after the job's number.
job=$(lpstat -W all -o "$queue" | sed -n "s/^$queue-\([0-9]*\) .*/\1/p" | head -n 1)
[ -n "$job" ] || fail "the queue $queue received no job"
i=0
while :; do
    pdf=$(ls "$HOME"/PDF/*job_"$job".pdf 2>/dev/null | head -n 1)
    # Written once the job has left the queue.
    [ -n "$pdf" ] && [ -z "$(lpstat -o "$queue" 2>/dev/null)" ] && break
    i=$((i + 1))
    [ $i -gt 300 ] && fail "no PDF of job $job in $HOME/PDF after a minute"
    sleep 0.2
done
cp "$pdf" "$out/printed.pdf"
rm -f "$pdf"

pages=$(pdfinfo "$out/printed.pdf" | sed -n 's/^Pages: *//p')
[ "$pages" = 1 ] || fail "the printed PDF has ${pages:-no} pages, not one"
size=$(pdfinfo "$out/printed.pdf" | sed -n 's/^Page size: *\([0-9.]*\) x \([0-9.]*\) pts.*/\1 \2/p')

dpi=50
pdftoppm -f 1 -l 1 -r $dpi -gray -aa no -aaVector no -singlefile "$out/printed.pdf" "$out/printed" ||
    fail "pdftoppm could not render the printed PDF"

# Paper as measured, and all ink within the map's box (half a pixel and a
# line's width of slack), with a map's worth of it.
$python - "$out/printed.pgm" $dpi "$size" $(cat "$out/box.txt") <<'EOF' || fail "the printed page does not hold the map in its box"
import sys

path, dpi, size = sys.argv[1], int(sys.argv[2]), sys.argv[3].split()
paper_w, paper_h, left, top, right, bottom = map(float, sys.argv[4:10])
if abs(float(size[0]) / 72 - paper_w) > 0.02 or abs(float(size[1]) / 72 - paper_h) > 0.02:
    sys.exit(f"paper {size} pts, the program measured {paper_w} x {paper_h} in")

with open(path, "rb") as f:
    data = f.read()
fields, pos = [], 0
while len(fields) < 4:
    while data[pos:pos + 1].isspace():
        pos += 1
    end = pos
    while not data[end:end + 1].isspace():
        end += 1
    fields.append(data[pos:end])
    pos = end
pos += 1
assert fields[0] == b"P5" and fields[3] == b"255", fields
w, h = int(fields[1]), int(fields[2])
pixels = data[pos:pos + w * h]

ink, x0, y0, x1, y1 = 0, w, h, -1, -1
for y in range(h):
    row = pixels[y * w:(y + 1) * w]
    for x, v in enumerate(row):
        if v < 128:
            ink += 1
            x0, y0, x1, y1 = min(x0, x), min(y0, y), max(x1, x), max(y1, y)
slack = 0.05
inked = (x0 / dpi, y0 / dpi, (x1 + 1) / dpi, (y1 + 1) / dpi)
print(f"ink {ink} pixels from {inked}; box {(left, top, right, bottom)} in")
if ink < 500:
    sys.exit("too little ink for a map")
if inked[0] < left - slack or inked[1] < top - slack or inked[2] > right + slack or inked[3] > bottom + slack:
    sys.exit("ink outside the box")
EOF

echo "The default world printed on queue $queue as one page inside the layout's box"
