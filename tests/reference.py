#!/usr/bin/python3
"""The reference every face of the library is compared with: tests/texts.py's
texts with the program's line at -sDjgqux ("line", and "unix_line" for the
instant's whole Unix seconds) or its problem ("problem"), one JSON object a
line; D ("digits") changes every 5,000 texts. A program built for another
machine runs through AEONMARK_EMULATOR's command.

    tests/reference.py PROGRAM OUTPUT
"""
import json
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import texts as generated  # noqa: E402

CHUNK = 5000  # texts a command line, each chunk at the next digit


def said(program, digits, arguments):
    """Its line or message for each argument, in order: one stream holds both."""
    emulator = os.environ.get("AEONMARK_EMULATOR", "").split()
    run = subprocess.run([*emulator, program, "-s%djgqux" % digits, *arguments],
                         stdout=subprocess.PIPE, stderr=subprocess.STDOUT, check=False)
    lines = run.stdout.decode("utf-8", "surrogateescape").split("\n")[:-1]
    assert len(lines) == len(arguments), "%d lines for %d texts" % (len(lines), len(arguments))
    return lines


program, output = sys.argv[1:3]
texts = list(generated.texts(100000))
with open(output + ".part", "w", encoding="utf-8") as out:
    for at in range(0, len(texts), CHUNK):
        digits, chunk = at // CHUNK % 7, texts[at:at + CHUNK]
        rows = [{"text": text, "digits": digits, "problem": line[10:-len(text) - 2]}
                if line.startswith("aeonmark: ") else {"text": text, "digits": digits, "line": line}
                for text, line in zip(chunk, said(program, digits, chunk))]
        unix_lines = iter(said(program, digits, [r["line"].split(" ")[4] for r in rows
                                                 if "line" in r]))
        for row in rows:
            if "line" in row:
                row["unix_line"] = next(unix_lines)
            out.write(json.dumps(row, ensure_ascii=False) + "\n")
os.replace(output + ".part", output)
