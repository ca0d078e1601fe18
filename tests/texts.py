#!/usr/bin/python3
"""Texts for comparing a face of the library (a binding, an SQL function)
with the program: every notation's shapes over the whole range and past its
ends, and texts spoilt in every way a reader rejects them. A fixed seed, so
every run and every face gets the same texts.

    tests/texts.py [COUNT]    (default 100000), one text a line

No text holds a NUL or a line break, every one is valid UTF-8, and none
begins with "-", which the command line would take for an option. Only
shapes are made here: what a text means is the program's to say.
"""
import random
import sys

EPOCH = 62135769600  # Unix time 0 in seconds since the first instant
SPOILERS = ["x", ":", "/", " ", "T", "t", ".", "-", "=", "*", "[", "]", "U", "0x",
            "99", "9" * 21, "\u00e9", "\u202e", "\t"]


def number(rng, most_digits):
    """A count with any number of digits up to most_digits, now and then
    with leading zeros."""
    n = rng.randrange(10 ** rng.randrange(1, most_digits + 1))
    return ("0" * rng.randrange(3) if rng.random() < 0.1 else "") + str(n)


def unix(rng):
    seconds = rng.choice([rng.randrange(-EPOCH - 1000, 2 ** 64 + 1000),
                          rng.randrange(-2 ** 31, 2 ** 33),
                          rng.randrange(-EPOCH - 2, -EPOCH + 2),
                          2 ** 64 - EPOCH - 1 + rng.randrange(-2, 3)])
    sign = "-" if seconds < 0 else ""
    u = rng.choice("Uu")
    if rng.random() < 0.3:
        return "%s%s0%s%x" % (u, sign, rng.choice("xX"), abs(seconds))
    return "%s%s%d" % (u, sign, abs(seconds))


def calendar(rng):
    separator = rng.choice("-=*")
    year = number(rng, rng.choice([4, 4, 4, 12, 21]))
    text = separator.join([year, number(rng, 2) if rng.random() < 0.05 else
                           "%02d" % rng.randrange(0, 14),
                           "%02d" % rng.randrange(0, 33)])
    if rng.random() < 0.7:
        text += "%s%02d:%02d" % (rng.choice("TTt"), rng.randrange(0, 25), rng.randrange(0, 61))
        if rng.random() < 0.7:
            text += ":%02d" % rng.randrange(0, 61)
    return text


def aeonmark(rng):
    era = number(rng, rng.choice([1, 2, 2, 3, 10, 21]))
    count = number(rng, rng.choice([4, 4, 5, 5, 6]))
    text = "[%s%s]%s" % ("-" if rng.random() < 0.4 else "", era, count)
    if rng.random() < 0.8:
        text += "." + "".join(rng.choice("0123456789") for _ in range(rng.randrange(0, 9)))
    return text


def spoil(rng, text):
    at = rng.randrange(len(text) + 1)
    spoiler = rng.choice(SPOILERS)
    if rng.random() < 0.5:
        return text[:at] + spoiler + text[at:]
    return text[:at] + spoiler + text[at + 1:]


def texts(count):
    rng = random.Random(20261210)
    made = 0
    while made < count:
        text = rng.choice([unix, calendar, aeonmark])(rng)
        if rng.random() < 0.25:
            text = spoil(rng, text)
        if text.startswith("-"):
            continue
        made += 1
        yield text


if __name__ == "__main__":
    for line in texts(int(sys.argv[1]) if len(sys.argv) > 1 else 100000):
        print(line)
