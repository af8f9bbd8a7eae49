#!/usr/bin/env python3
"""Derives geocode/data/japan.bin, Japan's municipalities and towns for the built-in geocoder,
from the government's municipality polygons (国土数値情報 行政区域データ N03, 2021) and
Geolonia's town points (japanese-addresses, 2024-01), as a folder holds them:

    scripts/derive-japan.py FOLDER    # FOLDER/japan-municipalities/N03-21_PP_210101.json
                                      # FOLDER/japan-towns/towns.tsv

The output is deterministic: the same input gives the same bytes. Its format (all integers
unsigned LEB128 varints unless said otherwise, signed ones zigzag-encoded first; a string is its
length in bytes, then that many bytes of UTF-8):

    magic          8 bytes "TSJAPAN1"
    prefectures    number, then each prefecture's name ("京都府")
    town names     number, then each name ("清水一丁目", "字奥春別"), every one distinct
    municipalities number; per municipality (a 市, 町, 村, one of Tokyo's 特別区, or a ward of a
                   designated city):
      prefecture   number: index into the prefectures
      city         string: the designated city a ward belongs to ("京都市"), else empty
      name         string: the municipality or the ward ("東山区", "美瑛町", "新宿区")
      rings        number of rings, outer rings and holes alike (inside is an odd count)
      per ring:
        points     number of points, at least 3; the closing point is not repeated
        points     longitude then latitude in units of 1e-4 degree, signed: the first point
                   absolute, each further one as the difference to the one before
      towns        number of town points
      per town, in order of latitude from the south:
        name       number: index into the town names
        point      longitude then latitude, 1e-4 degree, signed: the first town's absolute,
                   each further one as the difference to the one before
"""

import csv
import glob
import json
import os
import sys

from data_encoding import encode_ring, quantised, quantised_ring, signed, text, varint

HERE = os.path.dirname(os.path.abspath(__file__))
OUTPUT = os.path.join(HERE, "..", "geocode", "data", "japan.bin")
# Land of no municipality yet (reclaimed land, border lakes): a position there takes the
# municipality nearest to it.
UNASSIGNED = "所属未定地"
# The town data writes some names otherwise than the ministry does.
TOWN_SPELLINGS = {"ヶ": "ケ", "檮": "梼"}


def rings_of(geometry):
    polygons = [geometry["coordinates"]] if geometry["type"] == "Polygon" else geometry["coordinates"]
    for polygon in polygons:
        yield from polygon


def spelling_key(prefecture, name):
    for variant, spelling in TOWN_SPELLINGS.items():
        name = name.replace(variant, spelling)
    return prefecture, name


def read_municipalities(folder):
    """Municipalities keyed by prefecture and the town data's way of writing them (county or
    designated city first: 上川郡美瑛町, 京都市東山区; Tokyo's islands without their 支庁)."""
    municipalities = {}
    files = sorted(glob.glob(os.path.join(folder, "japan-municipalities", "N03-21_*_210101.json")))
    for path in files:
        with open(path, encoding="utf-8") as source:
            features = json.load(source)["features"]
        for feature in features:
            p = feature["properties"]
            prefecture, group, name = p["N03_001"], p["N03_003"] or "", p["N03_004"]
            if name == UNASSIGNED:
                continue
            city = group if group.endswith("市") else ""
            county = group if group.endswith("郡") else ""
            key = spelling_key(prefecture, county + city + name)
            entry = municipalities.setdefault(key, {"prefecture": prefecture, "city": city,
                                                    "name": name, "code": p["N03_007"],
                                                    "rings": [], "towns": []})
            entry["rings"] += [r for r in map(quantised_ring, rings_of(feature["geometry"])) if r]
    return municipalities, len(files)


def read_towns(folder, municipalities):
    with open(os.path.join(folder, "japan-towns", "towns.tsv"), encoding="utf-8") as source:
        rows = csv.DictReader(source, delimiter="\t")
        for row in rows:
            key = spelling_key(row["prefecture"], row["municipality"])
            if key not in municipalities:
                raise SystemExit(f"a town of no known municipality: {row}")
            point = quantised(float(row["longitude"]), float(row["latitude"]))
            municipalities[key]["towns"].append((row["town"], point))


def derive(municipalities):
    # In the order of their local government codes, from 北海道 to 沖縄県.
    ordered = sorted(municipalities.values(), key=lambda m: m["code"])
    prefectures = list(dict.fromkeys(m["prefecture"] for m in ordered))
    for m in ordered:
        # Town points of one name at one spot (its 小字) are one town point.
        m["towns"] = sorted(set(m["towns"]), key=lambda t: (t[1][1], t[1][0], t[0]))
    names = sorted({name for m in ordered for name, _ in m["towns"]})
    index = {name: i for i, name in enumerate(names)}

    out = bytearray(b"TSJAPAN1")
    out += varint(len(prefectures))
    for prefecture in prefectures:
        out += text(prefecture)
    out += varint(len(names))
    for name in names:
        out += text(name)
    out += varint(len(ordered))
    for m in ordered:
        out += varint(prefectures.index(m["prefecture"])) + text(m["city"]) + text(m["name"])
        out += varint(len(m["rings"]))
        for ring in m["rings"]:
            out += encode_ring(ring)
        out += varint(len(m["towns"]))
        previous = (0, 0)
        for name, point in m["towns"]:
            out += varint(index[name])
            out += signed(point[0] - previous[0]) + signed(point[1] - previous[1])
            previous = point
    towns = sum(len(m["towns"]) for m in ordered)
    return bytes(out), len(ordered), towns, len(names)


def main():
    if len(sys.argv) != 2:
        raise SystemExit("usage: derive-japan.py FOLDER")
    municipalities, files = read_municipalities(sys.argv[1])
    read_towns(sys.argv[1], municipalities)
    data, count, towns, names = derive(municipalities)
    with open(OUTPUT, "wb") as output:
        output.write(data)
    print(f"{os.path.relpath(OUTPUT)}: {count} municipalities from {files} prefectures, "
          f"{towns} town points of {names} names, {len(data)} bytes")


if __name__ == "__main__":
    main()
