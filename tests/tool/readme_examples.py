#!/usr/bin/python3
"""Runs the `console` examples of a README section with the built tool.

In the section, each fenced block marked `console` holds commands (lines starting with
"$ pelunits ") and, after each, the lines it prints. The command is split as a POSIX
shell splits it and run without a shell; its output must equal those lines exactly.

  readme_examples.py --readme README.md --tool PATH SECTION
"""
import argparse
import re
import shlex
import subprocess
import sys


def examples(readme, section):
    current, inside, found = None, False, []
    for line in readme.splitlines():
        heading = re.match(r"^##+ (.*)$", line)
        if heading and not inside:
            current = heading.group(1).strip()
        elif line.startswith("```"):
            inside = not inside and current == section and line.strip() == "```console"
        elif inside and line.startswith("$ "):
            found.append((line[2:], []))
        elif inside and found:
            found[-1][1].append(line)
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--readme", required=True)
    parser.add_argument("--tool", required=True)
    parser.add_argument("section")
    args = parser.parse_args()
    with open(args.readme, encoding="utf-8") as f:
        cases = examples(f.read(), args.section)
    if not cases:
        print(f"no console examples in section '{args.section}'")
        return 1
    failures = 0
    for command, expected in cases:
        words = shlex.split(command)
        if words[0] != "pelunits":
            print(f"not a pelunits command: {command}")
            failures += 1
            continue
        run = subprocess.run([args.tool] + words[1:], capture_output=True, text=True,
                             encoding="utf-8", check=False)
        shown = run.stdout.splitlines()
        if run.returncode != 0 or shown != expected:
            print(f"$ {command}\n  expected {expected}\n  got {shown} (status "
                  f"{run.returncode}) {run.stderr.strip()}")
            failures += 1
    print(f"{len(cases) - failures} of {len(cases)} examples as the README shows them")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
