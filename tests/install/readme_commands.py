#!/usr/bin/python3
"""Runs the commands of README sections exactly as written, on a copy of the sources.

In each named section, a fenced block marked `sh` is a command block; any other fenced
block whose introducing line ends with a file name in backquotes and a colon
("with `app/CMakeLists.txt`:") is that file's text. Files are written and commands run
in order, from the root of the copy, with HOME pointing into the scratch folder so
that "$HOME/..." prefixes land there. Every program run by the commands prints one
line containing EXPECT; the run fails unless exactly --runs such lines appear.

  readme_commands.py --source DIR --work DIR --expect TEXT --runs N
                     [--files-from SECTION]... SECTION...
"""
import argparse
import os
import re
import shutil
import subprocess
import sys


def sections(readme, wanted):
    blocks = []
    current = None
    lines = readme.splitlines()
    i = 0
    previous = ""
    while i < len(lines):
        line = lines[i]
        heading = re.match(r"^##+ (.*)$", line)
        if heading:
            current = heading.group(1).strip()
        fence = re.match(r"^```(\w*)\s*$", line)
        if fence:
            body = []
            i += 1
            while i < len(lines) and not lines[i].startswith("```"):
                body.append(lines[i])
                i += 1
            if current in wanted:
                name = re.search(r"`([^`]+)`:\s*$", previous)
                if fence.group(1) == "sh":
                    blocks.append(("sh", "\n".join(body) + "\n"))
                elif name:
                    blocks.append((name.group(1), "\n".join(body) + "\n"))
        elif line.strip():
            previous = line
        i += 1
    return blocks


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--source", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--expect", required=True)
    parser.add_argument("--runs", type=int, required=True)
    parser.add_argument("--files-from", action="append", default=[],
                        help="a section whose files, not commands, are used")
    parser.add_argument("section", nargs="+")
    args = parser.parse_args()

    with open(os.path.join(args.source, "README.md"), encoding="utf-8") as f:
        readme = f.read()
    blocks = [b for b in sections(readme, set(args.files_from)) if b[0] != "sh"]
    blocks += sections(readme, set(args.section))
    if not any(kind == "sh" for kind, _ in blocks):
        sys.exit("no command block in sections %s" % args.section)

    shutil.rmtree(args.work, ignore_errors=True)
    root = os.path.join(args.work, "PelUnitsTransform")
    shutil.copytree(args.source, root,
                    ignore=lambda d, names: [n for n in names if os.path.samefile(d, args.source)
                                             and n in ("build", ".git")])
    home = os.path.join(args.work, "home")
    os.makedirs(home)
    env = dict(os.environ, HOME=home)
    env.pop("PKG_CONFIG_PATH", None)
    env.pop("LD_LIBRARY_PATH", None)

    output = ""
    for kind, text in blocks:
        if kind != "sh":
            path = os.path.join(root, kind)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w", encoding="utf-8") as f:
                f.write(text)
            continue
        print("$ " + text.rstrip().replace("\n", "\n$ "), flush=True)
        result = subprocess.run(["bash", "-euo", "pipefail", "-c", text], cwd=root, env=env,
                                stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
        out = result.stdout.decode("utf-8", "replace")
        output += out
        if result.returncode != 0:
            print(out)
            sys.exit("the block failed with status %d" % result.returncode)
    runs = sum(1 for line in output.splitlines() if args.expect in line)
    if runs != args.runs:
        print(output)
        sys.exit("%d lines with %r, expected %d" % (runs, args.expect, args.runs))
    print("%d programs ran and printed %r" % (runs, args.expect))


main()
