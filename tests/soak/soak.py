#!/usr/bin/env python3
"""The soak: a simulated day of interval ticks against the built Varnholt.exe.

    soak.py --program Varnholt.exe --driver soak_driver.exe --shipped resources
            [--ticks 1440] [--seed 18]

Runs inside tools/wine-env (WINEPREFIX, VARNHOLT_WINE). Lays out a program
folder and two folder pairs on the prefix's C: drive, with an interval of one
minute, starts the program through soak_driver.exe and ticks it once per
simulated minute. Between ticks, now and then (at random, from the seed),
it edits, creates, renames and removes files on both sides of both pairs,
each with a modification time from the simulated clock. After every tick:
  - both sides of each pair are what the copy rule makes of the snapshot
    taken just before the tick (expected() below);
  - no temporary file of a copy or of a settings write (~vh-*.tmp) is left;
  - the program showed no window besides its main window (a message box
    means a run had failures).
The first fault stops the soak and keeps its folder, with what-happened.txt.
At the end it prints the least-squares slope of the program's handles (as
GetProcessHandleCount tells them, and as the system's handle list holds
them: Wine's GetProcessHandleCount says 0), GDI and USER objects and working
set per 1,000 ticks, and fails when one of them grows beyond its limit
(LIMITS). --figures writes every tick's figures to a CSV file.
"""

import argparse
import calendar
import os
import random
import shutil
import subprocess
import sys
import time

# Simulated time starts here, in UTC (the program runs with TZ=UTC), on a
# day without a daylight-saving change anywhere.
START = calendar.timegm((2024, 7, 1, 0, 0, 0))
NS = 1_000_000_000

# What counts as growth, per figure: (a loss per run, a one-off step). Flat
# means the slope per 1,000 ticks stays below 1,000 such losses plus what one
# step (a handle opened once, the heap taking one more piece) gives a
# least-squares line over the fitted ticks: 1.5 x step / ticks per tick at
# most, when it falls in the middle. The program holds about 40 handles; one
# handle or GDI or USER object left behind by every 100th run is a leak, and
# two opened late once are not. Its memory moves by 4 to 16 KiB as the heap
# and Wine's caches breathe; a loss of 1 KiB per run (a path or a listing
# entry kept) is a leak, a 128 KiB step is not.
LIMITS = {
    "handles": (0.01, 2),
    "handles listed": (0.01, 2),
    "gdi objects": (0.01, 2),
    "user objects": (0.01, 2),
    "working set": (1024, 128 * 1024),
}
FIGURES = list(LIMITS)
# The first ticks copy the seed files and bring the heap and Wine's caches to
# their size; the slopes are fitted over the ticks after them.
WARM_UP = 10

PAIRS = [("Pair 1 A", "Pair 1 B"), ("Pair 2\\Side A", "Pair 2\\Side B")]
SUBFOLDERS = ["", "docs", "docs/old", "pictures"]
FILES_PER_PAIR = 60  # above this, a new file is balanced by one removed on both sides


class Fault(Exception):
    pass


def minute(file):
    return file[1] // (60 * NS)


def expected(one, two):
    """Both sides of a pair after a run, from both as they were before it
    (relative path -> (content, modification time in ns)): a file on one side
    only is copied to the other with its time; of two with different minutes
    the later one's content and time end up on both; two of the same minute
    stay as they are. Nothing is deleted."""
    one_after, two_after = dict(one), dict(two)
    for path in one.keys() | two.keys():
        a, b = one.get(path), two.get(path)
        if b is None or (a is not None and minute(a) > minute(b)):
            two_after[path] = a
        elif a is None or minute(b) > minute(a):
            one_after[path] = b
    return one_after, two_after


def snapshot(folder):
    """Every file below `folder`: relative path -> (content, time in ns)."""
    files = {}
    for root, _, names in os.walk(folder):
        for name in names:
            path = os.path.join(root, name)
            with open(path, "rb") as f:
                files[os.path.relpath(path, folder)] = (f.read(), os.stat(path).st_mtime_ns)
    return files


def differences(side, want, have):
    def show(file):
        return "missing" if file is None else f"{len(file[0])} bytes, {time_text(file[1])}"

    return [f"{side}{os.sep}{path}: expected {show(want.get(path))}, found {show(have.get(path))}"
            for path in sorted(want.keys() | have.keys()) if want.get(path) != have.get(path)]


def time_text(ns):
    return time.strftime("%Y-%m-%d %H:%M:%S", time.gmtime(ns / NS))


def limit(name, ticks):
    """The slope per 1,000 ticks beyond which `name` grows, fitted over `ticks`."""
    per_run, step = LIMITS[name]
    return 1000 * (per_run + 1.5 * step / ticks)


def slope(values):
    """Least-squares slope of values against their index, per 1,000 ticks."""
    n = len(values)
    mean_x, mean_y = (n - 1) / 2, sum(values) / n
    sxx = sum((x - mean_x) ** 2 for x in range(n))
    sxy = sum((x - mean_x) * (y - mean_y) for x, y in enumerate(values))
    return 1000 * sxy / sxx


class Folders:
    """The soak's files on the host side, changed as a user would change them."""

    def __init__(self, root, seed, log):
        self.root = root
        self.rng = random.Random(seed)
        self.log = log
        self.now = START  # the simulated minute, in seconds
        self.names = 0
        self.sides = [tuple(os.path.join(root, *side.split("\\")) for side in pair)
                      for pair in PAIRS]
        self.changes = {}

    def moment(self, minutes_back=0):
        """A random second in the current simulated minute (or one before)."""
        return (self.now - 60 * minutes_back + self.rng.randrange(60)) * NS

    def content(self):
        size = self.rng.choice([0, 1, 100, 4000, 30000]) + self.rng.randrange(100)
        if self.rng.random() < 0.02:
            size = 1 << 20  # now and then a large one
        return self.rng.randbytes(size)

    def new_name(self):
        self.names += 1
        return os.path.join(self.rng.choice(SUBFOLDERS), f"file {self.names:04}.dat")

    def write(self, side, path, ns):
        full = os.path.join(side, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "wb") as f:
            f.write(self.content())
        os.utime(full, ns=(ns, ns))
        self.note(f"wrote {full} at {time_text(ns)}")

    def note(self, text):
        self.log.write(f"{time_text(self.now * NS)} {text}\n")

    def existing(self, side):
        return sorted(os.path.relpath(os.path.join(root, name), side)
                      for root, _, names in os.walk(side) for name in names)

    def seed_files(self):
        """Files from the day before: some on one side only, some in step on
        both, some different on the two sides."""
        for one, two in self.sides:
            for _ in range(FILES_PER_PAIR // 2):
                self.now = START - 60 * self.rng.randrange(1, 24 * 60)
                path = self.new_name()
                kind = self.rng.randrange(4)
                if kind < 2:
                    self.write((one, two)[kind], path, self.moment())
                elif kind == 2:
                    self.write(one, path, self.moment())
                    os.makedirs(os.path.dirname(os.path.join(two, path)), exist_ok=True)
                    shutil.copy2(os.path.join(one, path), os.path.join(two, path))
                else:
                    self.write(one, path, self.moment())
                    self.write(two, path, self.moment(self.rng.randrange(3)))
        self.now = START

    def change(self):
        """One change on one pair, of a kind drawn at random."""
        one, two = self.sides[self.rng.randrange(len(self.sides))]
        side, other = (one, two) if self.rng.random() < 0.5 else (two, one)
        files = self.existing(side)
        kind = self.rng.choices(["edit", "create", "rename", "same minute", "older"],
                                [30, 20, 15, 15, 10])[0]
        if kind in ("create", "rename") and len(files) >= FILES_PER_PAIR:
            kind = "remove"
        if not files:
            kind = "create"
        path = self.rng.choice(files) if files else None
        if kind == "edit":
            self.write(side, path, self.moment())
        elif kind == "create":
            self.write(side, self.new_name(), self.moment())
        elif kind == "rename":
            # The old name comes back from the other side: nothing is deleted.
            new = os.path.join(side, self.new_name())
            os.makedirs(os.path.dirname(new), exist_ok=True)
            os.rename(os.path.join(side, path), new)
            self.note(f"renamed {os.path.join(side, path)} to {new}")
        elif kind == "same minute":
            # Both sides saved within one minute: neither is newer, both stay.
            self.write(side, path, self.moment())
            self.write(other, path, self.moment())
        elif kind == "older":
            # A copy from an earlier minute put back on one side after the
            # other side was saved now: the other side's wins.
            self.write(other, path, self.moment())
            self.write(side, path, self.moment(self.rng.randrange(1, 120)))
        elif kind == "remove":
            for folder in (side, other):
                if os.path.exists(os.path.join(folder, path)):
                    os.remove(os.path.join(folder, path))
            self.note(f"removed {path} on both sides")
        self.changes[kind] = self.changes.get(kind, 0) + 1

    def temporaries(self):
        return [os.path.join(root, name) for root, _, names in os.walk(self.root)
                for name in names if name.startswith("~vh-") and name.endswith(".tmp")]


def lay_out_program(root, program, shipped):
    """The program folder: the program, the shipped language file, and
    config.ini as shipped with the two pairs and a one-minute interval."""
    folder = os.path.join(root, "program")
    os.makedirs(folder)
    shutil.copy(program, os.path.join(folder, "Varnholt.exe"))
    shutil.copy(os.path.join(shipped, "Varnholttrl.ini"), folder)
    windows = "C:\\" + os.path.basename(root)
    values = {
        "Folders1": "".join(f"{windows}\\{one}\\...*" for one, _ in PAIRS),
        "Folders2": "".join(f"{windows}\\{two}\\...*" for _, two in PAIRS),
        "SyncInterval": "1",
        "NextSync": "1",
    }
    with open(os.path.join(shipped, "config.ini"), "rb") as f:
        lines = f.read().decode("latin-1").split("\r\n")
    for i in range(0, len(lines) - 1, 2):
        lines[i + 1] = values.get(lines[i], lines[i + 1])
    with open(os.path.join(folder, "config.ini"), "wb") as f:
        f.write("\r\n".join(lines).encode("latin-1"))
    return windows + "\\program\\Varnholt.exe"


class Driver:
    """soak_driver.exe under Wine, one command and its answer at a time."""

    def __init__(self, driver, program):
        wine = os.environ.get("VARNHOLT_WINE", "/usr/lib/wine/wine64")
        self.process = subprocess.Popen([wine, driver, program], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, encoding="utf-8",
                                        env=dict(os.environ, TZ="UTC"))
        line = self.read()
        if not line.startswith("ready"):
            raise Fault(f"the driver could not start the program: {line}")

    def read(self):
        line = self.process.stdout.readline()
        if not line:
            raise Fault("the driver ended without an answer")
        return line.rstrip("\n")

    def tick(self):
        """The windows the tick showed, and the figures after it."""
        self.process.stdin.write("tick\n")
        self.process.stdin.flush()
        windows = []
        while not (line := self.read()).startswith("tick "):
            if not line.startswith("window "):
                raise Fault(f"the driver says: {line}")
            windows.append(line[len("window "):])
        took, *figures = (int(word) for word in line.split()[1:])
        return windows, took, figures

    def quit(self):
        if self.process.poll() is None:
            try:
                self.process.stdin.write("quit\n")
                self.process.stdin.close()
            except BrokenPipeError:
                pass
            self.process.wait(60)


def soak(args, root, log):
    """Runs the ticks; one row per tick: the handler's time in ms, the files
    the tick copied, then FIGURES."""
    folders = Folders(root, args.seed, log)
    folders.seed_files()
    driver = Driver(args.driver, lay_out_program(root, args.program, args.shipped))
    rows = []
    try:
        for tick in range(1, args.ticks + 1):
            if tick > 1 and folders.rng.random() < 0.4:
                for _ in range(folders.rng.randint(1, 4)):
                    folders.change()
            before = [(snapshot(one), snapshot(two)) for one, two in folders.sides]
            folders.note(f"tick {tick}")
            windows, took, figures = driver.tick()
            problems = [f"the program showed a window: {w}" for w in windows]
            problems += [f"left behind: {path}" for path in folders.temporaries()]
            copied = 0
            for (one, two), (one_before, two_before) in zip(folders.sides, before):
                want_one, want_two = expected(one_before, two_before)
                problems += differences(one, want_one, snapshot(one))
                problems += differences(two, want_two, snapshot(two))
                copied += sum(want_one[p] != one_before.get(p) for p in want_one)
                copied += sum(want_two[p] != two_before.get(p) for p in want_two)
            if problems:
                raise Fault(f"tick {tick} (simulated {time_text(folders.now * NS)}):\n  " +
                            "\n  ".join(problems))
            rows.append([took, copied] + figures)
            folders.now += 60
    finally:
        driver.quit()
    return folders, rows


def report(args, folders, rows, seconds):
    """Prints the figures; the growths beyond their limits."""
    files = sum(len(snapshot(side)) for pair in folders.sides for side in pair)
    changes = ", ".join(f"{n} {kind}" for kind, n in sorted(folders.changes.items()))
    took = [row[0] for row in rows]
    print(f"Soak: {len(rows)} ticks (seed {args.seed}) in {seconds:.1f} s, "
          f"{1000 * seconds / len(rows):.0f} ms per tick, the tick's handler "
          f"{sum(took) / len(took):.0f} ms on average and {max(took)} ms at most")
    print(f"  changes between ticks: {changes}")
    print(f"  files copied: {sum(row[1] for row in rows)}; "
          f"files in the four folders at the end: {files}")
    fitted = rows[min(WARM_UP, len(rows) // 2):]
    print(f"  {'figure':<16}{'first':>12}{'last':>12}{'min':>12}{'max':>12}"
          f"{'slope/1000':>16}{'limit':>16}")
    failed = []
    for i, name in enumerate(FIGURES, 2):
        values = [row[i] for row in rows]
        growth, most = slope([row[i] for row in fitted]), limit(name, len(fitted))
        print(f"  {name:<16}{values[0]:>12}{values[-1]:>12}{min(values):>12}{max(values):>12}"
              f"{growth:>16,.1f}{most:>16,.1f}")
        if growth > most:
            failed.append(f"{name} grows by {growth:,.1f} per 1,000 ticks (limit {most:,.1f})")
        if not any(values):
            print(f"    ({name}: 0 at every tick, not counted here; Wine answers 0)")
    print(f"  slopes fitted over ticks {len(rows) - len(fitted) + 1} to {len(rows)}")
    return failed


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True, help="the built Varnholt.exe")
    parser.add_argument("--driver", required=True, help="the built soak_driver.exe")
    parser.add_argument("--shipped", required=True, help="the resources folder")
    parser.add_argument("--ticks", type=int, default=1440)
    parser.add_argument("--seed", type=int, default=18)
    parser.add_argument("--figures", help="a CSV file for every tick's figures")
    args = parser.parse_args()
    if "WINEPREFIX" not in os.environ:
        sys.exit("soak.py runs inside tools/wine-env")
    root = os.path.join(os.environ["WINEPREFIX"], "drive_c", f"varnholt-soak-{os.getpid()}")
    os.makedirs(root)
    with open(os.path.join(root, "changes.log"), "w") as log:
        try:
            start = time.monotonic()
            folders, rows = soak(args, root, log)
            seconds = time.monotonic() - start
        except Fault as fault:
            log.flush()
            with open(os.path.join(root, "what-happened.txt"), "w") as f:
                f.write(f"{fault}\n")
            print(f"Soak failed at {fault}\nKept: {root} (changes.log, what-happened.txt)")
            return 1
    if args.figures:
        with open(args.figures, "w") as f:
            f.write(",".join(["tick", "handler ms", "copied"] + FIGURES) + "\n")
            for tick, row in enumerate(rows, 1):
                f.write(",".join(str(v) for v in [tick] + row) + "\n")
    failed = report(args, folders, rows, seconds)
    if failed:
        print("Soak failed: " + "; ".join(failed) + f"\nKept: {root}")
        return 1
    shutil.rmtree(root)
    return 0


if __name__ == "__main__":
    sys.exit(main())
