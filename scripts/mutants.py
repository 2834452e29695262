#!/usr/bin/env python3
"""The mutation check of a change: small slips put one at a time into the lines the change
added, each rebuilt and tested, to see which slips the tests catch.

    scripts/mutants.sh BASE [-n N] [--seed S] [--build DIR] [--all-tests] [--list]
                       [--commits C...]

BASE is the commit the change starts from (a branch, a hash, HEAD~3). The lines added since
BASE in src/ and tools/ (the work tree's, committed or not) are the places; with --commits,
only those of them that git blame gives to one of these commits, so that one change among
later ones is scored as its lines stand now, against today's tests. The slips are
a comparison flipped or loosened, + for -, && for ||, a ! dropped, a constant off by one,
a statement or a branch dropped, a returned truth swapped and a string literal changed.
The same seed picks the same N slips. For each one the build is brought up to date
(incrementally, in DIR, default build-mutants) and the tests that cover the file run first,
stopping at the first failure; a slip they miss runs the whole suite (without the
end-to-end tests and those that need a network or an ssh host, unless --all-tests). A slip
that does not compile is counted apart, never as caught.

Every file is put back byte for byte after each slip and whatever ends the run (Ctrl-C, a
kill, an error): the work tree is left as it was found. Do not edit the sources while it
runs: a file saved under a slip is left as saved, with a warning.
"""

import argparse
import os
import random
import re
import signal
import subprocess
import sys
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SOURCES = ("src/", "tools/")
EXTENSIONS = (".cpp", ".h", ".js")

# The tests that cover a folder, run first: the fastest to fail.
COVERING = [
    ("src/cli/", "tst_ConvertCombinations|tst_ConvertQuestions|tst_QuellistConvert|completion"),
    ("src/convert/", "tst_ConvertCombinations|tst_ConvertQuestions|tst_ZipDatabase|tst_EntryRules"
                     "|tst_LooseNames|tst_ConversionRun|tst_QuellistConvert|tst_Nearest"),
    ("src/entries/", "tst_ListFile|tst_TableRecord|tst_Entry|tst_ConvertCombinations"
                     "|tst_QuellistConvert"),
    ("src/output/", "tst_TextExport|tst_Spreadsheet|tst_Clipboard|tst_OutputTarget"
                    "|tst_QuellistConvert"),
    ("src/shell/", "tst_MainWindow|tst_QtPlatform|tst_TextListView|tst_StartupFiles"
                   "|tst_SpreadsheetProbe|tst_StyleSheetCheck"),
    ("src/commands/", "tst_MainWindow|tst_FormLoad|tst_Help"),
    ("tools/zipbase/", "tst_ZipTsvReader|tst_ConvertCombinations|tst_ConvertQuestions"),
    ("tools/zipdata/", "zipdata_"),
]
# Left out of the whole-suite run unless --all-tests: slow, or they need more than the machine.
SLOW_TESTS = "e2e_|parallel_over_ssh|zipdata_shipped"


@dataclass
class Slip:
    path: str
    line: int  # 1-based
    column: int  # 0-based, in the line
    old: str
    new: str
    kind: str

    def describe(self):
        return f"{self.path}:{self.line}: {self.kind}: {self.old.strip() or self.old!r} -> " \
               f"{self.new.strip() or '(nothing)'}"


def git(*args):
    return subprocess.run(["git", *args], cwd=ROOT, check=True, capture_output=True,
                          text=True).stdout


def added_lines(base):
    """{path: [line numbers]} of the lines added since base in the sources."""
    added = {}
    path = None
    diff = git("diff", "-U0", "--no-color", "--no-ext-diff", base, "--", *SOURCES)
    for text in diff.splitlines():
        if text.startswith("+++ "):
            name = text[6:] if text.startswith("+++ b/") else None
            path = name if name and name.endswith(EXTENSIONS) and \
                not name.endswith(".test.js") else None
        elif text.startswith("@@") and path:
            found = re.match(r"@@ -\S+ \+(\d+)(?:,(\d+))? @@", text)
            start, count = int(found.group(1)), int(found.group(2) or 1)
            added.setdefault(path, []).extend(range(start, start + count))
    # Files new to git are not in the diff until added: take every line of theirs.
    for name in git("ls-files", "--others", "--exclude-standard", "--", *SOURCES).split():
        if name.endswith(EXTENSIONS) and not name.endswith(".test.js"):
            count = len((ROOT / name).read_text(errors="replace").splitlines())
            added[name] = list(range(1, count + 1))
    return added


# Where the code of a line lies: not in its comment, not inside a string or a character.
def code_spans(line):
    spans, start, i, quote = [], 0, 0, None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                i += 1
            elif c == quote:
                quote, start = None, i + 1
        elif c in "\"'`":
            spans.append((start, i))
            quote = c
        elif line.startswith("//", i):
            break
        i += 1
    if not quote:
        spans.append((start, i))
    return spans


def in_code(spans, at, length):
    return any(a <= at and at + length <= b for a, b in spans)


OPERATORS = [  # (pattern, replacement, kind); spaces mark binary operators as formatted
    (" === ", " !== ", "comparison flipped"), (" !== ", " === ", "comparison flipped"),
    (" == ", " != ", "comparison flipped"), (" != ", " == ", "comparison flipped"),
    (" <= ", " < ", "comparison tightened"), (" >= ", " > ", "comparison tightened"),
    (" < ", " <= ", "comparison loosened"), (" > ", " >= ", "comparison loosened"),
    (" + ", " - ", "+ for -"), (" - ", " + ", "- for +"), (" * ", " / ", "* for /"),
    (" / ", " * ", "/ for *"), (" % ", " / ", "% for /"),
    (" && ", " || ", "&& for ||"), (" || ", " && ", "|| for &&"),
    (" += ", " -= ", "+= for -="), (" -= ", " += ", "-= for +="),
]
SKIPPED_LINE = re.compile(r"^\s*(#|//|/\*|\*|\}|\{|namespace\b|using\b|template\b|case\b|"
                          r"default:|public:|private:|protected:|'use strict')|^\s*$")
STATEMENT = re.compile(r"^(\s*)(?!return\b|const\b|auto\b|static\b|using\b|typedef\b|case\b|"
                       r"break\b|continue\b|else\b|let\b|var\b|throw\b|delete\b|new\b)"
                       r"[a-z_][\w.:\->\[\]]*\s*(\(|\+\+|--|[-+*/|&]?=(?!=)).*;\s*$")


def slips_of_line(path, number, line):
    if SKIPPED_LINE.match(line):
        return []
    spans = code_spans(line)
    found = []
    for pattern, replacement, kind in OPERATORS:
        for match in re.finditer(re.escape(pattern), line):
            if in_code(spans, match.start(), len(pattern)):
                found.append(Slip(path, number, match.start(), pattern, replacement, kind))
    for match in re.finditer(r"(?<![\w.])(\d+)(?![\w.'])", line):
        if in_code(spans, match.start(), len(match.group())):
            value = int(match.group())
            found.append(Slip(path, number, match.start(), match.group(), str(value + 1),
                              "constant off by one"))
    for match in re.finditer(r"(?<=[(\s])!(?!=)", line):
        if in_code(spans, match.start(), 1):
            found.append(Slip(path, number, match.start(), "!", "", "! dropped"))
    for match in re.finditer(r"\bif \(", line):
        if in_code(spans, match.start(), 4):
            found.append(Slip(path, number, match.start(), "if (", "if (false && ",
                              "branch dropped"))
    for word, other in (("true", "false"), ("false", "true")):
        for match in re.finditer(rf"\breturn {word}\b", line):
            found.append(Slip(path, number, match.start(), f"return {word}", f"return {other}",
                              "returned value swapped"))
    comment = max((b for _, b in spans), default=len(line))  # where the code ends
    for match in re.finditer(r'"([^"\\]|\\.)+"', line):
        if match.start() <= comment and not line.lstrip().startswith("#") and \
                match.group() != '"use strict"':
            found.append(Slip(path, number, match.start(), match.group(),
                              match.group()[:-1] + 'X"', "string literal changed"))
    if STATEMENT.match(line) and line.count("(") == line.count(")"):
        found.append(Slip(path, number, 0, line, "", "statement dropped"))
    return found


def blamed_to(path, commits):
    """The line numbers of path (as the work tree has it) that one of commits wrote."""
    numbers = set()
    for text in git("blame", "--porcelain", "--", path).splitlines():
        found = re.match(r"([0-9a-f]{40}) \d+ (\d+)", text)
        if found and found.group(1) in commits:
            numbers.add(int(found.group(2)))
    return numbers


def all_slips(base, commits=None):
    slips = []
    for path, numbers in sorted(added_lines(base).items()):
        lines = (ROOT / path).read_text().splitlines(keepends=True)
        if commits is not None:
            numbers = sorted(set(numbers) & blamed_to(path, commits))
        for number in numbers:
            if number <= len(lines):
                slips.extend(slips_of_line(path, number, lines[number - 1]))
    return slips


class WorkTree:
    """Puts slips into files and every file back as it was, however the run ends. A file
    that changed under the run (an editor's save) is neither slipped nor overwritten."""

    def __init__(self):
        self.saved = {}  # path: (the bytes found, the bytes written)

    def apply(self, slip):
        file = ROOT / slip.path
        original = file.read_bytes()
        lines = original.decode().splitlines(keepends=True)
        line = lines[slip.line - 1] if slip.line <= len(lines) else ""
        if slip.kind == "statement dropped":
            if line != slip.old:
                return False
            lines[slip.line - 1] = line[len(line.rstrip("\r\n")):]
        else:
            if line[slip.column:slip.column + len(slip.old)] != slip.old:
                return False
            lines[slip.line - 1] = line[:slip.column] + slip.new + \
                line[slip.column + len(slip.old):]
        slipped = "".join(lines).encode()
        self.saved[slip.path] = (original, slipped)
        file.write_bytes(slipped)
        return True

    def restore(self):
        for path, (original, slipped) in self.saved.items():
            file = ROOT / path
            if file.read_bytes() == slipped:
                file.write_bytes(original)
            else:
                print(f"warning: {path} changed while a slip was in it; left as it is now: "
                      "check it for the slip", file=sys.stderr)
        self.saved.clear()


def run(command, **kwargs):
    return subprocess.run(command, cwd=ROOT, capture_output=True, text=True, **kwargs)


def failed_tests(output):
    names = re.findall(r"^\s*\d+ - (\S+) \(", output, re.M)
    return names or re.findall(r"Test +#\d+: (\S+) \.+\*+(?:Failed|Timeout|Exception)", output)


def test(build, pattern, exclude):
    command = ["ctest", "--test-dir", build, "--stop-on-failure", "--timeout", "180",
               "--output-on-failure", "-j", str(os.cpu_count() or 1)]
    if pattern:
        command += ["-R", pattern]
    if exclude:
        command += ["-E", exclude]
    result = run(command)
    if result.returncode == 0:
        return None
    return failed_tests(result.stdout) or ["(ctest failed: " + result.stdout[-200:] + ")"]


def covering(path):
    return "|".join(p for prefix, p in COVERING if path.startswith(prefix)) or None


def ensure_build(build):
    if not (ROOT / build / "CMakeCache.txt").exists():
        print(f"configuring {build} (the first run builds the whole tree)", flush=True)
        run(["cmake", "-S", ".", "-B", build, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
             "-DQUELLIST_BENCH=OFF"], check=True)
    result = run(["cmake", "--build", build])
    if result.returncode != 0:
        sys.exit("the tree does not build before any slip:\n" + result.stdout[-2000:])


def check_slip(slip, build, all_tests):
    # Built for a slip of the data build's JavaScript too: the programs must not still hold
    # the slip before it, which the whole suite would then catch in its name.
    built = run(["cmake", "--build", build])
    if built.returncode != 0:
        return "not compiled", ""
    first = covering(slip.path)
    if first:
        failed = test(build, first, None)
        if failed:
            return "caught", failed[0]
    failed = test(build, None, None if all_tests else SLOW_TESTS)
    return ("caught", failed[0]) if failed else ("missed", "")


def main():
    parser = argparse.ArgumentParser(prog="mutants.sh", description=__doc__.split("\n\n")[0])
    parser.add_argument("base")
    parser.add_argument("-n", type=int, default=25, help="at most this many slips (25)")
    parser.add_argument("--seed", type=int, default=1, help="which slips are drawn (1)")
    parser.add_argument("--build", default="build-mutants", help="the build folder (build-mutants)")
    parser.add_argument("--all-tests", action="store_true", help="the slow tests too")
    parser.add_argument("--list", action="store_true", help="list the drawn slips, run nothing")
    parser.add_argument("--commits", nargs="+", metavar="C",
                        help="only the lines these commits wrote (git blame)")
    options = parser.parse_args()

    commits = None
    if options.commits:
        commits = {git("rev-parse", "--verify", c + "^{commit}").strip() for c in options.commits}
    candidates = all_slips(options.base, commits)
    random.Random(options.seed).shuffle(candidates)
    drawn = candidates[:options.n]
    print(f"{len(candidates)} possible slips in the lines added since {options.base}; "
          f"{len(drawn)} drawn with seed {options.seed}", flush=True)
    if options.list:
        for slip in drawn:
            print(slip.describe())
        return 0

    tree = WorkTree()

    def stop(signum, _frame):
        raise KeyboardInterrupt(f"signal {signum}")

    for signum in (signal.SIGTERM, signal.SIGHUP):
        signal.signal(signum, stop)
    tally = {"caught": 0, "missed": 0, "not compiled": 0}
    missed = []
    try:
        ensure_build(options.build)
        for i, slip in enumerate(drawn, 1):
            if not tree.apply(slip):
                print(f"[{i}/{len(drawn)}] skipped      {slip.describe()}  (the file changed)")
                continue
            try:
                verdict, by = check_slip(slip, options.build, options.all_tests)
            finally:
                tree.restore()
            tally[verdict] += 1
            if verdict == "missed":
                missed.append(slip)
            print(f"[{i}/{len(drawn)}] {verdict:<12} {slip.describe()}" +
                  (f"  ({by})" if by else ""), flush=True)
    except KeyboardInterrupt:
        print("\nstopped; every file is back as it was", file=sys.stderr)
        return 130
    finally:
        tree.restore()
    judged = tally["caught"] + tally["missed"]
    score = 100 * tally["caught"] / judged if judged else 0
    print(f"\nmutation score: {tally['caught']} of {judged} caught ({score:.0f}%); "
          f"{tally['not compiled']} did not compile")
    for slip in missed:
        print(f"  missed: {slip.describe()}")
    run(["cmake", "--build", options.build])  # the build folder as the tree is again
    return 0


if __name__ == "__main__":
    sys.exit(main())
