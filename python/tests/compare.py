"""The module against the program, through the shared reference
(tests/reference.py) of texts of every notation and every rejected kind:
the same six texts (at the reference's aeonmark digits) or the same problem
words for every text, and try_read's instant or None alike; of every text,
the same verdict from the one notation that claims it and "date format
unrecognised" from the others; of every instant, the program's Unix seconds
and its line for them, its nanoseconds there and back, and its Gregorian
text from Python's own datetime where datetime reaches, and back; and the
instants in their order, the program's Unix seconds in theirs.

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


failures, instants = [], []
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
    if aeonmark.try_read(text) != (None if isinstance(found, str) else found):
        got += f" (try_read: {aeonmark.try_read(text)})"
    if not isinstance(found, str):
        gregorian, unix = line.split(" ")[2], line.split(" ")[4]
        instants.append((found, int(unix[1:])))
        nanoseconds = found.to_unix_ns()
        back = aeonmark.from_unix_ns(nanoseconds)
        if nanoseconds // 10**9 != int(unix[1:]) or back.to_unix_ns() != nanoseconds or back > found:
            got += f" (to_unix_ns {nanoseconds}, back {back!r})"
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

instants.sort(key=lambda pair: pair[0])
if any(earlier[1] > later[1] for earlier, later in zip(instants, instants[1:])):
    failures.append("the instants in their order: the program's Unix seconds out of theirs")

for failure in failures[:20]:
    print(failure)
print(f"{len(rows)} texts, {len(failures)} differ")
sys.exit(1 if failures else 0)
