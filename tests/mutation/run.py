#!/usr/bin/env python3
"""The mutation run: applies each mutant of mutants.txt to the source tree in turn,
builds the test that covers it, runs that test and tells whether the test noticed
the change (killed) or not (survived). The tree is restored after every mutant.

    python3 tests/mutation/run.py [WORD...]

With words, only the mutants whose file, build, test or texts contain one of them run. The native
and windows builds must have been configured (scripts/test.sh does it).
"""
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
LIST = Path(__file__).with_name("mutants.txt")


class Mutant:
    def __init__(self, path, preset, test, target, line):
        self.path, self.preset, self.test, self.target, self.line = path, preset, test, target, line
        self.original = None
        self.replacement = None

    def name(self):
        return f"{self.path}:{self.line} [{self.original!r} -> {self.replacement!r}]"


def text_of(field):
    return field.replace("\\n", "\n")


def read_mutants():
    mutants = []
    for number, raw in enumerate(LIST.read_text(encoding="utf-8").splitlines(), 1):
        if not raw.strip() or raw.startswith("#"):
            continue
        kind, rest = raw[0], raw[2:] if len(raw) > 2 else ""
        if kind == "@":
            path, preset, test, *target = rest.split()
            mutants.append(Mutant(path, preset, test, target[0] if target else test, number))
        elif kind == "-":
            mutants[-1].original = text_of(rest)
        elif kind == "+":
            mutants[-1].replacement = text_of(rest)
        else:
            sys.exit(f"mutants.txt:{number}: a line must start with @, -, + or #")
    return mutants


def quiet(command):
    return subprocess.run(command, cwd=ROOT, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode


def build(preset, target):
    return quiet(["cmake", "--build", "--preset", preset, "--target", target]) == 0


def test_passes(preset, test):
    return quiet(["ctest", "--preset", preset, "-R", f"^{test}$", "--timeout", "300"]) == 0


def run(mutant):
    """killed, survived, or why the mutant could not be tried."""
    source = ROOT / mutant.path
    text = source.read_text(encoding="utf-8")
    if text.count(mutant.original) != 1:
        return "invalid: the text does not occur exactly once"
    try:
        source.write_text(text.replace(mutant.original, mutant.replacement), encoding="utf-8")
        if not build(mutant.preset, mutant.target):
            return "invalid: it does not build"
        return "survived" if test_passes(mutant.preset, mutant.test) else "killed"
    finally:
        source.write_text(text, encoding="utf-8")


def main(words):
    mutants = [m for m in read_mutants()
               if not words or any(w in " ".join([m.path, m.preset, m.test, m.original, m.replacement])
                                   for w in words)]
    outcomes = {}
    for index, mutant in enumerate(mutants, 1):
        outcome = run(mutant)
        outcomes.setdefault(outcome, []).append(mutant)
        print(f"{index}/{len(mutants)} {outcome}: {mutant.name()}", flush=True)
    for preset, target in sorted({(m.preset, m.target) for m in mutants}):
        build(preset, target)  # the unmutated programs again
    killed = len(outcomes.get("killed", []))
    tried = killed + len(outcomes.get("survived", []))
    print(f"\n{killed} of {tried} mutants killed")
    for mutant in outcomes.get("survived", []):
        print(f"survived: {mutant.name()}")
    for outcome, group in outcomes.items():
        if outcome.startswith("invalid"):
            for mutant in group:
                print(f"{outcome}: {mutant.name()}")
    return 0 if killed == tried and tried == len(mutants) else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
