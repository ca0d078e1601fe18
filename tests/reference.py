#!/usr/bin/python3
"""The reference every face of the library is compared with: the texts of
tests/texts.py with what the program says of each, one JSON object a line:

    {"text": T, "digits": D, "line": L, "unix_line": U}   converted: the
        program's line for -sDjgqux T, and its line for the Unix time of
        that instant in whole seconds (U<seconds>)
    {"text": T, "digits": D, "problem": P}                 refused, with
        the words of its message "aeonmark: P: T"

The digits, 0 to 6, change every 5,000 texts, so that each face meets every
-s digit. Made from the program under test, once per test run. A program
built for another machine runs through the command in AEONMARK_EMULATOR
(qemu and its options, split at spaces).

    tests/reference.py PROGRAM OUTPUT [COUNT]
"""
import json
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import texts as generated  # noqa: E402

CHUNK = 5000  # texts a command line, each chunk at the next digit


def said(program, digits, arguments):
    """The program's line or message for each argument, in order: it hands
    its lines over before each message, so one stream holds both."""
    emulator = os.environ.get("AEONMARK_EMULATOR", "").split()
    run = subprocess.run([*emulator, program, "-s%djgqux" % digits, *arguments],
                         stdout=subprocess.PIPE, stderr=subprocess.STDOUT, check=False)
    lines = run.stdout.decode("utf-8", "surrogateescape").split("\n")[:-1]
    assert len(lines) == len(arguments), "%d lines for %d texts" % (len(lines), len(arguments))
    return lines


def main():
    program, output = sys.argv[1:3]
    count = int(sys.argv[3]) if len(sys.argv) > 3 else 100000
    texts = list(generated.texts(count))
    with open(output + ".part", "w", encoding="utf-8") as out:
        for at in range(0, len(texts), CHUNK):
            digits = at // CHUNK % 7
            chunk = texts[at:at + CHUNK]
            rows, seconds = [], []
            for text, line in zip(chunk, said(program, digits, chunk)):
                if line.startswith("aeonmark: "):
                    problem = line[len("aeonmark: "):-len(": " + text)]
                    assert line == "aeonmark: %s: %s" % (problem, text), line
                    rows.append({"text": text, "digits": digits, "problem": problem})
                else:
                    rows.append({"text": text, "digits": digits, "line": line})
                    seconds.append(line.split(" ")[4])
            unix_lines = iter(said(program, digits, seconds))
            for row in rows:
                if "line" in row:
                    row["unix_line"] = next(unix_lines)
                out.write(json.dumps(row, ensure_ascii=False) + "\n")
    os.replace(output + ".part", output)


if __name__ == "__main__":
    main()
