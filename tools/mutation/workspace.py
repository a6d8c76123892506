"""The build the mutants run in: a copy of the tree, configured once without sanitizers, and
what the build says about its libraries."""

import fcntl
import json
import os
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


class Workspace:
    """build/mutate: the copy of the tree (src), its build (out) and the last run's survivors."""

    def __init__(self):
        self.base = os.path.join(os.environ.get("QV_BUILD", os.path.join(ROOT, "build")), "mutate")
        self.copy, self.out = os.path.join(self.base, "src"), os.path.join(self.base, "out")
        self.last_survivors = os.path.join(self.base, "survivors.json")
        self._lock = None

    def open(self):
        """Takes the lock, brings the copy up to the working tree and configures it if needed."""
        os.makedirs(self.copy, exist_ok=True)
        # One run at a time: a second one would undo the first one's mutant in the copy.
        self._lock = open(os.path.join(self.base, "lock"), "w")
        try:
            fcntl.flock(self._lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
        except OSError:
            sys.exit(f"tools/mutate: another run is using {self.base}")
        n = sync_copy(ROOT, self.copy)
        if not os.path.exists(os.path.join(self.out, "CMakeCache.txt")) or n:
            configure(self.copy, self.out)
        return self


def tree_files(root):
    out = subprocess.run(["git", "-C", root, "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                         check=True, capture_output=True).stdout.decode()
    return [p for p in out.split("\0") if p and os.path.isfile(os.path.join(root, p))]


def sync_copy(root, copy):
    """Brings the copy up to the working tree, touching only files that differ (so the build
    stays incremental). This also undoes a mutant left by a run that was killed outright."""
    wanted = set()
    changed = 0
    for rel in tree_files(root):
        wanted.add(rel)
        src, dst = os.path.join(root, rel), os.path.join(copy, rel)
        with open(src, "rb") as f:
            data = f.read()
        try:
            with open(dst, "rb") as f:
                same = f.read() == data
        except FileNotFoundError:
            same = False
        if not same:
            os.makedirs(os.path.dirname(dst), exist_ok=True)
            with open(dst, "wb") as f:
                f.write(data)
            shutil.copymode(src, dst)
            changed += 1
    for d, _, files in os.walk(copy):
        for name in files:
            rel = os.path.relpath(os.path.join(d, name), copy)
            if rel not in wanted:
                os.remove(os.path.join(d, name))
    return changed


def configure(copy, out):
    api = os.path.join(out, ".cmake", "api", "v1", "query")
    os.makedirs(api, exist_ok=True)
    open(os.path.join(api, "codemodel-v2"), "w").close()
    gen = ["-G", "Ninja"] if shutil.which("ninja") else []
    # -O0 compiles fastest; -w keeps a warning (or a warning-as-error) from failing a mutant.
    # The undefined-behaviour checks stay, as in the sanitized suite: an index one past a
    # fixed array is a fault that suite reports. The address checks are left out for speed.
    ub = "-fsanitize=undefined -fno-sanitize-recover=all"
    subprocess.run(["cmake", *gen, "-S", copy, "-B", out, "-DCMAKE_BUILD_TYPE=Debug",
                    f"-DCMAKE_CXX_FLAGS_DEBUG=-O0 -w {ub}", f"-DCMAKE_C_FLAGS_DEBUG=-O0 -w {ub}",
                    f"-DCMAKE_EXE_LINKER_FLAGS_DEBUG={ub}",
                    "-DCMAKE_COMPILE_WARNING_AS_ERROR=OFF", "-DQV_SANITIZE=OFF"],
                   check=True, stdout=subprocess.DEVNULL)


def library_sources(out, copy):
    """{library: [source paths relative to the tree]} from CMake's description of the build."""
    reply = os.path.join(out, ".cmake", "api", "v1", "reply")
    index = sorted(f for f in os.listdir(reply) if f.startswith("index-"))[-1]
    with open(os.path.join(reply, index)) as f:
        cm = json.load(f)["reply"]["codemodel-v2"]["jsonFile"]
    with open(os.path.join(reply, cm)) as f:
        codemodel = json.load(f)
    libs = {}
    for target in codemodel["configurations"][0]["targets"]:
        with open(os.path.join(reply, target["jsonFile"])) as f:
            t = json.load(f)
        if t["type"] != "STATIC_LIBRARY":
            continue
        srcs = []
        for s in t.get("sources", []):
            p = s["path"]
            if os.path.isabs(p):
                p = os.path.relpath(p, copy)
            if p.endswith((".cpp", ".cc")) and not p.startswith(".."):
                srcs.append(p)
        libs[t["name"]] = srcs
    return libs


def build(out, timeout):
    try:
        r = subprocess.run(["cmake", "--build", out, "-j", os.environ.get("QV_JOBS", "2")],
                           capture_output=True, text=True, timeout=timeout)
    except subprocess.TimeoutExpired:
        return False, "build timed out"
    return r.returncode == 0, r.stdout[-3000:] + r.stderr[-3000:]

