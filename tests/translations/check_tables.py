#!/usr/bin/env python3
"""Checks the string tables of resources/translations: each area has a French and an English
table holding the same keys, every key has a text in both, and a key that two areas share has the
same text in both (a key is looked up in the tables in turn, so a second text would never show).

Usage: check_tables.py TRANSLATIONS_DIR
"""
import collections
import pathlib
import sys
import xml.etree.ElementTree as ET

LANGUAGES = ("fr", "en")


def read_table(path):
    texts = {}
    for message in ET.parse(path).getroot().iter("message"):
        source = message.findtext("source") or ""
        translation = message.find("translation")
        unfinished = translation is not None and translation.get("type") in ("unfinished", "vanished", "obsolete")
        texts[source] = "" if translation is None or unfinished else (translation.text or "")
    return texts


def problems(folder):
    folder = pathlib.Path(folder)
    areas = collections.defaultdict(dict)
    found = []
    for path in sorted(folder.glob("*.ts")):
        area, _, language = path.stem.rpartition("_")
        if language not in LANGUAGES or not area:
            found.append(f"{path.name}: name it <area>_fr.ts or <area>_en.ts")
            continue
        try:
            areas[area][language] = read_table(path)
        except ET.ParseError as error:
            found.append(f"{path.name}: not a readable table ({error})")
    seen = {language: {} for language in LANGUAGES}
    for area, tables in sorted(areas.items()):
        for language in LANGUAGES:
            if language not in tables:
                found.append(f"{area}: no {language} table")
        if len(tables) != len(LANGUAGES):
            continue
        fr, en = tables["fr"], tables["en"]
        for key in sorted(set(fr) ^ set(en)):
            found.append(f"{area}: key {key!r} only in the {'fr' if key in fr else 'en'} table")
        for language, table in tables.items():
            for key, text in sorted(table.items()):
                if not text.strip():
                    found.append(f"{area}_{language}: key {key!r} has no text")
                earlier = seen[language].get(key)
                if earlier and earlier[1] != text:
                    found.append(f"{area}_{language}: key {key!r} also in {earlier[0]} with another text")
                seen[language].setdefault(key, (area, text))
    return found


def main(argv):
    if len(argv) != 2:
        print(__doc__)
        return 2
    found = problems(argv[1])
    for line in found:
        print(line)
    print(f"{len(found)} problem(s) in the string tables" if found else "string tables: complete in both languages")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
