"""The encoding that the built-in geocoder's data files share (scripts/derive-admin1.py,
scripts/derive-japan.py): unsigned LEB128 varints, zigzag-signed ones, length-prefixed UTF-8
strings, and rings of points in units of 1e-4 degree, each point the difference to the one
before."""

UNITS_PER_DEGREE = 10000


def varint(value):
    out = bytearray()
    while True:
        byte = value & 0x7F
        value >>= 7
        if value:
            out.append(byte | 0x80)
        else:
            out.append(byte)
            return bytes(out)


def signed(value):
    return varint(value << 1 if value >= 0 else (-value << 1) - 1)


def text(value):
    data = (value if isinstance(value, str) else "").strip().encode("utf-8")
    return varint(len(data)) + data


def quantised(longitude, latitude):
    return (round(longitude * UNITS_PER_DEGREE), round(latitude * UNITS_PER_DEGREE))


def quantised_ring(ring):
    """The ring's points rounded, repeated points and the repeated closing point dropped; None
    when fewer than three are left."""
    points = []
    for longitude, latitude in ring:
        point = quantised(longitude, latitude)
        if not points or points[-1] != point:
            points.append(point)
    if len(points) > 1 and points[0] == points[-1]:
        points.pop()
    return points if len(points) >= 3 else None


def encode_ring(points):
    out = bytearray(varint(len(points)))
    previous = (0, 0)
    for point in points:
        out += signed(point[0] - previous[0]) + signed(point[1] - previous[1])
        previous = point
    return bytes(out)
