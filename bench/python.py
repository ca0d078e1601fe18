"""Conversions per second of aeonmark.convert("U...", "g") in Python next to
the native program's (aeonmark -g on command lines of 20,000 dates, output
to /dev/null; the processes' start shown apart as the time of true on the
same command lines, and the rate without it) and Python's own datetime.fromtimestamp(n, tz=timezone.utc).isoformat(),
on the same N Unix times of the years 1000 to 9999: bench/web.mjs's dates,
drawn by the same generator. All three give the same Gregorian texts,
checked first. Median of 5 runs of each, taken in turns.

    bench/python.py PROGRAM N    (the module on PYTHONPATH)
"""
import datetime
import math
import os
import subprocess
import sys
import time

import aeonmark

program, count = sys.argv[1], int(sys.argv[2])
PER_LINE = 20000

seed = 1582
def random():
    global seed
    seed = seed * 48271 % 2147483647
    return (seed - 1) / 2147483646

seconds = [math.floor(-30610224000 + random() * 284012524800) for _ in range(count)]
texts = [f"U{n}" for n in seconds]
lines = [["-g", *texts[at:at + PER_LINE]] for at in range(0, count, PER_LINE)]
starts = lines

written = [line for args in lines for line in subprocess.run(
    [program, *args], check=True, capture_output=True, text=True).stdout.split("\n")[:-1]]
utc = datetime.timezone.utc
assert written == [aeonmark.convert(text, "g")[0] for text in texts]
assert written == [datetime.datetime.fromtimestamp(n, tz=utc).isoformat()[:19] for n in seconds]


def native(command_lines, run=program):
    with open(os.devnull, "wb") as null:
        for args in command_lines:
            subprocess.run([run, *args], check=True, stdout=null)


def module():
    convert = aeonmark.convert
    for text in texts:
        convert(text, "g")


def yardstick():
    from_timestamp = datetime.datetime.fromtimestamp
    for n in seconds:
        from_timestamp(n, tz=utc).isoformat()


runs = {"native": [], "starts": [], "module": [], "datetime": []}
for _ in range(5):
    for name, run in [("native", lambda: native(lines)), ("starts", lambda: native(starts, "true")),
                      ("module", module), ("datetime", yardstick)]:
        start = time.perf_counter()
        run()
        runs[name].append(time.perf_counter() - start)
median = {name: sorted(times)[2] for name, times in runs.items()}


def rate(name):
    return f"{count / median[name]:,.0f} conversions/s ({median[name] * 1000:.0f} ms"


print(f"{count} Unix times of the years 1000 to 9999, median of 5")
alone = count / (median["native"] - median["starts"])
print(f"  native aeonmark -g: {rate('native')}, of which starting {len(starts)} processes "
      f"{median['starts'] * 1000:.0f} ms; {alone:,.0f} conversions/s without)")
print(f"  aeonmark.convert(text, 'g') in Python {sys.version.split()[0]}: {rate('module')})")
print(f"  datetime.fromtimestamp(n, tz=timezone.utc).isoformat(): {rate('datetime')})")
