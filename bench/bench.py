#!/usr/bin/env python3
"""Times Varnholt's synchronization run against reference tools.

Started by bench/run.sh inside tools/wine-env (which provides WINEPREFIX, a
display and a live wineserver). Three data sets, each a pair of folders a/b:
  many: lots of small files in lots of folders (cost per file and folder);
  big:  a few large files (copy throughput);
  huge: ten times the many set, both sides generated equal (how the run with
        nothing to copy scales: time, memory, and how long the window goes
        without handling its messages).
For many and big, it measures
  (a) the program's run with nothing to copy (both sides equal), and
      Varnholt.exe /sync doing the same as a whole process,
  (b) the program's run copying side a into an empty side b,
  (c) Wine's xcopy /E /D /Y /I /Q doing the same two jobs, both directions,
  (d) listing both trees with FindFirstFileW/FindNextFileW only, and the same
      plus the run's two status queries per file and direction,
  (e) native rsync -a --update doing the same two jobs, both directions.
For huge, only (a) and the bare listing of (d), with the run of (a) on the
many set in the same rounds (time per file on both sets). Every run of the
program also reports its peak working set above the one at rest just before
the run, and the longest stretch without a call of its idle callback.
The program and the references it is compared with run interleaved, in
rounds (the run, then each reference once, then the run again...), so that a
change of load on the machine hits all of them alike. It prints minimum and
median of each, the ratios of (a) and (b) to the references (and of
Varnholt.exe /sync to the run's process) as ratio of medians and ratio of
minimums, and whether the speed targets hold.
"""

import argparse
import filecmp
import os
import random
import shutil
import statistics
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
WINE = os.environ.get("VARNHOLT_WINE", "/usr/lib/wine/wine64")
MIB = 1 << 20

SIZES = {
    # Rounds per scenario: at least min_rounds; more, up to max_rounds, while
    # the scenario stays within its time budget (seconds).
    "full": dict(files=20000, folders=2000, big_count=5, big_mib=100,
                 huge_files=200000, huge_folders=20000,
                 min_rounds=5, max_rounds=9, budget=240.0),
    "small": dict(files=2000, folders=200, big_count=5, big_mib=10,
                  huge_files=20000, huge_folders=2000,
                  min_rounds=5, max_rounds=5, budget=60.0),
}

START = time.perf_counter()


def progress(text):
    print(f"[{time.perf_counter() - START:7.1f}s] {text}", flush=True)


def wine_path(path):
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


# ---------------------------------------------------------------- data

def write_file(path, data, stamp):
    """One file with its bytes and modification time, in as few system calls
    as Python allows (the huge set writes 400,000 of them)."""
    fd = os.open(path, os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o644)
    try:
        os.write(fd, data)
        os.utime(fd, (stamp, stamp))
    finally:
        os.close(fd)


def generate_many(sides, files, folders, seed=20240501):
    """`folders` folders (top folders of 99 sub-folders each), `files` files
    of 1 to 8 KiB spread evenly over them, with fixed content and times,
    written alike into each folder of `sides` (a equal to b, where two)."""
    rng = random.Random(seed)
    tops = max(1, folders // 100)
    subs = folders // tops - 1
    digits = max(2, len(str(tops - 1)))
    places = []
    for t in range(tops):
        top = f"d{t:0{digits}d}"
        places.append(top)
        places += [f"{top}/s{s:03d}" for s in range(subs)]
    for side in sides:
        for place in places:
            (side / place).mkdir(parents=True, exist_ok=True)
    width = max(5, len(str(files - 1)))
    base = 1714557600  # 2024-05-01 10:00 UTC
    total = 0
    for i in range(files):
        name = f"{places[i % len(places)]}/f{i:0{width}d}.dat"
        data = rng.randbytes(rng.randint(1024, 8192))
        stamp = base + rng.randrange(0, 365 * 86400)
        for side in sides:
            write_file(side / name, data, stamp)
        total += len(data)
    return total


def disk_use(folder):
    """Bytes the tree takes on the disk (du)."""
    out = subprocess.run(["du", "-sk", str(folder)], stdout=subprocess.PIPE, text=True,
                         check=True).stdout
    return int(out.split()[0]) * 1024


def generate_big(side, count, mib, seed=20240502):
    rng = random.Random(seed)
    side.mkdir(parents=True, exist_ok=True)
    base = 1717236000  # 2024-06-01 10:00 UTC
    for i in range(count):
        path = side / f"big{i}.bin"
        with open(path, "wb") as out:
            for _ in range(mib):
                out.write(rng.randbytes(MIB))
        os.utime(path, (base + i * 3600, base + i * 3600))
    return count * mib * MIB


def write_program_folder(folder, a, b, program_exe):
    """Varnholt.exe, config.ini (from the shipped one) naming the pair a/b,
    and the language file: the bench program reads the pair as the program
    does, and Varnholt.exe /sync runs it from the same folder."""
    folder.mkdir(parents=True, exist_ok=True)
    lines = (ROOT / "resources/config.ini").read_bytes().decode("latin-1").split("\r\n")
    values = {"Folders1": wine_path(a) + "\\...*", "Folders2": wine_path(b) + "\\...*",
              "Startup": "manually", "SyncInterval": "0", "NextSync": "0"}
    for i in range(0, len(lines) - 1, 2):
        if lines[i] in values:
            lines[i + 1] = values[lines[i]]
    (folder / "config.ini").write_bytes("\r\n".join(lines).encode("latin-1"))
    shutil.copy(ROOT / "resources/Varnholttrl.ini", folder / "Varnholttrl.ini")
    shutil.copy(program_exe, folder / "Varnholt.exe")


def tree_files(side):
    return sorted(p.relative_to(side) for p in side.rglob("*") if p.is_file())


def check_equal(a, b, what):
    """Both sides hold the same files with the same content and minute;
    returns the number of files."""
    # filecmp remembers earlier answers by size and time, which a new copy
    # of the same files repeats: compare the bytes again every time.
    filecmp.clear_cache()
    names_a, names_b = tree_files(a), tree_files(b)
    if names_a != names_b:
        sys.exit(f"bench: after {what}, the sides list different files "
                 f"({len(names_a)} vs {len(names_b)})")
    for name in names_a:
        fa, fb = a / name, b / name
        if int(fa.stat().st_mtime) // 60 != int(fb.stat().st_mtime) // 60 or \
                not filecmp.cmp(fa, fb, shallow=False):
            sys.exit(f"bench: after {what}, {name} differs between the sides")
    return len(names_a)


# ---------------------------------------------------------------- timing

# What the exit codes of Varnholt.exe /sync other than 0 say.
SYNC_EXIT_CODES = {
    1: "some files could not be copied",
    2: "the run could not start: config.ini missing or unreadable, or its lists of unequal length",
    3: "a copy of Varnholt already runs from the program folder",
}


def run(cmd, timeout=1200, codes=None):
    """Runs `cmd`; returns (wall seconds, standard output lines). A program
    that waits for an answer (a message box) is ended after `timeout`. An
    exit code other than 0 stops the benchmark, with its meaning from
    `codes` where given."""
    begin = time.perf_counter()
    try:
        done = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                              timeout=timeout)
    except subprocess.TimeoutExpired:
        sys.exit(f"bench: {' '.join(map(str, cmd))} did not end within {timeout} s")
    wall = time.perf_counter() - begin
    if done.returncode != 0:
        meaning = (codes or {}).get(done.returncode)
        sys.exit(f"bench: {' '.join(map(str, cmd))} failed ({done.returncode}"
                 f"{': ' + meaning if meaning else ''}):\n{done.stdout}{done.stderr}")
    if done.stderr.strip():
        print(done.stderr.strip(), file=sys.stderr)
    return wall, [line.strip() for line in done.stdout.splitlines()]


def field(lines, key):
    """The words of the first line whose first word is `key`."""
    for line in lines:
        words = line.split()
        if words and words[0] == key:
            return words
    sys.exit(f"bench: no '{key}' line in: {lines}")


class Results:
    def __init__(self):
        self.rows = {}  # (set, label) -> {"inside": [...], "wall": [...]}
        self.rounds = {}  # (set, scenario) -> rounds run
        self.where = {}  # (set, label) -> where each round's longest gap lay

    def add(self, dataset, label, inside=None, wall=None):
        row = self.rows.setdefault((dataset, label), {"inside": [], "wall": []})
        if inside is not None:
            row["inside"].append(inside)
        if wall is not None:
            row["wall"].append(wall)


def rounds(title, steps, cfg):
    """Runs `steps` ((label, step) pairs; step() returns what to show) in
    interleaved rounds: each round runs every step once, in order, the
    program first and then the references it is compared with, so that a
    change of load on the machine falls on all of them alike. Runs at least
    cfg["min_rounds"] rounds; more, up to cfg["max_rounds"], while the next
    round would likely end within cfg["budget"] seconds for the scenario.
    Returns the number of rounds run."""
    spent = 0.0
    done = 0
    while True:
        begin = time.perf_counter()
        for label, step in steps:
            shown = step()
            progress(f"  {title} {done + 1}, {label}: {shown}")
        spent += time.perf_counter() - begin
        done += 1
        if done >= cfg["max_rounds"]:
            break
        if done >= cfg["min_rounds"] and spent / done * (done + 1) > cfg["budget"]:
            progress(f"  {title}: stopped after {done} rounds (time budget "
                     f"{cfg['budget']:.0f} s)")
            break
    return done


# ---------------------------------------------------------------- scenarios

def measure(dataset, a, b, program, exes, cfg, results, reference=None):
    """The rounds of one data set. `reference` (huge set only): the program
    folder of the many set, whose run is timed in the same rounds."""
    bench_exe, list_exe = exes
    wa, wb = wine_path(a), wine_path(b)

    def program_run(label, folder=program, equal=False):
        """The bench's run of the pair in `folder`; `equal`: the sides are
        equal, and it must copy nothing. Besides its times it records the
        time per compared file, the peak working set above the one at rest
        before the run (label-mem) and the longest stretch without a call of
        the idle callback (label-gap)."""
        def step():
            wall, lines = run([WINE, bench_exe, wine_path(folder)])
            if field(lines, "pairs")[1] != "1":
                sys.exit(f"bench: the pair was not read from config.ini: {lines}")
            words = field(lines, "run")
            inside, compared, copied = float(words[1]), int(words[3]), int(words[5])
            if equal and copied:
                sys.exit(f"bench: the sides were not equal: the run copied {copied} files")
            opening = float(field(lines, "open")[1])
            memory = field(lines, "memory")
            rest, peak = int(memory[2]), int(memory[4])
            idle = field(lines, "idle")
            results.add(dataset, label, inside, wall)
            results.add(dataset, f"{label}-file", inside / compared)
            results.add(dataset, f"{label}-mem", peak - rest)
            results.add(dataset, f"{label}-rest", rest)
            results.add(dataset, f"{label}-gap", float(idle[2]))
            results.where.setdefault((dataset, f"{label}-gap"), []).append(idle[4])
            return (f"{inside:.3f} s in the run, {wall:.3f} s process "
                    f"(pairs read in {opening:.3f} s); {compared} files compared, "
                    f"{(peak - rest) / 1e6:.1f} MB above {rest / 1e6:.1f} MB at rest, "
                    f"longest without idle {float(idle[2]) * 1000:.0f} ms at {idle[4]}")
        return step

    def sync_command(label):
        """Varnholt.exe /sync from the program folder, timed as a whole
        process. With nothing to copy it must end with 0 and write no run
        log: a log would mean it copied or failed something."""
        log = program / "Varnholt.log"

        def step():
            log.unlink(missing_ok=True)
            wall, _ = run([WINE, program / "Varnholt.exe", "/sync"], codes=SYNC_EXIT_CODES)
            if log.exists():
                sys.exit(f"bench: Varnholt.exe /sync wrote a run log with nothing to copy:\n"
                         f"{log.read_text(encoding='utf-8-sig', errors='replace')[:2000]}")
            results.add(dataset, label, None, wall)
            return f"{wall:.3f} s process, exit code 0"
        return step

    def program_parts():
        _, lines = run([WINE, bench_exe, wine_path(program), "--parts"])
        scan, compare = field(lines, "scan"), field(lines, "compare")
        if compare[3] != "0":
            sys.exit(f"bench: the sides were not equal: {compare[3]} files copied")
        results.add(dataset, "part-scan", float(scan[1]), None)
        results.add(dataset, "part-compare", float(compare[1]), None)
        return f"scans {float(scan[1]):.3f} s, comparisons {float(compare[1]):.3f} s"

    def empty_b():
        shutil.rmtree(b, ignore_errors=True)
        b.mkdir(parents=True)
        os.sync()

    def into_empty_b(what, step):
        """`step` run on an emptied side b, then checked."""
        def copied():
            empty_b()
            shown = step()
            return f"{shown}; checked {check_equal(a, b, what)} files on each side"
        return copied

    def both_ways(label, one_way):
        def step():
            os.sync()
            wall = one_way(a, b) + one_way(b, a)
            results.add(dataset, label, None, wall)
            return f"{wall:.3f} s"
        return step

    def xcopy(src, dst):
        return run([WINE, "xcopy", "/E", "/D", "/Y", "/I", "/Q", wine_path(src), wine_path(dst)])[0]

    def rsync(src, dst):
        return run(["rsync", "-a", "--update", f"{src}/", f"{dst}/"])[0]

    def listing(label, extra):
        def step():
            os.sync()
            _, lines = run([WINE, list_exe, *extra, "1", wa, wb])
            words = field(lines, "list")
            results.add(dataset, label, float(words[1]), None)
            return f"{float(words[1]):.3f} s, {words[3]} files"
        return step

    if reference is not None:
        progress(f"{dataset}: nothing to copy, in rounds of (a) the run, (d) the listing, "
                 "(a) the run on the many set")
        results.rounds[(dataset, "equal")] = rounds("equal round", [
            ("(a) run", program_run("run-equal", equal=True)),
            ("(d) listing", listing("list", [])),
            ("(a) run, many set", program_run("many-run-equal", reference, equal=True)),
        ], cfg)
        return

    progress(f"{dataset}: copy into an empty side b, in rounds of (b) the run, "
             "(c) xcopy, (e) rsync")
    results.rounds[(dataset, "copy")] = rounds("copy round", [
        ("(b) run", into_empty_b("the run", program_run("run-copy"))),
        ("(c) xcopy", into_empty_b("xcopy", both_ways("xcopy-copy", xcopy))),
        ("(e) rsync", into_empty_b("rsync", both_ways("rsync-copy", rsync))),
    ], cfg)

    progress(f"{dataset}: nothing to copy, in rounds of (a) the run, (a) Varnholt.exe /sync, "
             "(d) listings, (c) xcopy, (e) rsync, (a) the run's parts")
    results.rounds[(dataset, "equal")] = rounds("equal round", [
        ("(a) run", program_run("run-equal", equal=True)),
        ("(a) /sync", sync_command("sync-equal")),
        ("(d) listing", listing("list", [])),
        ("(d) listing + status", listing("list-stat", ["--stat"])),
        ("(c) xcopy", both_ways("xcopy-equal", xcopy)),
        ("(e) rsync", both_ways("rsync-equal", rsync)),
        ("(a) parts", program_parts),
    ], cfg)


# ---------------------------------------------------------------- report

LABELS = [
    ("run-equal", "(a) run, nothing to copy"),
    ("many-run-equal", "(a) run on the many set, nothing to copy (the huge set's reference)"),
    ("sync-equal", "(a) Varnholt.exe /sync, nothing to copy"),
    ("part-scan", "(a) file by file: the scans alone"),
    ("part-compare", "(a) file by file: one status query per file and side"),
    ("run-copy", "(b) run, copy into empty side"),
    ("xcopy-equal", "(c) xcopy both ways, nothing to copy"),
    ("xcopy-copy", "(c) xcopy both ways, copy into empty"),
    ("list", "(d) FindFirstFileW listing of both trees"),
    ("list-stat", "(d) listing + the run's status queries"),
    ("rsync-equal", "(e) rsync both ways, nothing to copy"),
    ("rsync-copy", "(e) rsync both ways, copy into empty"),
]

# Only measurements taken in the same rounds are compared.
RATIOS = [
    ("sync-equal", "run-equal", "(a) /sync / (a) the bench's run, nothing to copy"),
    ("run-equal", "xcopy-equal", "(a) / (c) xcopy, nothing to copy"),
    ("run-equal", "list", "(a) / (d) listing"),
    ("run-equal", "list-stat", "(a) / (d) listing + status queries"),
    ("run-equal", "rsync-equal", "(a) / (e) rsync, nothing to copy"),
    ("run-equal-file", "many-run-equal-file", "(a) time per file / the same on the many set"),
    ("run-copy", "xcopy-copy", "(b) / (c) xcopy, copy into empty"),
    ("run-copy", "rsync-copy", "(b) / (e) rsync, copy into empty"),
]

# The runs of the program, with the figures each reports besides its times.
RUN_FIGURES = [
    ("run-equal", "(a) run, nothing to copy"),
    ("many-run-equal", "(a) run on the many set, nothing to copy"),
    ("run-copy", "(b) run, copy into empty side"),
]

MB = 1e6

# (data set, run, how the run and the reference are timed, reference, what,
# at most, bound shown). Like is compared with like: the listing is timed
# inside its process, as the run is; xcopy and Varnholt.exe /sync only as
# whole processes, so the run's whole process. A target without a reference
# bounds the figure itself (median and minimum of the rounds), shown divided
# by the scale that follows, with its unit.
TARGETS = [
    ("many", "run-equal", "inside", "list",
     "nothing to copy: run timed inside / (d) listing of both trees", 1.2, "1.2"),
    ("many", "run-equal", "wall", "xcopy-equal",
     "nothing to copy: run's process / (c) xcopy both ways", 1 / 7, "1/7 = 0.143"),
    ("many", "run-copy", "wall", "xcopy-copy",
     "copy into an empty side: run's process / (c) xcopy both ways", 1.0, "1.0"),
    ("many", "sync-equal", "wall", "run-equal",
     "nothing to copy: Varnholt.exe /sync process / (a) the bench's run process", 1.1, "1.1"),
    ("big", "run-copy", "wall", "xcopy-copy",
     "copy into an empty side: run's process / (c) xcopy both ways", 1.1, "1.1"),
    ("huge", "run-equal", "inside", "list",
     "nothing to copy: run timed inside / (d) listing of both trees", 1.1, "1.1"),
    ("huge", "run-equal-mem", "inside", None,
     "nothing to copy: peak working set during the run above the program at rest",
     40 * MB, "40 MB", MB, " MB"),
    ("huge", "run-equal-file", "inside", "many-run-equal-file",
     "nothing to copy: time per file / the same on the many set, same rounds", 1.2, "1.2"),
    ("huge", "run-equal-gap", "inside", None,
     "nothing to copy: longest time without a call of the idle callback", 0.1, "100 ms",
     1e-3, " ms"),
]


def reference_times(row):
    """A reference's times: from inside where it has them, else its process."""
    return row["inside"] or row["wall"]


def ratios(mine, ref):
    """(ratio of medians, ratio of minimums) of two lists of times."""
    return (statistics.median(mine) / statistics.median(ref), min(mine) / min(ref))


def report(results, described, small):
    def seconds(values):
        if not values:
            return "-", "-"
        return f"{min(values):.3f}", f"{statistics.median(values):.3f}"

    out = []
    for dataset, text in described.items():
        rows = {key: row for (name, key), row in results.rows.items() if name == dataset}
        counts = ", ".join(f"{what} {results.rounds[(dataset, scenario)]}"
                           for scenario, what in (("equal", "nothing to copy"),
                                                  ("copy", "copy into an empty side"))
                           if (dataset, scenario) in results.rounds)
        out += ["", f"### {dataset}: {text}", "",
                f"Interleaved rounds: {counts}.", "",
                "| measurement | n | time min s | time median s "
                "| process min s | process median s |",
                "|---|---:|---:|---:|---:|---:|"]
        for key, label in LABELS:
            row = rows.get(key)
            if not row:
                continue
            # The run and the listing are timed inside their process (time)
            # and around it (process); xcopy and rsync only around theirs.
            inside, wall = row["inside"], row["wall"]
            n = len(inside or wall)
            imin, imed = seconds(inside)
            wmin, wmed = seconds(wall)
            out.append(f"| {label} | {n} | {imin} | {imed} | {wmin} | {wmed} |")

        out += ["", "| ratio | run timed inside: of medians | of minimums "
                "| run's whole process: of medians | of minimums |",
                "|---|---:|---:|---:|---:|"]
        for top, bottom, label in RATIOS:
            if top not in rows or bottom not in rows:
                continue
            ref = rows[bottom]
            mine = rows[top]
            # Varnholt.exe /sync is timed only as its process.
            inside = ratios(mine["inside"], reference_times(ref)) if mine["inside"] else None
            # A whole process only against one timed from outside as well
            # (not against the listing).
            whole = ratios(mine["wall"], ref["wall"]) if ref["wall"] else None
            cells = [f"{inside[0]:.2f}", f"{inside[1]:.2f}"] if inside else ["-", "-"]
            cells += [f"{whole[0]:.2f}", f"{whole[1]:.2f}"] if whole else ["-", "-"]
            out.append(f"| {label} | {' | '.join(cells)} |")

        figures = [(key, label) for key, label in RUN_FIGURES if f"{key}-mem" in rows]
        if figures:
            out += ["", "| the run | n | time per file µs min | median "
                    "| at rest MB median | peak above rest MB min | median | max "
                    "| longest without idle ms min | median | max | where |",
                    "|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---|"]
            for key, label in figures:
                per_file = rows[f"{key}-file"]["inside"]
                memory = rows[f"{key}-mem"]["inside"]
                gaps = rows[f"{key}-gap"]["inside"]
                where = results.where[(dataset, f"{key}-gap")]
                at = ", ".join(f"{place} {where.count(place)}"
                               for place in ("start", "run", "end") if place in where)
                cells = [f"{min(per_file) * 1e6:.1f}",
                         f"{statistics.median(per_file) * 1e6:.1f}",
                         f"{statistics.median(rows[f'{key}-rest']['inside']) / MB:.1f}",
                         *(f"{value / MB:.1f}" for value in (
                             min(memory), statistics.median(memory), max(memory))),
                         *(f"{value * 1000:.0f}" for value in (
                             min(gaps), statistics.median(gaps), max(gaps))),
                         at]
                out.append(f"| {label} | {len(memory)} | {' | '.join(cells)} |")

        targets = [t for t in TARGETS if t[0] == dataset and t[1] in rows
                   and (t[3] is None or t[3] in rows)]
        if targets:
            out += ["", "| target | at most | ratio of medians (or median) "
                    "| ratio of minimums (or minimum) |", "|---|---:|---:|---:|"]
            for _, top, timing, bottom, what, bound, shown, *unit in targets:
                mine = rows[top][timing]
                if bottom is None:
                    scale, suffix = unit
                    pair = (statistics.median(mine), min(mine))
                    cells = [f"{value / scale:.1f}{suffix} "
                             f"{'holds' if value <= bound else 'misses'}" for value in pair]
                else:
                    pair = ratios(mine, rows[bottom][timing])
                    cells = [f"{value:.3f} {'holds' if value <= bound else 'misses'}"
                             for value in pair]
                out.append(f"| {dataset}, {what} | {shown} | {' | '.join(cells)} |")
            if small:
                out += ["", "The targets are set for the full data sets; on these small "
                        "ones, starting a process weighs more."]
    return "\n".join(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--small", action="store_true", help="quick smoke run")
    parser.add_argument("--only", choices=["many", "big", "huge"], help="one data set only")
    parser.add_argument("--keep", action="store_true", help="keep the generated trees")
    parser.add_argument("--bin", required=True, help="folder of the bench executables")
    parser.add_argument("--program", required=True, help="the built Varnholt.exe")
    parser.add_argument("--data", default=str(ROOT / "build/bench-data"))
    args = parser.parse_args()

    size = "small" if args.small else "full"
    cfg = SIZES[size]
    exes = [str(Path(args.bin) / name) for name in ("varnholt_bench.exe",
                                                     "varnholt_bench_list.exe")]
    data = Path(args.data) / size
    shutil.rmtree(data, ignore_errors=True)
    free = shutil.disk_usage(data.parent if data.parent.exists() else ROOT).free
    # Files of 1 to 8 KiB take 6.3 KiB of disk on average (4 KiB blocks);
    # 9 KiB leaves room for folders and file system overhead.
    files = {"many": cfg["files"], "big": 0, "huge": cfg["huge_files"] + cfg["files"]}
    need = 2 * 9 * 1024 * sum(count for name, count in files.items()
                              if not args.only or name == args.only)
    need += 0 if args.only not in (None, "big") else 2 * cfg["big_count"] * cfg["big_mib"] * MIB
    need += 100 * MIB
    if free < need:
        sys.exit(f"bench: {need / MIB:.0f} MiB of free disk needed, {free / MIB:.0f} MiB free")

    load = os.getloadavg()[0]
    progress(f"load average {load:.2f} on {os.cpu_count()} processors; other work on the "
             "machine makes the numbers larger")
    # A window that stays open for the whole benchmark, as a desktop would
    # (see run_bench.cpp, --hold).
    holder = subprocess.Popen([WINE, exes[0], "--hold"], stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, text=True)
    if holder.stdout.readline().strip() != "holding":
        sys.exit("bench: the holder window did not open")

    results = Results()
    described = {}
    try:
        for dataset in ("many", "big", "huge"):
            if args.only and dataset != args.only:
                continue
            a, b = data / dataset / "a", data / dataset / "b"
            program = data / f"program-{dataset}"
            reference = None
            if dataset == "many":
                progress(f"{dataset}: generating side a")
                total = generate_many([a], cfg["files"], cfg["folders"])
                described[dataset] = (f"{cfg['files']} files of 1-8 KiB in {cfg['folders']} "
                                      f"folders, {total / MIB:.1f} MiB")
            elif dataset == "big":
                progress(f"{dataset}: generating side a")
                total = generate_big(a, cfg["big_count"], cfg["big_mib"])
                described[dataset] = f"{cfg['big_count']} files of {cfg['big_mib']} MiB"
            else:
                # The huge set is measured with nothing to copy only: both
                # sides are written alike. Its reference, the many set with
                # equal sides, is there already when the many set ran.
                reference = data / "program-many"
                if not reference.exists():
                    progress("huge: generating the many set, both sides (the reference)")
                    many = data / "many"
                    generate_many([many / "a", many / "b"], cfg["files"], cfg["folders"])
                    write_program_folder(reference, many / "a", many / "b", args.program)
                progress(f"{dataset}: generating sides a and b")
                begin = time.perf_counter()
                total = generate_many([a, b], cfg["huge_files"], cfg["huge_folders"])
                os.sync()
                taken = disk_use(data / dataset)
                progress(f"{dataset}: generated in {time.perf_counter() - begin:.0f} s, "
                         f"{2 * total / MIB:.0f} MiB in files, {taken / MIB:.0f} MiB on the "
                         "disk for both sides")
                described[dataset] = (f"{cfg['huge_files']} files of 1-8 KiB in "
                                      f"{cfg['huge_folders']} folders, {total / MIB:.1f} MiB "
                                      f"a side, {taken / MIB:.0f} MiB on the disk for both")
            b.mkdir(parents=True, exist_ok=True)
            write_program_folder(program, a, b, args.program)
            measure(dataset, a, b, program, exes, cfg, results, reference)
    finally:
        holder.terminate()
        holder.wait(timeout=30)
        if not args.keep:
            shutil.rmtree(data, ignore_errors=True)

    table = report(results, described, args.small)
    table += (f"\n\nLoad average (1 min) at the start {load:.2f}, "
              f"at the end {os.getloadavg()[0]:.2f}. The benchmark took "
              f"{time.perf_counter() - START:.0f} s after the build.")
    print(table)
    saved = ROOT / "build" / f"bench-results-{size}.md"
    saved.write_text(table.lstrip() + "\n")
    progress(f"done; table saved in {saved.relative_to(ROOT)}")


if __name__ == "__main__":
    main()
