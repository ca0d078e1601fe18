"""The module against the program built in the same run, on the shared
texts of every notation and every rejected kind: the same six texts (with
six aeonmark digits) or the same problem words for every text; of every
text, the same verdict from the one notation that claims it and "date
format unrecognised" from the others; of every instant, the program's Unix
seconds, and its Gregorian text from Python's own datetime where datetime
reaches, and back.

    compare.py PROGRAM TEXTS_PY    (the module on PYTHONPATH)
"""
import subprocess
import sys

import aeonmark

program, generator = sys.argv[1:3]
texts = subprocess.run([sys.executable, generator], check=True, capture_output=True,
                       text=True).stdout.split("\n")[:-1]
# Lines and messages come out in argument order: the program flushes its
# lines before each message. Command lines of 20,000 stay far below ARG_MAX.
lines = []
for at in range(0, len(texts), 20000):
    run = subprocess.run([program, "-s6jgqux", *texts[at:at + 20000]],
                         stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    lines += run.stdout.decode().split("\n")[:-1]
assert len(lines) == len(texts), f"{len(lines)} lines for {len(texts)} texts"


def verdict(read, *args):
    try:
        return read(*args)
    except aeonmark.Error as error:
        assert (type(error) is aeonmark.OutOfRange) == (error.problem ==
                                                        "date is out of acceptable range")
        assert error.text == args[-1] and str(error) == f"{error.problem}: {error.text}"
        return error.problem


failures = []
for text, line in zip(texts, lines):
    found = verdict(aeonmark.read, text)
    claims = [verdict(aeonmark.read_as, letter, text) for letter in "sjgqu"]
    if isinstance(found, str):
        got = f"aeonmark: {found}: {text}"
    else:
        got = " ".join(aeonmark.convert(text, "sjgqux", 6))
    unrecognised = "date format unrecognised"
    if found != unrecognised and claims.count(unrecognised) != 4 or found not in claims:
        got += f" (read_as: {claims})"
    if not isinstance(found, str):
        gregorian, unix = line.split(" ")[2], line.split(" ")[4]
        if f"U{aeonmark.to_unix(found)}" != unix or aeonmark.from_unix(
                aeonmark.to_unix(found)) != aeonmark.Instant(found.seconds):
            got += f" (to_unix {aeonmark.to_unix(found)})"
        try:
            moment = found.to_datetime()
            back = aeonmark.from_datetime(moment)
            if (moment.replace(tzinfo=None).isoformat(timespec="seconds") != gregorian
                    or not back <= found or back.to_datetime() != moment):
                got += f" (datetime {moment!r}, back {back!r})"
        except OverflowError:
            if gregorian[4] == "-" and "0001" <= gregorian[:4] <= "9999":
                got += " (to_datetime: OverflowError)"
    if got != line:
        failures.append(f"{text!r}:\n  program: {line}\n  module:  {got}")

for failure in failures[:20]:
    print(failure)
print(f"{len(texts)} texts, {len(failures)} differ")
sys.exit(1 if failures else 0)
