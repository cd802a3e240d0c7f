#!/usr/bin/env python3
# Mutation pass over the host tests: applies one-line faults from a table to a scratch copy of the tree, rebuilds, runs the tests, and tells which faults they catch.
"""Usage: tools/mutate.py [--table tools/mutations.tsv] [--scratch DIR] [--only N,M,...] [--report FILE]

Each row of the table is one fault: file, text, replacement, and optionally
which occurrence of the text (1 unless told) when it occurs more than once.
Fields are separated by tabs; '#' starts a note line. The text must lie on one
line of the file.

The tree (git's files with their working-copy contents) is copied to the
scratch folder and built there with the host preset, so work in the tree can
go on meanwhile. For each fault the file is changed, the test programs of its
folder are rebuilt, and the focused tests run first; the random-play test runs
only when they all pass, so "random only" means no focused test caught it. The
file is restored afterwards, whatever happens.

Outcomes: focused (a focused test failed or timed out), random (only the
random-play test did), survived, or invalid (the fault did not apply or did
not build: a mistake in the table, counted nowhere).
"""

import argparse
import os
import shutil
import subprocess
import sys
import time

# What to build and run for a fault in each file: (target, binary, gtest filter).
PLAY_FOCUSED = [("play_test", "play/play_test", "-RandomPlay.*"), ("history_test", "play/history_test", "*")]
PLAY_RANDOM = [("play_test", "play/play_test", "RandomPlay.*")]
SUITES = {
    "play/": (PLAY_FOCUSED, PLAY_RANDOM),
    "saver/animation.cpp": ([("animation_test", "saver/animation_test", "*")], []),
    "saver/command_line.cpp": ([("command_line_test", "saver/command_line_test", "*")], []),
}
# Seeds fixed, so two passes over the same tests give the same answer.
TEST_ENV = {"ZMR_RANDOM_SEED": "1", "ZMR_RANDOM_LINES": "200000"}
TEST_TIMEOUT = 300


def suites_of(path):
    for prefix, suites in SUITES.items():
        if path.startswith(prefix):
            return suites
    sys.exit(f"no tests are known for {path}")


def read_table(path):
    rows = []
    with open(path, encoding="utf-8") as table:
        for number, text in enumerate(table, 1):
            text = text.rstrip("\n")
            if not text.strip() or text.lstrip().startswith("#"):
                continue
            fields = text.split("\t")
            if len(fields) not in (3, 4):
                sys.exit(f"{path}:{number}: expected file, text, replacement[, occurrence]")
            occurrence = int(fields[3]) if len(fields) == 4 else 0
            rows.append({"line": number, "file": fields[0], "find": fields[1], "replace": fields[2],
                         "occurrence": occurrence})
    return rows


def sync_tree(source, scratch):
    files = subprocess.run(["git", "-C", source, "ls-files", "-z"], check=True, capture_output=True).stdout
    for name in files.decode().split("\0"):
        if not name:
            continue
        src = os.path.join(source, name)
        dst = os.path.join(scratch, name)
        if not os.path.isfile(src):
            continue
        with open(src, "rb") as f:
            data = f.read()
        if os.path.isfile(dst):
            with open(dst, "rb") as f:
                if f.read() == data:
                    continue
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        shutil.copy2(src, dst)


def build(scratch, targets, jobs):
    command = ["cmake", "--build", "--preset", "host", f"-j{jobs}", "--target", *targets]
    return subprocess.run(command, cwd=scratch, capture_output=True, text=True).returncode == 0


def run_tests(scratch, tests):
    """The first failing test program's name, or None when all pass."""
    env = dict(os.environ, **TEST_ENV)
    for _, binary, gtest_filter in tests:
        try:
            result = subprocess.run([os.path.join(scratch, "build", "host", binary), f"--gtest_filter={gtest_filter}"],
                                    env=env, capture_output=True, timeout=TEST_TIMEOUT)
        except subprocess.TimeoutExpired:
            return f"{binary} (timed out)"
        if result.returncode != 0:
            return binary
    return None


def apply(path, row):
    with open(path, encoding="utf-8") as f:
        original = f.read()
    lines = original.split("\n")
    hits = [n for n, line in enumerate(lines) if row["find"] in line]
    if row["occurrence"] == 0 and len(hits) != 1:
        return original, None, f"text found on {len(hits)} lines"
    index = (row["occurrence"] or 1) - 1
    if index >= len(hits):
        return original, None, f"text found on only {len(hits)} lines"
    n = hits[index]
    if lines[n].count(row["find"]) != 1:
        return original, None, "text found twice on its line"
    lines[n] = lines[n].replace(row["find"], row["replace"])
    return original, "\n".join(lines), n + 1


def main():
    here = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description="Mutation pass over the host tests.")
    parser.add_argument("--table", default=os.path.join(here, "tools", "mutations.tsv"))
    parser.add_argument("--scratch", default="/tmp/zmr-mutate")
    parser.add_argument("--only", default="", help="table line numbers, comma-separated")
    parser.add_argument("--report", default="", help="also write the report here")
    parser.add_argument("--jobs", type=int, default=2)
    args = parser.parse_args()

    rows = read_table(args.table)
    if args.only:
        wanted = {int(n) for n in args.only.split(",")}
        rows = [row for row in rows if row["line"] in wanted]

    os.makedirs(args.scratch, exist_ok=True)
    sync_tree(here, args.scratch)
    if not os.path.isdir(os.path.join(args.scratch, "build", "host")):
        subprocess.run(["cmake", "--preset", "host"], cwd=args.scratch, check=True, capture_output=True)
    every_target = sorted({t for focused, rnd in SUITES.values() for t, _, _ in focused + rnd})
    if not build(args.scratch, every_target, args.jobs):
        sys.exit("the unchanged tree does not build")
    for focused, rnd in SUITES.values():
        failing = run_tests(args.scratch, focused + rnd)
        if failing:
            sys.exit(f"the unchanged tree fails {failing}")

    results = []
    started = time.time()
    for row in rows:
        path = os.path.join(args.scratch, row["file"])
        focused, rnd = suites_of(row["file"])
        original, mutated, where = apply(path, row)
        outcome, detail = "invalid", where
        if mutated is not None:
            try:
                with open(path, "w", encoding="utf-8") as f:
                    f.write(mutated)
                targets = sorted({t for t, _, _ in focused + rnd})
                if not build(args.scratch, targets, args.jobs):
                    outcome, detail = "invalid", "does not build"
                else:
                    caught = run_tests(args.scratch, focused)
                    if caught:
                        outcome, detail = "focused", caught
                    else:
                        caught = run_tests(args.scratch, rnd) if rnd else None
                        outcome, detail = ("random", caught) if caught else ("survived", "")
            finally:
                with open(path, "w", encoding="utf-8") as f:
                    f.write(original)
            detail = f"line {where}" + (f": {detail}" if detail else "")
        results.append((row, outcome, detail))
        print(f"{outcome:8} {row['file']}: {row['find']!r} -> {row['replace']!r} ({detail}) [table line {row['line']}]",
              flush=True)
    build(args.scratch, every_target, args.jobs)

    lines = []
    def summary(title, chosen):
        valid = [r for r in chosen if r[1] != "invalid"]
        focused_kills = sum(1 for r in valid if r[1] == "focused")
        random_kills = sum(1 for r in valid if r[1] == "random")
        total = len(valid)
        rate = 100.0 * (focused_kills + random_kills) / total if total else 0.0
        focused_rate = 100.0 * focused_kills / total if total else 0.0
        lines.append(f"{title}: {total} faults, {focused_kills + random_kills} caught ({rate:.0f}%), "
                     f"{focused_kills} by a focused test ({focused_rate:.0f}%), {random_kills} only by random play, "
                     f"{total - focused_kills - random_kills} survived")
    summary("all", results)
    summary("play", [r for r in results if r[0]["file"].startswith("play/")])
    summary("saver", [r for r in results if r[0]["file"].startswith("saver/")])
    for row, outcome, detail in results:
        if outcome in ("random", "survived", "invalid"):
            lines.append(f"  {outcome:8} {row['file']}: {row['find']!r} -> {row['replace']!r} ({detail}) "
                         f"[table line {row['line']}]")
    lines.append(f"{len(results)} rows in {time.time() - started:.0f} s")
    text = "\n".join(lines)
    print(text)
    if args.report:
        with open(args.report, "w", encoding="utf-8") as f:
            f.write(text + "\n")


if __name__ == "__main__":
    main()
