"""Running the tests: the native suite's programs, and each mutant planted in the copy, built
and run against exactly the programs that link it."""

import json
import os
import re
import signal
import subprocess
import sys
import time
from collections import OrderedDict

from .report import log
from .workspace import build


def test_programs(out):
    """The native suite as ctest runs it: {program: (working dir, gtest?, [commands])}."""
    j = json.loads(subprocess.run(["ctest", "--test-dir", out, "--show-only=json-v1"], check=True,
                                  capture_output=True, text=True).stdout)
    progs = OrderedDict()
    for t in j["tests"]:
        cmd = t["command"]
        props = {p["name"]: p["value"] for p in t.get("properties", [])}
        wd = props.get("WORKING_DIRECTORY", out)
        entry = progs.setdefault(cmd[0], [wd, True, []])
        entry[1] = entry[1] and any(a.startswith("--gtest_filter=") for a in cmd[1:])
        entry[2].append(cmd)
    return progs


def run_program(prog, wd, gtest, cmds, timeout):
    """Runs one test program; returns None when it passes, else why it failed."""
    runs = [[prog, "--gtest_fail_fast", "--gtest_brief=1", "--gtest_also_run_disabled_tests"]] if gtest else cmds
    deadline = time.monotonic() + timeout
    for cmd in runs:
        try:
            p = subprocess.Popen(cmd, cwd=wd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                 start_new_session=True)
        except OSError as e:
            return f"could not start: {e}"
        output = b""
        try:
            output = p.communicate(timeout=max(0.1, deadline - time.monotonic()))[0]
            rc = p.returncode
        except subprocess.TimeoutExpired:
            rc = None
        finally:
            if p.returncode is None:  # timed out, or we are interrupted: end its whole group
                os.killpg(p.pid, signal.SIGKILL)
                p.wait()
        if rc is None:
            return "timed out"
        if rc != 0:
            # Name the first failing test, so the kill can be traced to the test that made it.
            m = re.search(rb"\[  FAILED  \] (\S+)", output)
            where = m.group(1).decode(errors="replace") if m else os.path.basename(prog)
            return f"failed ({where})" if rc > 0 else f"crashed ({where})"
    return None


def mtimes(progs):
    return {p: (os.stat(p).st_mtime_ns if os.path.exists(p) else 0) for p in progs}


class Interrupted(Exception):
    pass


def on_signal(signum, frame):
    raise Interrupted()


def check_unmutated(out):
    """The test programs, once the unmutated copy is seen to build and pass."""
    ok, text = build(out, 1800)
    if not ok:
        sys.exit("tools/mutate: the unmutated tree does not build:\n" + text)
    progs = test_programs(out)
    for prog, (wd, gtest, cmds) in progs.items():
        why = run_program(prog, wd, gtest, cmds, 600)
        if why:
            sys.exit(f"tools/mutate: the unmutated suite fails: {why}")
    return progs


def run_one(m, copy, out, progs, timeout):
    """Plants the mutant, builds, runs the affected programs and undoes the mutant; sets
    m.result and m.detail."""
    path = os.path.join(copy, m.path)
    with open(path, encoding="utf-8") as fh:
        original = fh.read()
    before = mtimes(progs)
    try:
        with open(path, "w", encoding="utf-8") as fh:
            fh.write(original[:m.start] + m.new + original[m.end:])
        ok, text = build(out, 600)
        if not ok:
            m.result, m.detail = "no-compile", text.strip().splitlines()[-1:] or [""]
        else:
            after = mtimes(progs)
            affected = [p for p in progs if after[p] != before[p]]
            m.result = "survived"
            m.detail = "no test program links it" if not affected else ""
            for p in affected:
                wd, gtest, cmds = progs[p]
                why = run_program(p, wd, gtest, cmds, timeout)
                if why:
                    m.result, m.detail = "killed", why
                    break
    finally:
        with open(path, "w", encoding="utf-8") as fh:
            fh.write(original)


def run_mutants(chosen, copy, out, progs, timeout):
    """Runs the mutants one by one until done or interrupted; the ones run, and the seconds."""
    signal.signal(signal.SIGTERM, on_signal)
    signal.signal(signal.SIGHUP, on_signal)
    started = time.monotonic()
    done = []
    try:
        for i, m in enumerate(chosen, 1):
            run_one(m, copy, out, progs, timeout)
            done.append(m)
            mark = {"killed": "killed  ", "survived": "SURVIVED", "no-compile": "no build"}[m.result]
            by = f"  <- {m.detail}" if m.result == "killed" else ""
            log(f"[{i}/{len(chosen)} {time.monotonic() - started:5.0f}s] {mark} {m.describe()}{by}")
    except (KeyboardInterrupt, Interrupted):
        log("tools/mutate: interrupted; the report covers the mutants run so far")
    finally:
        # The copy holds the original sources again; build it so the next run starts clean.
        build(out, 1800)
    return done, time.monotonic() - started
