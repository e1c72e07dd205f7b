#!/usr/bin/env python3
"""Times Varnholt's synchronization run against reference tools.

Started by bench/run.sh inside tools/wine-env (which provides WINEPREFIX, a
display and a live wineserver). Two data sets, each a pair of folders a/b:
  many: lots of small files in lots of folders (cost per file and folder);
  big:  a few large files (copy throughput).
For each, it measures
  (a) the program's run with nothing to copy (both sides equal), and
      Varnholt.exe /sync doing the same as a whole process,
  (b) the program's run copying side a into an empty side b,
  (c) Wine's xcopy /E /D /Y /I /Q doing the same two jobs, both directions,
  (d) listing both trees with FindFirstFileW/FindNextFileW only, and the same
      plus the run's two status queries per file and direction,
  (e) native rsync -a --update doing the same two jobs, both directions.
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
                 min_rounds=5, max_rounds=9, budget=240.0),
    "small": dict(files=2000, folders=200, big_count=5, big_mib=10,
                  min_rounds=5, max_rounds=5, budget=60.0),
}

START = time.perf_counter()


def progress(text):
    print(f"[{time.perf_counter() - START:7.1f}s] {text}", flush=True)


def wine_path(path):
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


# ---------------------------------------------------------------- data

def generate_many(side, files, folders, seed=20240501):
    """`folders` folders (top folders of 99 sub-folders each), `files` files
    of 1 to 8 KiB spread evenly over them, with fixed content and times."""
    rng = random.Random(seed)
    tops = max(1, folders // 100)
    subs = folders // tops - 1
    places = []
    for t in range(tops):
        top = side / f"d{t:02d}"
        places.append(top)
        places += [top / f"s{s:03d}" for s in range(subs)]
    for place in places:
        place.mkdir(parents=True, exist_ok=True)
    base = 1714557600  # 2024-05-01 10:00 UTC
    total = 0
    for i in range(files):
        path = places[i % len(places)] / f"f{i:05d}.dat"
        data = rng.randbytes(rng.randint(1024, 8192))
        path.write_bytes(data)
        stamp = base + rng.randrange(0, 365 * 86400)
        os.utime(path, (stamp, stamp))
        total += len(data)
    return total


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

def measure(dataset, a, b, program, exes, cfg, results):
    bench_exe, list_exe = exes
    wa, wb = wine_path(a), wine_path(b)

    def program_run(label):
        def step():
            wall, lines = run([WINE, bench_exe, wine_path(program)])
            if field(lines, "pairs")[1] != "1":
                sys.exit(f"bench: the pair was not read from config.ini: {lines}")
            inside = float(field(lines, "run")[1])
            opening = float(field(lines, "open")[1])
            results.add(dataset, label, inside, wall)
            return (f"{inside:.3f} s in the run, {wall:.3f} s process "
                    f"(pairs read in {opening:.3f} s)")
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
        ("(a) run", program_run("run-equal")),
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
    ("run-copy", "xcopy-copy", "(b) / (c) xcopy, copy into empty"),
    ("run-copy", "rsync-copy", "(b) / (e) rsync, copy into empty"),
]

# (data set, run, how the run and the reference are timed, reference, what,
# at most, bound shown). Like is compared with like: the listing is timed
# inside its process, as the run is; xcopy and Varnholt.exe /sync only as
# whole processes, so the run's whole process.
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

        targets = [t for t in TARGETS if t[0] == dataset and t[1] in rows and t[3] in rows]
        if targets:
            out += ["", "| target | at most | ratio of medians | ratio of minimums |",
                    "|---|---:|---:|---:|"]
            for _, top, timing, bottom, what, bound, shown in targets:
                pair = ratios(rows[top][timing], rows[bottom][timing])
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
    parser.add_argument("--only", choices=["many", "big"], help="one data set only")
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
    need = 2 * (cfg["big_count"] * cfg["big_mib"] * MIB + cfg["files"] * 9 * 1024) + 100 * MIB
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
        for dataset in ("many", "big"):
            if args.only and dataset != args.only:
                continue
            a, b = data / dataset / "a", data / dataset / "b"
            progress(f"{dataset}: generating side a")
            if dataset == "many":
                total = generate_many(a, cfg["files"], cfg["folders"])
                described[dataset] = (f"{cfg['files']} files of 1-8 KiB in {cfg['folders']} "
                                      f"folders, {total / MIB:.1f} MiB")
            else:
                total = generate_big(a, cfg["big_count"], cfg["big_mib"])
                described[dataset] = f"{cfg['big_count']} files of {cfg['big_mib']} MiB"
            b.mkdir(parents=True, exist_ok=True)
            program = data / f"program-{dataset}"
            write_program_folder(program, a, b, args.program)
            measure(dataset, a, b, program, exes, cfg, results)
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
