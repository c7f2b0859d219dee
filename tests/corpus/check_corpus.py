#!/usr/bin/env python3
"""Runs the hostile-media corpus (make_corpus.py) and checks every case: the result it
must give, nothing written outside its destination (or, for a join, outside its work
folder and destination), no existing file changed except by a whole entry, no temporary
file left.

  check_corpus.py native --source ROOT --build DIR   builds the POSIX runner with the
      sanitizers and runs every case through it
  check_corpus.py wine --program corpus_wine.exe --wine-run wine-run.sh
      runs every case through the setup's Win32 code, in one Wine process
"""
import argparse
import hashlib
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import make_corpus  # noqa: E402
from make_corpus import DIR  # noqa: E402

TEMPORARY_PREFIX, TEMPORARY_SUFFIX = "~cz", ".tmp"


def native_path(path):
    return path


def wine_path(path):
    return "Z:" + path.replace("/", "\\")


def snapshot(root):
    """Every folder, file and link under root: relative path -> what it is."""
    seen = {}
    for folder, dirs, files in os.walk(root, followlinks=False):
        for name in dirs + files:
            full = os.path.join(folder, name)
            rel = os.path.relpath(full, root)
            if os.path.islink(full):
                seen[rel] = ("link", os.readlink(full))
            elif os.path.isdir(full):
                seen[rel] = ("dir",)
            else:
                with open(full, "rb") as f:
                    seen[rel] = ("file", hashlib.sha256(f.read()).hexdigest(), os.stat(full).st_mode & 0o777)
    return seen


def put(root, rel, value, sandbox):
    path = os.path.join(root, *rel.split("/"))
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if value is DIR:
        os.makedirs(path, exist_ok=True)
    elif isinstance(value, tuple):
        os.symlink(os.path.join(sandbox, value[1]), path)
    else:
        with open(path, "wb") as f:
            f.write(value)


def file_state(data):
    return ("file", hashlib.sha256(data).hexdigest())


def expected_tree(before, written):
    """The destination's tree once the written entries replaced what was there."""
    tree = {k: v[:2] for k, v in before.items()}
    for rel, data in written.items():
        rel = os.path.join(*rel.split("/"))
        parts = rel.split(os.sep)
        for i in range(1, len(parts)):
            tree.setdefault(os.path.join(*parts[:i]), ("dir",))
        tree[rel] = file_state(data)
    return tree


def prepare(work, case, dest_name="dest"):
    """The case's sandbox: its destination, a folder outside with a file to protect, the
    archive or the disk and work folder."""
    sandbox = os.path.join(work, case["name"])
    os.makedirs(os.path.join(sandbox, "outside"))
    with open(os.path.join(sandbox, "outside", "secret.txt"), "wb") as f:
        f.write(b"must not change")
    dest = os.path.join(sandbox, dest_name)
    if case.get("dest"):
        os.makedirs(dest)
        for rel, value in case["dest"].items():
            put(dest, rel, value, sandbox)
    if "archive" in case:
        with open(os.path.join(sandbox, "HOSTILE.ZIP"), "wb") as f:
            f.write(case["archive"])
    else:
        os.makedirs(os.path.join(sandbox, "media"))
        os.makedirs(os.path.join(sandbox, "work"))
        for name, value in case["media"].items():
            put(os.path.join(sandbox, "media"), name, value, sandbox)
        for name, value in case["work"].items():
            put(os.path.join(sandbox, "work"), name, value, sandbox)
    return sandbox


def check(case, sandbox, before, result):
    problems = []
    fields = result.split("\t")
    dest = os.path.join(sandbox, "dest")
    inside = ["dest"]
    if "archive" in case:
        fault, entry = fields[0], fields[1] if len(fields) > 1 else ""
    else:
        inside.append("work")
        outcome, says = fields[0], fields[1] if len(fields) > 1 else ""
        if outcome != case["join"]:
            problems.append(f"the join gave {outcome} ({says}), not {case['join']}")
        if case.get("says") and case["says"] not in says:
            problems.append(f"the join's message {says!r} does not say {case['says']!r}")
        base, fault, entry = (fields[2:5] + ["", "", ""])[:3]
        if fault == "-":
            fault = "None"
        if case.get("base") and fault != "None" and base != case["base"]:
            problems.append(f"the failing archive is {base}, not {case['base']}")
    if case.get("fault") and fault != case["fault"]:
        problems.append(f"gave {fault} ({' / '.join(fields[1:])}), not {case['fault']}")
    # The runners write a name's tabs and line breaks as blanks, to keep their columns.
    if case.get("entry") is not None and entry != case["entry"].translate({9: 32, 10: 32, 13: 32}):
        problems.append(f"named the entry {entry!r}, not {case['entry']!r}")

    after = snapshot(sandbox)
    # Outside the destination (and the work folder) nothing changed.
    for rel in sorted(set(before) | set(after)):
        top = rel.split(os.sep)[0]
        if top in inside:
            continue
        if before.get(rel) != after.get(rel):
            problems.append(f"outside the destination {rel} changed: {before.get(rel)} -> {after.get(rel)}")
    # The destination holds what it held, but for the entries written whole.
    held = {k[len("dest") + 1:]: v for k, v in before.items() if k.startswith("dest" + os.sep)}
    now = {k[len("dest") + 1:]: v[:2] for k, v in after.items() if k.startswith("dest" + os.sep)}
    want = expected_tree(held, case.get("written", {}))
    for rel in sorted(set(now) | set(want)):
        if now.get(rel) != want.get(rel):
            problems.append(f"destination {rel}: {now.get(rel, 'absent')}, expected {want.get(rel, 'absent')}")
    if not case.get("dest") and not case.get("written") and os.path.exists(dest):
        problems.append("a destination was made for an archive that writes nothing")
    # The work folder's archives.
    for name, data in case.get("work_after", {}).items():
        path = os.path.join(sandbox, "work", name)
        if data is None and os.path.exists(path):
            problems.append(f"the work folder still holds {name}")
        elif data is not None and (not os.path.isfile(path) or open(path, "rb").read() != data):
            problems.append(f"the work folder's {name} is not as expected")
    # No temporary file, but for those that were there before.
    for rel in after:
        name = os.path.basename(rel)
        if name.startswith(TEMPORARY_PREFIX) and name.endswith(TEMPORARY_SUFFIX) and rel not in before:
            problems.append(f"a temporary file is left: {rel}")
    return problems


def build_native(source, build):
    program = os.path.join(build, "corpus_native")
    sources = subprocess.run(["bash", "-c", f'root="{source}"; source "$root/tools/posixmedia/sources.sh"; '
                              'printf "%s\\n" "${media_sources[@]}"'], check=True, capture_output=True,
                             text=True).stdout.split()
    subprocess.run(["g++", "-std=c++20", "-O1", "-g", "-fsanitize=address,undefined", "-fno-sanitize-recover=all",
                    "-I", source, os.path.join(source, "tests", "corpus", "corpus_native.cpp"), *sources, "-lz", "-o",
                    program], check=True)
    return program


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("runner", choices=["native", "wine"])
    parser.add_argument("--source")
    parser.add_argument("--build")
    parser.add_argument("--program")
    parser.add_argument("--wine-run")
    args = parser.parse_args()

    work = tempfile.mkdtemp(prefix="corvan-corpus.")
    try:
        to_runner = native_path if args.runner == "native" else wine_path
        program = build_native(args.source, args.build) if args.runner == "native" else args.program
        probe = to_runner(os.path.join(work, "longest-file", "dest"))
        cases = make_corpus.archive_cases(len(probe)) + make_corpus.join_cases()
        jobs, snapshots = [], {}
        for case in cases:
            sandbox = prepare(work, case)
            snapshots[case["name"]] = snapshot(sandbox)
            dest = to_runner(os.path.join(sandbox, "dest"))
            if "archive" in case:
                jobs.append(f"unpack\t{to_runner(os.path.join(sandbox, 'HOSTILE.ZIP'))}\t{dest}")
            else:
                jobs.append(f"join\t{to_runner(os.path.join(sandbox, 'media'))}\t"
                            f"{to_runner(os.path.join(sandbox, 'work'))}\t{dest}")
        with open(os.path.join(work, "jobs.txt"), "w", encoding="utf-8", newline="\n") as f:
            f.write("\n".join(jobs) + "\n")
        command = [program, os.path.join(work, "jobs.txt"), os.path.join(work, "results.txt")]
        if args.runner == "wine":
            command = ["bash", args.wine_run, program, to_runner(os.path.join(work, "jobs.txt")),
                       to_runner(os.path.join(work, "results.txt"))]
        start = time.monotonic()
        run = subprocess.run(command, capture_output=True, text=True, timeout=500)
        took = time.monotonic() - start
        if run.returncode != 0:
            print(run.stdout, run.stderr, sep="\n")
            print(f"FAIL: the {args.runner} runner ended with {run.returncode}")
            return 1
        with open(os.path.join(work, "results.txt"), encoding="utf-8") as f:
            results = f.read().split("\n")
        failed = 0
        for case, result in zip(cases, results):
            problems = check(case, os.path.join(work, case["name"]), snapshots[case["name"]], result)
            print(f"{'ok  ' if not problems else 'FAIL'} {case['name']}: {result.split(chr(9))[0]}")
            for p in problems:
                print(f"       {p}")
            failed += bool(problems)
        print(f"{len(cases)} cases through the {args.runner} runner in {took:.1f} s; {failed} failed")
        return 1 if failed else 0
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
