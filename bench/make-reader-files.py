#!/usr/bin/python3
"""Writes a synthetic world of random-walk polylines as plain polyline text and
converts it with tlrx-convert into the map file kinds the reader benchmark reads.

    bench/make-reader-files.py TLRX_CONVERT OUTDIR [POINTS]

OUTDIR receives world.txt (the polylines) and world.prn, .mps, .mp1, .map,
.pkv and .dat; POINTS defaults to 4,000,000.
"""

import os
import random
import subprocess
import sys


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    convert, outdir = sys.argv[1], sys.argv[2]
    points = int(sys.argv[3]) if len(sys.argv) > 3 else 4_000_000
    os.makedirs(outdir, exist_ok=True)
    rng = random.Random(13)
    text = os.path.join(outdir, "world.txt")
    written = 0
    with open(text, "w") as out:
        out.write("# A synthetic world: random walks of 5-decimal points\n")
        while written < points:
            n = min(rng.randint(20, 400), points - written)
            # Units of 1e-5 degrees keep the 5 decimals exact; the walks stay
            # inside the world and away from the 180th meridian.
            lon = rng.randint(-17_000_000, 17_000_000)
            lat = rng.randint(-8_000_000, 8_000_000)
            lines = [">"]
            for _ in range(n):
                lon = max(-17_900_000, min(17_900_000, lon + rng.randint(-5000, 5000)))
                lat = max(-8_900_000, min(8_900_000, lat + rng.randint(-5000, 5000)))
                lines.append(f"{lon / 1e5:.5f} {lat / 1e5:.5f}")
            out.write("\n".join(lines) + "\n")
            written += n
    for kind in ("prn", "mps", "mp1", "map", "pkv", "dat"):
        subprocess.run([convert, "-o", os.path.join(outdir, "world." + kind), "1=" + text], check=True)


if __name__ == "__main__":
    main()
