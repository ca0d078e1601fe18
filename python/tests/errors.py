"""How every call refuses what it cannot take, as one table: the exception's
exact type, and for the module's own errors the program's words and the
text; then the values at the ends of the range and of datetime's, which
take the roads around the library's 64-bit calls, nanoseconds there and
back, and help()'s examples. (The module on PYTHONPATH.)"""
import copy
import datetime
import doctest
import json
import operator
import os
import pickle
import random
import sys

import aeonmark as a

utc = datetime.timezone.utc
U0, LAST = a.read("U0"), a.Instant(2**64 - 1)
LAST_UNIX = 18446744011573782015  # Unix time of the last instant, past INT64_MAX
FIRST_NS, LAST_NS = -62135769600 * 10**9, LAST_UNIX * 10**9 + 10**9 - 1  # from_unix_ns's ends
OUT = "date is out of acceptable range"
LETTERS, READERS, DIGITS = ("notations are letters of sjgqux", "notations read are letters of sjgqu",
                            "digits are 0 to 6")
at = datetime.datetime(2000, 1, 1, tzinfo=utc)

ROWS = [  # call, its arguments, the exception, the problem's words when it is an Error
    # (with the text when that is not the last argument)
    # Not a str, a lone surrogate: as Python's own functions refuse them.
    (a.read, [b"U0"], TypeError, None),
    (a.try_read, [b"U0"], TypeError, None),
    (a.read_as, ["g", None], TypeError, None),
    (a.convert, [1970], TypeError, None),
    (a.read, ["U\udc80"], UnicodeEncodeError, None),
    (a.read_as, ["u", "\ud800"], UnicodeEncodeError, None),
    # Every problem a text can have, with the program's words.
    (a.read, ["yesterday"], a.Error, "date format unrecognised"),
    (a.read, [""], a.Error, "date format unrecognised"),
    (a.read, [" U0"], a.Error, "date format unrecognised"),
    (a.read_as, ["g", "U0"], a.Error, "date format unrecognised"),
    (a.read, [f"U{LAST_UNIX + 1}"], a.OutOfRange, OUT),
    (a.read, ["U-62135769601"], a.OutOfRange, OUT),
    (a.convert, ["[-0]0000"], a.OutOfRange, OUT),
    (a.read, ["[0]10000"], a.Error, "integer part is out of range"),
    (a.read, ["[" + "9" * 21 + "]0000"], a.Error, "integer part is out of range"),
    (a.read, ["2000-13-01"], a.Error, "month is out of range"),
    (a.read, ["1900-02-29"], a.Error, "day is out of range"),
    (a.read, ["2000*01*01T24:00"], a.Error, "hour is out of range"),
    (a.read, ["2000=01=01T00:60"], a.Error, "minute is out of range"),
    (a.read, ["2000-01-01T00:00:60"], a.Error, "second is out of range"),
    (a.read, ["2000-01-01T00"], a.Error, "malformed time of day"),
    (a.read, ["U12x"], a.Error, "malformed Unix date"),
    # A NUL is a byte like any other: no text ends at one.
    (a.read, ["U0\0"], a.Error, "malformed Unix date"),
    (a.read_as, ["u", "U0\0"], a.Error, "malformed Unix date"),
    (a.convert, ["U0\0x"], a.Error, "malformed Unix date"),
    # Values outside the range, and no value at all.
    (a.from_unix, [-62135769601], a.OutOfRange, OUT),
    (a.from_unix, [-2**63 - 1], a.OutOfRange, OUT),
    (a.from_unix, [LAST_UNIX + 1], a.OutOfRange, OUT),
    (a.from_unix, [2**64], a.OutOfRange, OUT),
    (a.from_unix, [1.5], TypeError, None),
    (a.from_unix, ["0"], TypeError, None),
    (a.from_unix_ns, [FIRST_NS - 1], a.OutOfRange, OUT),
    (a.from_unix_ns, [LAST_NS + 1], a.OutOfRange, OUT),
    (a.from_unix_ns, [2**64 * 10**9], a.OutOfRange, OUT),
    (a.from_unix_ns, [-2**63 * 10**9 - 1], a.OutOfRange, OUT),
    (a.from_unix_ns, [1.5], TypeError, None),
    (a.Instant, [-1], a.OutOfRange, OUT),
    (a.Instant, [2**64], a.OutOfRange, OUT),
    (a.Instant, [0, 2**32], ValueError, None),
    (a.Instant, [0, -1], ValueError, None),
    (a.to_unix, [62135769600], TypeError, None),
    (a.write, ["U0", "g"], TypeError, None),
    (setattr, [U0, "seconds", 0], AttributeError, None),  # an Instant is immutable
    (setattr, [U0, "fraction", 0], AttributeError, None),
    (setattr, [U0, "other", 0], AttributeError, None),
    (setattr, [a.Instant, "__hash__", None], TypeError, None),  # and so is its type
    # Notation letters and digits: the text is the letters given, None for digits.
    (a.read_as, ["x", "U0x0"], a.Error, (READERS, "x")),
    (a.read_as, ["gj", "U0"], a.Error, (READERS, "gj")),
    (a.write, [U0, ""], a.Error, LETTERS),
    (a.write, [U0, "S"], a.Error, LETTERS),
    (a.write, [U0, "gg"], a.Error, LETTERS),
    (a.write, [U0, None], TypeError, None),
    (a.write, [U0, "s", 7], a.Error, DIGITS),
    (a.write, [U0, "s", 2**40], a.Error, DIGITS),
    (a.convert, ["U0", "gz"], a.Error, LETTERS),
    (a.convert, ["U0", ""], a.Error, LETTERS),
    (a.convert, ["U0", "g\0"], a.Error, LETTERS),
    (a.convert, ["U0", "\udc80"], a.Error, LETTERS),
    (a.convert, [1970, "z"], TypeError, None),
    (a.convert, ["\udc80", "z"], a.Error, LETTERS),
    (a.convert, ["U0", "s", -1], a.Error, DIGITS),
    (a.convert, ["U0", "s", -2**70], a.Error, DIGITS),
    (a.convert, ["U0", "s", 2.0], TypeError, None),
    # datetime: naive, not a datetime, and instants outside its years 1 to 9999.
    (a.from_datetime, [datetime.datetime(2000, 1, 1)], ValueError, None),
    (a.from_datetime, [at.date()], TypeError, None),
    (a.from_datetime, ["2000-01-01"], TypeError, None),
    (a.Instant.to_datetime, [a.Instant(0)], OverflowError, None),
    (a.Instant.to_datetime, [a.read("10000-01-01")], OverflowError, None),
    (a.Instant.to_datetime, [a.from_unix(2**62)], OverflowError, None),
    (a.Instant.to_datetime, [LAST], OverflowError, None),
]
# The mistakes every face refuses with the library's words, whatever the text.
with open(os.path.join(os.path.dirname(__file__), "../../tests/mistakes.json"),
          encoding="utf-8") as mistakes:
    ROWS += [(a.convert, [row["text"], row["notations"], row["digits"]], a.Error,
              (row["problem"], row["notations"] if row["problem"] == LETTERS else None))
             for row in json.load(mistakes)]

failures = []
for call, arguments, expected, problem in ROWS:
    try:
        call(*arguments)
        failures.append(f"{call.__name__}{tuple(arguments)!r}: no exception")
        continue
    except Exception as error:  # pylint: disable=broad-except
        caught = error
    if not isinstance(problem, tuple):
        problem = problem, arguments[-1] if isinstance(arguments[-1], str) else None
    if type(caught) is not expected or problem[0] is not None and (caught.problem,
                                                                    caught.text) != problem:
        failures.append(f"{call.__name__}{tuple(arguments)!r}: {type(caught).__name__} "
                        f"{caught} (problem {getattr(caught, 'problem', None)!r})")

# The ends of the range and of datetime's, and the Instant as a value.
before = datetime.datetime.now(utc)
now = a.now().to_datetime()
east = datetime.timezone(datetime.timedelta(hours=23, minutes=59))
CHECKS = [
    (a.from_unix(LAST_UNIX), LAST),
    (a.to_unix(LAST), LAST_UNIX),
    (a.from_unix(2**63), a.read(f"U{2**63}")),
    (a.from_unix(-62135769600), a.Instant(0)),
    (a.write(LAST, "g"), "584554049254-11-07T07:00:15"),
    (a.from_datetime(at.astimezone(east)), a.from_datetime(at)),
    (a.from_datetime(datetime.datetime.min.replace(tzinfo=east)), a.read("0000-12-31T00:01")),
    (a.from_datetime(datetime.datetime.max.replace(tzinfo=utc)).to_datetime(),
     datetime.datetime.max.replace(tzinfo=utc)),
    (a.from_datetime(at.replace(microsecond=1)).to_datetime(), at.replace(microsecond=1)),
    (before - datetime.timedelta(seconds=1) <= now <= datetime.datetime.now(utc), True),
    (sorted([LAST, a.Instant(5, 1), a.Instant(5), U0]), [a.Instant(5), a.Instant(5, 1), U0, LAST]),
    ({a.Instant(5, 1): 0, a.Instant(5, 1): 1, a.Instant(5): 2}, {a.Instant(5, 1): 1, a.Instant(5): 2}),
    (pickle.loads(pickle.dumps(a.Instant(5, 7))) == a.Instant(5, 7) and copy.deepcopy(U0) == U0,
     True),
    ([op(x, y) for x, y in [(U0, U0), (U0, LAST)] for op in
      (operator.lt, operator.le, operator.eq, operator.ne, operator.gt, operator.ge)],
     [False, True, True, False, False, True, True, True, False, True, False, False]),
    (repr(a.Instant(5, 1)), "aeonmark.Instant(seconds=5, fraction=1)"),
    ([a.try_read(t) for t in ["U0", "2000-02-30", "U0\0", "U\udc80", f"U{LAST_UNIX + 1}"]],
     [U0, None, None, None, None]),
    (a.from_unix_ns(FIRST_NS), a.Instant(0)),
    (a.Instant(2**64 - 1, 2**32 - 1).to_unix_ns(), LAST_NS),
]
for number, (got, expected) in enumerate(CHECKS):
    if got != expected:
        failures.append(f"check {number}: {got!r}, not {expected!r}")

# Nanoseconds there and back: the ends, int64 seconds' last and past it, and
# random values over the whole range and over int64 nanoseconds.
rng = random.Random(1582)
values = [FIRST_NS, LAST_NS, -1, 0, 2**63 * 10**9 - 1, 2**63 * 10**9]
values += [rng.randrange(FIRST_NS, LAST_NS + 1) if i % 2 else rng.randrange(-2**63, 2**63)
           for i in range(10**6)]
failures += [f"from_unix_ns({x}).to_unix_ns() is {a.from_unix_ns(x).to_unix_ns()}"
             for x in values if a.from_unix_ns(x).to_unix_ns() != x][:5]

# The examples of help(aeonmark).
if doctest.testmod(a, extraglobs={"aeonmark": a}).failed:
    failures.append("help(aeonmark): an example prints something else")

for failure in failures:
    print(failure)
print(f"{len(ROWS)} refusals, {len(CHECKS)} values: {len(failures)} failures")
sys.exit(1 if failures else 0)
