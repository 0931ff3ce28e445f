#!/usr/bin/env python3
"""Fails when a file of a lower layer of src/ includes a higher one.

Layers, lowest first: foundation, json and patterns (side by side; they may use only
foundation/Result.h), rest, backend, ui, controls, screens, app. A file may include its own layer
and those below it.

Usage: check_layers.py SRC_DIR     check a tree
       check_layers.py --self-test  check that a planted violation of each kind is found
"""
import pathlib
import re
import sys
import tempfile

RANK = {"foundation": 0, "json": 1, "patterns": 1, "rest": 2, "backend": 3, "ui": 4,
        "controls": 5, "screens": 6, "app": 7}
# The standard-library-only layers: what they may take from the layers beside and below them.
NARROW = {"json": {"foundation/Result.h"}, "patterns": {"foundation/Result.h"}}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def violations(src):
    src = pathlib.Path(src)
    found = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        layer = path.relative_to(src).parts[0]
        if layer not in RANK:
            continue
        for included in INCLUDE.findall(path.read_text(encoding="utf-8", errors="replace")):
            target = included.split("/", 1)[0]
            if target not in RANK or target == layer:
                continue
            if layer in NARROW:
                allowed = included in NARROW[layer]
            else:
                allowed = RANK[target] < RANK[layer]
            if not allowed:
                found.append(f"{path.relative_to(src)}: includes \"{included}\" ({layer} may not use {target})")
    return found


def self_test():
    planted = {
        "json/A.h": '#include "foundation/Timer.h"\n',    # only Result.h is allowed
        "json/B.h": '#include "patterns/PathPattern.h"\n',  # a sibling
        "rest/C.cpp": '#include "backend/ServiceBase.h"\n',  # upwards
        "controls/D.cpp": '#include "screens/x/E.h"\n',     # upwards
        "app/F.cpp": '#include "screens/x/E.h"\n#include "foundation/Timer.h"\n',  # fine
        "json/G.h": '#include "foundation/Result.h"\n',    # fine
    }
    with tempfile.TemporaryDirectory() as tmp:
        for name, text in planted.items():
            path = pathlib.Path(tmp, name)
            path.parent.mkdir(parents=True, exist_ok=True)
            path.write_text(text)
        found = violations(tmp)
    expected = {"json/A.h", "json/B.h", "rest/C.cpp", "controls/D.cpp"}
    reported = {line.split(":", 1)[0] for line in found}
    if reported != expected:
        print("self-test: expected violations in", sorted(expected), "got", sorted(reported))
        return 1
    print("self-test: every planted violation found, nothing else")
    return 0


def main(argv):
    if len(argv) == 2 and argv[1] == "--self-test":
        return self_test()
    if len(argv) != 2:
        print(__doc__)
        return 2
    found = violations(argv[1])
    for line in found:
        print(line)
    print(f"{len(found)} layering violation(s)" if found else "layering: every include points downwards")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
