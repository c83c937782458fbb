#!/bin/sh
# Printing to a real print queue: a CUPS PDF queue of this check's own is
# added (and removed afterwards, also on failure), the default world is
# printed to it centred through the program's Print Map
# (PrintingRunTest.PrintsTheDefaultWorldOnAPrintQueue), in inches and in
# centimetres, on portrait and on landscape paper, and each PDF that the
# queue writes must have one page of the paper the program measured, with
# all its ink inside the printed map's box and that ink centred on the
# paper to half a millimetre.
#
# The queue writes its PDFs into a folder of this run's own, OUT_DIR/pdf,
# through a configuration of the PDF driver's own for the queue (removed
# afterwards), so that no PDF that another run left in a PDF folder can be
# taken for this run's.
#
# Usage: check_print.sh APP_TESTS OUT_DIR
# Starts the CUPS scheduler when none runs (and leaves it running, as a
# system service). Exits 77 (skipped) when CUPS, the PDF queue's driver or
# poppler-utils are missing (scripts/setup-debian.sh installs them), when
# this user may not add a queue or give the driver a configuration, or when
# AppArmor keeps the driver to its usual configuration and folders.
set -u
tests=$1
case $2 in
/*) out=$2 ;;
*) out=$PWD/$2 ;;
esac
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

drivers=/etc/cups
[ -w "$drivers" ] || skip "only root may give the PDF driver a configuration of its own in $drivers"
grep -qs '^/usr/lib/cups/backend/cups-pdf (enforce)' /sys/kernel/security/apparmor/profiles &&
    skip "AppArmor keeps the PDF driver to its usual configuration and folders"

rm -rf "$out"
mkdir -p "$out"
pdfs="$out/pdf"
mkdir -p "$pdfs"

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
# The driver reads the configuration named after the instance of its URI.
conf="$drivers/cups-pdf-$queue.conf"
trap 'lpadmin -x "$queue" 2>/dev/null; rm -f "$conf" "/var/log/cups/cups-pdf-${queue}_log"' EXIT
trap 'exit 1' INT TERM HUP
printf 'Out %s\n' "$pdfs" >"$conf" || fail "could not write $conf"
lpadmin -p "$queue" -v "cups-pdf:/$queue" -P "$ppd" -E >"$out/lpadmin.log" 2>&1 ||
    skip "this user may not add a print queue: $(cat "$out/lpadmin.log")"

print_case() {
    units=$1
    orientation=$2
    dir="$out/$units-$orientation"
    mkdir -p "$dir"
    if ! TLRX_PRINT_QUEUE="$queue" TLRX_PRINT_OUT="$dir" TLRX_PRINT_UNITS="$units" \
        TLRX_PRINT_ORIENTATION="$orientation" QT_QPA_PLATFORM=offscreen "$tests" \
        --gtest_filter='PrintingRunTest.PrintsTheDefaultWorldOnAPrintQueue' >"$dir/tests.log" 2>&1; then
        cat "$dir/tests.log"
        fail "the test that prints to the queue failed ($units, $orientation)"
    fi
    [ -s "$dir/box.txt" ] || { cat "$dir/tests.log"; fail "nothing was printed ($units, $orientation)"; }

    # The job of the queue, and the file the PDF queue writes for it into
    # this run's folder, named after the job's number.
    job=$(queue_jobs | tail -n 1)
    [ -n "$job" ] && [ "$job" -gt "$last_job" ] || fail "the queue $queue received no job ($units, $orientation)"
    last_job=$job
    pdf=$(await_pdf "$job") || exit 1
    mv "$pdf" "$dir/printed.pdf"

    pages=$(pdfinfo "$dir/printed.pdf" | sed -n 's/^Pages: *//p')
    [ "$pages" = 1 ] || fail "the printed PDF has ${pages:-no} pages, not one ($units, $orientation)"
    size=$(pdfinfo "$dir/printed.pdf" | sed -n 's/^Page size: *\([0-9.]*\) x \([0-9.]*\) pts.*/\1 \2/p')

    dpi=150
    pdftoppm -f 1 -l 1 -r $dpi -gray -aa no -aaVector no -singlefile "$dir/printed.pdf" "$dir/printed" ||
        fail "pdftoppm could not render the printed PDF"
    measure "$dir/printed.pgm" $dpi "$size" $(cat "$dir/box.txt") ||
        fail "the printed page does not hold the map centred in its box ($units, $orientation)"
}

# Paper as measured, all ink within the map's box (a line's width of
# slack), with a map's worth of it, centred on the paper to half a
# millimetre.
measure() {
    $python - "$@" <<'EOF'
import sys

path, dpi, size = sys.argv[1], int(sys.argv[2]), sys.argv[3].split()
paper_w, paper_h, left, top, right, bottom = map(float, sys.argv[4:10])
pdf_w, pdf_h = float(size[0]) / 72, float(size[1]) / 72
if abs(pdf_w - paper_h) <= 0.02 and abs(pdf_h - paper_w) <= 0.02 and abs(paper_w - paper_h) > 0.02:
    # The queue turns a landscape page a quarter to the left: a point
    # (x, y) of the paper lands at (y, paper width - x).
    left, top, right, bottom = top, paper_w - right, bottom, paper_w - left
    paper_w, paper_h = paper_h, paper_w
if abs(pdf_w - paper_w) > 0.02 or abs(pdf_h - paper_h) > 0.02:
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
    dark = [x for x, v in enumerate(row) if v < 128]
    if dark:
        ink += len(dark)
        x0, y0, x1, y1 = min(x0, dark[0]), min(y0, y), max(x1, dark[-1]), max(y1, y)
slack = 0.05
inked = (x0 / dpi, y0 / dpi, (x1 + 1) / dpi, (y1 + 1) / dpi)
print(f"ink {ink} pixels from {inked}; box {(left, top, right, bottom)} in; paper {paper_w} x {paper_h} in")
if ink < 500:
    sys.exit("too little ink for a map")
if inked[0] < left - slack or inked[1] < top - slack or inked[2] > right + slack or inked[3] > bottom + slack:
    sys.exit("ink outside the box")
off_x = (inked[0] + inked[2]) / 2 - paper_w / 2
off_y = (inked[1] + inked[3]) / 2 - paper_h / 2
print(f"ink centred to {off_x * 25.4:.2f} mm across, {off_y * 25.4:.2f} mm down")
if abs(off_x) > 0.5 / 25.4 or abs(off_y) > 0.5 / 25.4:
    sys.exit("the map is not centred on the paper")
EOF
}

# The queue's jobs by number.
queue_jobs() { lpstat -W all -o "$queue" | sed -n "s/^$queue-\([0-9]*\) .*/\1/p" | sort -n; }

# The PDF of job JOB in this run's folder, once the job has left the queue.
await_pdf() {
    i=0
    while :; do
        found=$(ls "$pdfs"/*job_"$1".pdf 2>/dev/null | head -n 1)
        [ -n "$found" ] && [ -z "$(lpstat -o "$queue" 2>/dev/null)" ] && break
        i=$((i + 1))
        [ $i -gt 300 ] && fail "no PDF of job $1 in $pdfs after a minute" >&2
        sleep 0.2
    done
    echo "$found"
}

# Stopped while a large page is handed to the queue, and while its file is
# written: the queue gets no job from those prints, and the print after them
# is its one job.
if ! TLRX_PRINT_QUEUE="$queue" QT_QPA_PLATFORM=offscreen "$tests" \
    --gtest_filter='PrintingRunTest.AStopWhileAPageIsHandedToAPrintQueueSendsItNothing' >"$out/stop.log" 2>&1; then
    cat "$out/stop.log"
    fail "the test that stops a print to the queue failed"
fi
grep -q "SKIPPED" "$out/stop.log" && { cat "$out/stop.log"; fail "the stop test did not see the queue"; }
[ "$(queue_jobs | wc -l)" = 1 ] || fail "the queue received $(queue_jobs | wc -l) jobs for two stopped prints and one that went on"
last_job=$(queue_jobs | tail -n 1)
pdf=$(await_pdf "$last_job") || exit 1
mv "$pdf" "$out/stop-then-print.pdf"

for units in inch cm; do
    for orientation in portrait landscape; do
        print_case $units $orientation
    done
done

echo "The default world printed centred on queue $queue in inches and centimetres, portrait and landscape"
