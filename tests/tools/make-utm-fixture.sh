#!/bin/sh
# Regenerates utm-proj.txt: transverse Mercator eastings and northings of a
# few points by PROJ (proj-bin), the reference for the .utm writer.
# Each row: spheroid name|central meridian|lon|lat|easting|northing
set -eu
cd "$(dirname "$0")"
{
  echo "# made by make-utm-fixture.sh with: proj +proj=tmerc +lon_0=CM +k=0.9996 +x_0=500000 +y_0=0 +ellps=E -f %.4f"
  while IFS='|' read -r name ellps cm lon lat; do
    en=$(echo "$lon $lat" | proj +proj=tmerc +lon_0="$cm" +k=0.9996 +x_0=500000 +y_0=0 +ellps="$ellps" -f %.4f)
    echo "$name|$cm|$lon|$lat|$(echo "$en" | awk '{print $1 "|" $2}')"
  done <<'POINTS'
Clarke 1866|clrk66|-123|-123.0|0.0
Clarke 1866|clrk66|-123|-122.3321|47.6062
Clarke 1866|clrk66|-123|-117.426|47.6588
Clarke 1866|clrk66|-123|-126.0|45.0
Clarke 1866|clrk66|-123|-120.5|-33.25
WGS84 1984|WGS84|15|15.0|0.0
WGS84 1984|WGS84|15|17.5|59.3
WGS84 1984|WGS84|15|12.0|-3.5
WGS84 1984|WGS84|15|10.25|70.125
POINTS
} > utm-proj.txt
