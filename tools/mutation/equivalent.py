"""The equivalent-mutant list: "file | change | line text | reason", one a line."""

import os
import sys

from .workspace import ROOT

EQUIVALENT = os.path.join(ROOT, "tools", "mutate.equivalent")


def read_equivalent(path=EQUIVALENT):
    entries = {}
    if not os.path.exists(path):
        return entries
    with open(path, encoding="utf-8") as f:
        for n, raw in enumerate(f, 1):
            line = raw.rstrip("\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            parts = line.split(" | ")
            if len(parts) < 4:
                sys.exit(f"{path}:{n}: want 'file | change | line text | reason'")
            file, change, reason = parts[0].strip(), parts[1].strip(), parts[-1].strip()
            text = " | ".join(parts[2:-1]).strip()
            entries[(file, text, change)] = (n, reason)
    return entries


def unmatched(equivalent, used):
    """The list's line numbers whose entry matched no mutant of this run."""
    return [number for key, (number, _) in equivalent.items() if key not in used]
