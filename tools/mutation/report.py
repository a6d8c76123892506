"""Reporting: progress lines and the closing table of scores by file and module."""

from collections import OrderedDict


def log(msg):
    print(msg, flush=True)


def report(done, module_of, modules, skipped, seconds):
    per_file = OrderedDict()
    for m in done:
        per_file.setdefault(m.path, []).append(m)

    def counts(ms):
        k = sum(m.result == "killed" for m in ms)
        s = sum(m.result == "survived" for m in ms)
        c = sum(m.result == "no-compile" for m in ms)
        score = f"{100.0 * k / (k + s):5.1f} %" if k + s else "    -  "
        return k, s, c, score

    log("")
    log(f"{'file':45} {'killed':>6} {'survived':>8} {'no build':>8}  score")
    for f, ms in per_file.items():
        k, s, c, score = counts(ms)
        log(f"{f:45} {k:6} {s:8} {c:8}  {score}")
    log("")
    log(f"{'module':45} {'killed':>6} {'survived':>8} {'no build':>8}  score")
    for name in modules.values():
        ms = [m for m in done if module_of.get(m.path) == name]
        if ms:
            k, s, c, score = counts(ms)
            log(f"{name:45} {k:6} {s:8} {c:8}  {score}")
    k, s, c, score = counts(done)
    log(f"{'all':45} {k:6} {s:8} {c:8}  {score}")
    log(f"({len(done)} mutants in {seconds / 60:.1f} min; {skipped} equivalent ones skipped)")
    survivors = [m for m in done if m.result == "survived"]
    if survivors:
        log("\nSurvivors (file:line: change [line]):")
        for m in survivors:
            log(f"  {m.describe()}" + (f"  -- {m.detail}" if m.detail else ""))
