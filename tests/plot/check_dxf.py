#!/usr/bin/python3
"""Opens a DXF export in independent readers, as a user's program would.

    check_dxf.py FILE [TYPE=COUNT ...] [--text=TEXT ...]

- ezdxf (python3-ezdxf): the strict loader (ezdxf.readfile) must read the
  file without a warning, the recovering loader must find nothing to fix,
  and the document's audit must come out clean. Every entity lies on layer
  "0" with a colour number from 1 to 255, and the model space holds COUNT
  entities of each TYPE given, and a TEXT entity reading each TEXT given.
- LibreOffice Draw: converts the file to PDF
  (soffice --headless --convert-to pdf, private profile); the PDF must have a
  page with something drawn on it (pdfinfo, pdftoppm from poppler-utils),
  and each TEXT given among its words (pdftotext).

A reader that is not installed is left out with a message, and the script
then ends with 77, which ctest counts as skipped; scripts/setup-debian.sh
installs them all.
"""
import collections
import logging
import os
import re
import shutil
import subprocess
import sys
import tempfile

SKIP = 77


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


class Collect(logging.Handler):
    def __init__(self):
        super().__init__(logging.WARNING)
        self.messages = []

    def emit(self, record):
        self.messages.append(record.getMessage())


def check_ezdxf(path, expected, texts):
    try:
        import ezdxf
        from ezdxf import recover
    except ImportError:
        print("SKIP: ezdxf is not installed (Debian package python3-ezdxf)")
        return False

    warnings = Collect()
    logging.getLogger("ezdxf").addHandler(warnings)
    try:
        doc = ezdxf.readfile(path)
    except Exception as e:  # any complaint of the strict loader
        fail(f"ezdxf.readfile: {type(e).__name__}: {e}")
    if warnings.messages:
        fail("ezdxf.readfile warned: " + "; ".join(warnings.messages))

    _, auditor = recover.readfile(path)
    if auditor.has_errors or auditor.has_fixes:
        fail("ezdxf.recover: " + "; ".join(str(e) for e in auditor.errors + auditor.fixes))

    audit = doc.audit()
    if audit.has_errors or audit.has_fixes:
        fail("audit: " + "; ".join(str(e) for e in audit.errors + audit.fixes))

    counts = collections.Counter()
    for e in doc.modelspace():
        counts[e.dxftype()] += 1
        if e.dxf.layer != "0":
            fail(f"{e.dxftype()} on layer {e.dxf.layer!r}")
        if not 1 <= e.dxf.color <= 255:
            fail(f"{e.dxftype()} with colour {e.dxf.color}")
    print(f"ezdxf {ezdxf.__version__}: {doc.dxfversion}, entities {dict(sorted(counts.items()))}, audit clean")
    for kind, count in expected.items():
        if counts[kind] != count:
            fail(f"{counts[kind]} {kind} entities, expected {count}")
    # ezdxf keeps the \U+XXXX escapes in the value; its own decoder reads them.
    from ezdxf.lldxf.encoding import decode_dxf_unicode
    read = [decode_dxf_unicode(e.dxf.text) for e in doc.modelspace().query("TEXT")]
    for text in texts:
        if text not in read:
            fail(f"no TEXT entity reads {text!r}: {read!r}")
    return True


def check_libreoffice(path, texts):
    soffice = shutil.which("soffice")
    if soffice is None:
        print("SKIP: LibreOffice is not installed (Debian package libreoffice-draw)")
        return False
    with tempfile.TemporaryDirectory(prefix="check-dxf-") as tmp:
        profile = "file://" + os.path.join(tmp, "profile")
        command = [soffice, "--headless", f"-env:UserInstallation={profile}", "--convert-to", "pdf",
                   "--outdir", tmp, path]
        result = subprocess.run(command, capture_output=True, text=True, timeout=240)
        pdf = os.path.join(tmp, os.path.splitext(os.path.basename(path))[0] + ".pdf")
        if result.returncode != 0 or not os.path.exists(pdf) or os.path.getsize(pdf) == 0:
            fail(f"LibreOffice made no PDF (exit {result.returncode}): {result.stdout} {result.stderr}")
        summary = f"LibreOffice: PDF of {os.path.getsize(pdf)} bytes"

        if shutil.which("pdfinfo"):
            info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
            pages = [int(line.split()[1]) for line in info.splitlines() if line.startswith("Pages:")]
            if not pages or pages[0] < 1:
                fail("the PDF has no page:\n" + info)
            summary += f", {pages[0]} page(s)"
        if shutil.which("pdftoppm"):
            # The first page in grey at 30 dpi, as binary PGM: something drawn
            # leaves pixels darker than white.
            pgm = subprocess.run(["pdftoppm", "-gray", "-r", "30", "-f", "1", "-l", "1", pdf],
                                 capture_output=True).stdout
            header = re.match(rb"P5\s+(\d+)\s+(\d+)\s+(\d+)\s", pgm)
            if header is None:
                fail("pdftoppm gave no picture of the page")
            dark = sum(1 for value in pgm[header.end():] if value < 200)
            if dark == 0:
                fail("the PDF page is blank")
            summary += f", {dark} dark pixels at 30 dpi"
        if texts:
            if not shutil.which("pdftotext"):
                print("SKIP: pdftotext is not installed (Debian package poppler-utils)")
                return False
            words = subprocess.run(["pdftotext", "-enc", "UTF-8", pdf, "-"], capture_output=True,
                                   text=True, encoding="utf-8").stdout
            for text in texts:
                if text not in words:
                    fail(f"the PDF does not show {text!r}: {words!r}")
            summary += f", {len(texts)} text(s) shown"
        print(summary)
    return True


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        sys.exit(2)
    path = os.path.abspath(sys.argv[1])
    if not os.path.exists(path):
        fail(f"{path} does not exist: the test that writes it has not run")
    expected = {}
    texts = []
    for arg in sys.argv[2:]:
        if arg.startswith("--text="):
            texts.append(arg[len("--text="):])
            continue
        kind, count = arg.split("=")
        expected[kind] = int(count)
    complete = check_ezdxf(path, expected, texts)
    complete = check_libreoffice(path, texts) and complete
    sys.exit(0 if complete else SKIP)


if __name__ == "__main__":
    main()
