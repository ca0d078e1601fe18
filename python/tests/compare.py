"""The module against the program, through the shared reference
(tests/reference.py) of texts of every notation and every rejected kind:
the same six texts (at the reference's aeonmark digits) or the same problem
words for every text; of every text, the same verdict from the one notation
that claims it and "date format unrecognised" from the others; of every
instant, the program's Unix seconds and its line for them, and its
Gregorian text from Python's own datetime where datetime reaches, and back.

    compare.py REFERENCE    (the module on PYTHONPATH)
"""
import json
import sys

import aeonmark

with open(sys.argv[1], encoding="utf-8") as reference:
    rows = [json.loads(row) for row in reference]


def verdict(read, *args):
    try:
        return read(*args)
    except aeonmark.Error as error:
        assert (type(error) is aeonmark.OutOfRange) == (error.problem ==
                                                        "date is out of acceptable range")
        assert error.text == args[-1] and str(error) == f"{error.problem}: {error.text}"
        return error.problem


failures = []
for row in rows:
    text, digits = row["text"], row["digits"]
    line = row.get("line") or f"aeonmark: {row['problem']}: {text}"
    found = verdict(aeonmark.read, text)
    claims = [verdict(aeonmark.read_as, letter, text) for letter in "sjgqu"]
    if isinstance(found, str):
        got = f"aeonmark: {found}: {text}"
    else:
        got = " ".join(aeonmark.convert(text, "sjgqux", digits))
    unrecognised = "date format unrecognised"
    if found != unrecognised and claims.count(unrecognised) != 4 or found not in claims:
        got += f" (read_as: {claims})"
    if not isinstance(found, str):
        gregorian, unix = line.split(" ")[2], line.split(" ")[4]
        whole = aeonmark.from_unix(aeonmark.to_unix(found))
        if f"U{aeonmark.to_unix(found)}" != unix or whole != aeonmark.Instant(
                found.seconds) or " ".join(aeonmark.convert(unix, "sjgqux", digits)) != row[
                    "unix_line"]:
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
print(f"{len(rows)} texts, {len(failures)} differ")
sys.exit(1 if failures else 0)
