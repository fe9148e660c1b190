#!/usr/bin/env python3
"""Lists the functions of the product code longer than a limit (60 lines).

A function's body is a brace alone on its line after its head (the code's
own style); its length counts the head's first line to the closing brace.
Usage: scripts/function-lengths.py [LIMIT] [FOLDER...]
"""
import pathlib
import re
import sys

limit = int(sys.argv[1]) if len(sys.argv) > 1 else 60
folders = sys.argv[2:] or ["app", "platform", "schedule", "window"]
root = pathlib.Path(__file__).resolve().parent.parent
not_a_function = re.compile(r"^\s*(class|struct|namespace|enum|union)\b|=\s*$|^\s*(case|default)\b")
found = 0
for folder in folders:
    for path in sorted((root / folder).rglob("*.cpp")):
        lines = path.read_text(encoding="utf-8").splitlines()
        for i, line in enumerate(lines):
            if not re.fullmatch(r"\s*\{\s*", line) or i == 0:
                continue
            head = i - 1
            while head > 0 and lines[head - 1].strip() and not lines[head - 1].rstrip().endswith((";", "}", "{")) \
                    and not lines[head - 1].lstrip().startswith(("//", "#")):
                head -= 1
            if not_a_function.search(lines[i - 1]) or not_a_function.search(lines[head]):
                continue
            indent = len(line) - len(line.lstrip())
            end = next(j for j in range(i + 1, len(lines))
                       if lines[j].startswith(" " * indent + "}") and len(lines[j]) - len(lines[j].lstrip()) == indent)
            length = end - head + 1
            if length > limit:
                found += 1
                print(f"{path.relative_to(root)}:{head + 1}: {length} lines: {lines[head].strip()}")
print(f"{found} function(s) over {limit} lines", file=sys.stderr)
sys.exit(1 if found else 0)
