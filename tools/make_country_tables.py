#!/usr/bin/env python3
"""Makes data/arrlpre2.txt (call prefixes) and data/ADIFCnt.txt (DXCC numbers) from the public
country file cty.csv (Debian package hamradio-files).

cty.csv rows: primary prefix, entity name, DXCC number, continent, CQ zone, ITU zone, latitude,
longitude (west positive), UTC offset, then the prefix list ending in ';'. Entries starting with
'=' are whole calls and are skipped; the (cq) [itu] <lat/lon> {continent} ~utc~ overrides are
stripped, so every prefix of an entity carries the entity's own position. Entities marked '*'
are not DXCC entities (they belong to another list) and are left out.

arrlpre2.txt rows: "prefix","country","continent",longitude,latitude,cq,itu,"utc"; rows in
ascending byte order of prefix (digits before letters), which the prefix search relies on.
ADIFCnt.txt rows: "country",dxcc, one per entity, spelled exactly as in arrlpre2.txt.

Usage: make_country_tables.py [cty.csv] [output folder]
"""
import re
import sys

# Names the logger tests for, and names too long for its 30-character country field.
RENAMES = {
    "United States": "USA",
    "Tristan da Cunha & Gough Islands": "Tristan da Cunha & Gough Is.",
}
MAX_NAME = 30
OVERRIDES = re.compile(r"\(.*?\)|\[.*?\]|<.*?>|\{.*?\}|~.*?~")


def number(text):
    """The shortest text of a number: no trailing zeros, no point for a whole value."""
    value = float(text)
    if value == int(value):
        return str(int(value))
    return ("%.2f" % value).rstrip("0").rstrip(".")


def main():
    source = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/hamradio-files/cty.csv"
    out = sys.argv[2] if len(sys.argv) > 2 else "data"
    prefixes = []
    countries = []
    with open(source, encoding="latin-1") as f:
        for line in f:
            line = line.strip()
            if not line:
                continue
            fields = line.rstrip(";").split(",")
            primary, name, dxcc, cont, cq, itu, lat, lon, utc = fields[:9]
            if primary.startswith("*"):
                continue
            name = RENAMES.get(name, name)
            if '"' in name or len(name) > MAX_NAME or len(name) < 3:
                sys.exit("unusable entity name: %r" % name)
            countries.append((name, int(dxcc)))
            seen = set()
            for item in fields[9].split():
                if item.startswith("="):
                    continue
                prefix = OVERRIDES.sub("", item)
                if not prefix or prefix in seen:
                    continue
                seen.add(prefix)
                prefixes.append((prefix.encode("latin-1"), name, cont, number(lon), number(lat), cq, itu, utc))
    prefixes.sort(key=lambda row: (row[0], row[1]))
    if len(prefixes) > 10000:
        sys.exit("more than 10000 prefixes")
    with open(out + "/arrlpre2.txt", "w", encoding="latin-1", newline="") as f:
        for p, name, cont, lon, lat, cq, itu, utc in prefixes:
            f.write('"%s","%s","%s",%s,%s,%s,%s,"%s"\r\n' % (p.decode("latin-1"), name, cont, lon, lat, cq, itu, utc))
    with open(out + "/ADIFCnt.txt", "w", encoding="latin-1", newline="") as f:
        for name, dxcc in sorted(set(countries)):
            f.write('"%s",%d\r\n' % (name, dxcc))
    print("%d prefixes, %d countries" % (len(prefixes), len(set(countries))))


if __name__ == "__main__":
    main()
