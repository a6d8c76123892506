"""What a run mutates: the window-free libraries' sources, the mutants found in them less the
equivalent ones, and the draw of a sample among them."""

import fnmatch
import json
import os
import random
import sys
from collections import OrderedDict

from .equivalent import EQUIVALENT, read_equivalent, unmatched
from .mutants import mutants_of
from .report import log
from .workspace import ROOT

# The window-free libraries and what the report calls them. Their sources come from the
# build's own description, so a new file in one of them is mutated without a change here.
MODULES = OrderedDict([
    ("qv_renderer_core", "renderer model"),
    ("qv_music", "music"),
    ("qv_saver_rules", "saver rules"),
    ("qv_controls_core", "controls models"),
    ("qv_settings_core", "dialog logic"),
    ("qv_handoff", "hand-off"),
])
OPTIONAL_MODULES = OrderedDict([("qv_framework_core", "form framework core")])


def choose_files(libs, module_names, globs):
    """The chosen modules ({library: name}), each source's module name, and the sources."""
    modules = OrderedDict((lib, MODULES.get(lib) or OPTIONAL_MODULES[lib]) for lib in (module_names or MODULES))
    module_of = {}
    for lib, name in modules.items():
        for s in libs.get(lib, []):
            module_of.setdefault(s, name)
    files = sorted(module_of)
    if globs:
        files = [f for f in files if any(fnmatch.fnmatch(f, g) or f == os.path.normpath(g) for g in globs)]
        if not files:
            sys.exit("tools/mutate: none of --files is a source of the chosen modules")
    return modules, module_of, files


def candidates_of(copy, files, note_stale):
    """The mutants of the files that are not listed as equivalent, and how many were."""
    equivalent = read_equivalent()
    used = set()
    candidates = []
    for f in files:
        with open(os.path.join(copy, f), encoding="utf-8") as fh:
            for m in mutants_of(f, fh.read()):
                if m.key() in equivalent:
                    used.add(m.key())
                else:
                    candidates.append(m)
    if note_stale:
        for number in unmatched(equivalent, used):
            log(f"note: {os.path.relpath(EQUIVALENT, ROOT)}:{number} matches no mutant any more")
    return candidates, len(used)


def draw(candidates, seed, sample, run_all, retry_from=None):
    """The mutants to run, in file order: the last run's survivors, all, or a seeded sample."""
    if retry_from:
        with open(retry_from) as f:
            wanted = {tuple(k) for k in json.load(f)}
        chosen = [m for m in candidates if m.key() in wanted]
    elif run_all or sample >= len(candidates):
        chosen = list(candidates)
    else:
        chosen = random.Random(seed).sample(candidates, sample)
    chosen.sort(key=lambda m: (m.path, m.start))
    return chosen
