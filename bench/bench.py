#!/usr/bin/env python3
"""Times Varnholt's synchronization run against reference tools.

Started by bench/run.sh inside tools/wine-env (which provides WINEPREFIX, a
display and a live wineserver). Two data sets, each a pair of folders a/b:
  many: lots of small files in lots of folders (cost per file and folder);
  big:  a few large files (copy throughput).
For each, it measures
  (a) the program's run with nothing to copy (both sides equal),
  (b) the program's run copying side a into an empty side b,
  (c) Wine's xcopy /E /D /Y /I /Q doing the same two jobs, both directions,
  (d) listing both trees with FindFirstFileW/FindNextFileW only, and the same
      plus the run's two status queries per file and direction,
  (e) native rsync -a --update doing the same two jobs, both directions,
and prints minimum and median of each and the ratios of (a) and (b) to the
references.
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
    "full": dict(files=20000, folders=2000, big_count=5, big_mib=100,
                 equal_repeats=5, copy_repeats=3, budget=240.0),
    "small": dict(files=2000, folders=200, big_count=5, big_mib=10,
                  equal_repeats=5, copy_repeats=3, budget=60.0),
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


def write_program_folder(folder, a, b):
    """config.ini (from the shipped one) naming the pair a/b, and the
    language file, so that the main window starts on this pair."""
    folder.mkdir(parents=True, exist_ok=True)
    lines = (ROOT / "resources/config.ini").read_bytes().decode("latin-1").split("\r\n")
    values = {"Folders1": wine_path(a) + "\\...*", "Folders2": wine_path(b) + "\\...*",
              "Startup": "manually", "SyncInterval": "0", "NextSync": "0"}
    for i in range(0, len(lines) - 1, 2):
        if lines[i] in values:
            lines[i + 1] = values[lines[i]]
    (folder / "config.ini").write_bytes("\r\n".join(lines).encode("latin-1"))
    shutil.copy(ROOT / "resources/Varnholttrl.ini", folder / "Varnholttrl.ini")


def tree_files(side):
    return sorted(p.relative_to(side) for p in side.rglob("*") if p.is_file())


def check_equal(a, b, what):
    """Both sides hold the same files with the same content and minute."""
    names_a, names_b = tree_files(a), tree_files(b)
    if names_a != names_b:
        sys.exit(f"bench: after {what}, the sides list different files "
                 f"({len(names_a)} vs {len(names_b)})")
    for name in names_a:
        fa, fb = a / name, b / name
        if int(fa.stat().st_mtime) // 60 != int(fb.stat().st_mtime) // 60 or \
                not filecmp.cmp(fa, fb, shallow=False):
            sys.exit(f"bench: after {what}, {name} differs between the sides")
    progress(f"  checked: both sides hold the same {len(names_a)} files")


# ---------------------------------------------------------------- timing

def run(cmd, timeout=1200):
    """Runs `cmd`; returns (wall seconds, standard output lines). A program
    that waits for an answer (a message box) is ended after `timeout`."""
    begin = time.perf_counter()
    try:
        done = subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True,
                              timeout=timeout)
    except subprocess.TimeoutExpired:
        sys.exit(f"bench: {' '.join(map(str, cmd))} did not end within {timeout} s")
    wall = time.perf_counter() - begin
    if done.returncode != 0:
        sys.exit(f"bench: {' '.join(map(str, cmd))} failed ({done.returncode}):\n"
                 f"{done.stdout}{done.stderr}")
    if done.stderr.strip():
        print(done.stderr.strip(), file=sys.stderr)
    return wall, [line.strip() for line in done.stdout.splitlines()]


def field(lines, key):
    """The first value after `key` in the first line that starts with it."""
    for line in lines:
        words = line.split()
        if words and words[0] == key:
            return words
    sys.exit(f"bench: no '{key}' line in: {lines}")


class Results:
    def __init__(self):
        self.rows = {}  # (set, label) -> {"inside": [...], "wall": [...]}

    def add(self, dataset, label, inside=None, wall=None):
        row = self.rows.setdefault((dataset, label), {"inside": [], "wall": []})
        if inside is not None:
            row["inside"].append(inside)
        if wall is not None:
            row["wall"].append(wall)


def repeat(label, count, budget, body):
    """Calls body(i) up to `count` times; stops early (after at least one)
    when the next repeat would likely take the scenario over `budget`."""
    spent = 0.0
    for i in range(count):
        begin = time.perf_counter()
        shown = body(i)
        spent += time.perf_counter() - begin
        progress(f"  {label} {i + 1}/{count}: {shown}")
        if i + 1 < count and spent / (i + 1) * (i + 2) > budget:
            progress(f"  {label}: stopped after {i + 1} repeats (time budget)")
            break


# ---------------------------------------------------------------- scenarios

def measure(dataset, a, b, program, exes, cfg, results):
    bench_exe, list_exe = exes
    wa, wb = wine_path(a), wine_path(b)
    budget = cfg["budget"]

    def program_run(label):
        def body(_):
            wall, lines = run([WINE, bench_exe, wine_path(program)])
            if field(lines, "pairs")[1] != "1":
                sys.exit(f"bench: the window did not load the pair: {lines}")
            inside = float(field(lines, "run")[1])
            opening = float(field(lines, "open")[1])
            results.add(dataset, label, inside, wall)
            return (f"{inside:.3f} s in OnStartSyncNow, {wall:.3f} s process "
                    f"(window opened in {opening:.3f} s)")
        return body

    def program_parts(_):
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

    def copy_job(label, body):
        def with_empty_b(i):
            empty_b()
            return body(i)
        repeat(label, cfg["copy_repeats"], budget, with_empty_b)

    def both_ways(label, one_way):
        def body(_):
            os.sync()
            wall = one_way(a, b) + one_way(b, a)
            results.add(dataset, label, None, wall)
            return f"{wall:.3f} s"
        return body

    def xcopy(src, dst):
        return run([WINE, "xcopy", "/E", "/D", "/Y", "/I", "/Q", wine_path(src), wine_path(dst)])[0]

    def rsync(src, dst):
        return run(["rsync", "-a", "--update", f"{src}/", f"{dst}/"])[0]

    def listing(label, extra):
        os.sync()
        _, lines = run([WINE, list_exe, *extra, str(cfg["equal_repeats"]), wa, wb])
        for line in lines:
            words = line.split()
            if words and words[0] == "list":
                results.add(dataset, label, float(words[1]), None)
        row = results.rows[(dataset, label)]["inside"]
        progress(f"  {label}: {', '.join(f'{s:.3f}' for s in row)} s")

    progress(f"{dataset}: (b) the run copies side a into an empty side b")
    copy_job("run-copy", program_run("run-copy"))
    check_equal(a, b, "the run")

    progress(f"{dataset}: (a) the run with nothing to copy")
    repeat("run-equal", cfg["equal_repeats"], budget, program_run("run-equal"))
    progress(f"{dataset}: (a) its two halves alone, without the window")
    repeat("parts", cfg["equal_repeats"], budget, program_parts)

    progress(f"{dataset}: (d) listing both trees")
    listing("list", [])
    listing("list-stat", ["--stat"])

    progress(f"{dataset}: (c) xcopy both ways, nothing to copy")
    repeat("xcopy-equal", cfg["equal_repeats"], budget, both_ways("xcopy-equal", xcopy))
    progress(f"{dataset}: (e) rsync both ways, nothing to copy")
    repeat("rsync-equal", cfg["equal_repeats"], budget, both_ways("rsync-equal", rsync))

    progress(f"{dataset}: (c) xcopy both ways, copy into an empty side")
    copy_job("xcopy-copy", both_ways("xcopy-copy", xcopy))
    check_equal(a, b, "xcopy")
    progress(f"{dataset}: (e) rsync both ways, copy into an empty side")
    copy_job("rsync-copy", both_ways("rsync-copy", rsync))
    check_equal(a, b, "rsync")


# ---------------------------------------------------------------- report

LABELS = [
    ("run-equal", "(a) run, nothing to copy"),
    ("part-scan", "(a) part: the scans alone, no window"),
    ("part-compare", "(a) part: the comparisons alone"),
    ("run-copy", "(b) run, copy into empty side"),
    ("xcopy-equal", "(c) xcopy both ways, nothing to copy"),
    ("xcopy-copy", "(c) xcopy both ways, copy into empty"),
    ("list", "(d) FindFirstFileW listing of both trees"),
    ("list-stat", "(d) listing + the run's status queries"),
    ("rsync-equal", "(e) rsync both ways, nothing to copy"),
    ("rsync-copy", "(e) rsync both ways, copy into empty"),
]

RATIOS = [
    ("run-equal", "xcopy-equal", "(a) / (c) xcopy, nothing to copy"),
    ("run-equal", "list", "(a) / (d) listing"),
    ("run-equal", "list-stat", "(a) / (d) listing + status queries"),
    ("run-equal", "rsync-equal", "(a) / (e) rsync, nothing to copy"),
    ("run-copy", "xcopy-copy", "(b) / (c) xcopy, copy into empty"),
    ("run-copy", "list", "(b) / (d) listing"),
    ("run-copy", "rsync-copy", "(b) / (e) rsync, copy into empty"),
]


def report(results, described):
    def seconds(values):
        if not values:
            return "-", "-"
        return f"{min(values):.3f}", f"{statistics.median(values):.3f}"

    out = []
    for dataset, text in described.items():
        out += ["", f"### {dataset}: {text}", "",
                "| measurement | n | time min s | time median s "
                "| process min s | process median s |",
                "|---|---:|---:|---:|---:|---:|"]
        for key, label in LABELS:
            row = results.rows.get((dataset, key))
            if not row:
                continue
            # The run and the listing are timed inside their process (time)
            # and around it (process); xcopy and rsync only around theirs.
            inside, wall = row["inside"], row["wall"]
            n = len(inside or wall)
            imin, imed = seconds(inside)
            wmin, wmed = seconds(wall)
            out.append(f"| {label} | {n} | {imin} | {imed} | {wmin} | {wmed} |")
        out += ["", "| ratio of medians | run timed inside | run's whole process |",
                "|---|---:|---:|"]
        for top, bottom, label in RATIOS:
            if (dataset, top) not in results.rows or (dataset, bottom) not in results.rows:
                continue
            ref = results.rows[(dataset, bottom)]
            ref_median = statistics.median(ref["inside"] or ref["wall"])
            mine = results.rows[(dataset, top)]
            inside = statistics.median(mine["inside"]) / ref_median
            # The whole process of the run against tools timed from outside.
            whole = (f"{statistics.median(mine['wall']) / ref_median:.2f}"
                     if not ref["inside"] else "-")
            out.append(f"| {label} | {inside:.2f} | {whole} |")
    return "\n".join(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--small", action="store_true", help="quick smoke run")
    parser.add_argument("--only", choices=["many", "big"], help="one data set only")
    parser.add_argument("--keep", action="store_true", help="keep the generated trees")
    parser.add_argument("--bin", required=True, help="folder of the bench executables")
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
            write_program_folder(program, a, b)
            measure(dataset, a, b, program, exes, cfg, results)
    finally:
        holder.terminate()
        holder.wait(timeout=30)
        if not args.keep:
            shutil.rmtree(data, ignore_errors=True)

    table = report(results, described)
    table += (f"\n\nLoad average (1 min) at the start {load:.2f}, "
              f"at the end {os.getloadavg()[0]:.2f}.")
    print(table)
    saved = ROOT / "build" / f"bench-results-{size}.md"
    saved.write_text(table.lstrip() + "\n")
    progress(f"done; table saved in {saved.relative_to(ROOT)}")


if __name__ == "__main__":
    main()
