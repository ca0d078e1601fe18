#!/usr/bin/python3
"""The SQL functions in one engine: sql/cases.txt, tests/mistakes.json, and
every text of the shared reference (tests/reference.py) through each
function against the program's line or message; an index on one. In
PostgreSQL, the update from 1.0 and random timestamps there and back.

    sql/test_sql.py REFERENCE sqlite MODULE
    sql/test_sql.py REFERENCE postgresql   (psql reaches a server with the
                                            extension: sql/postgresql/with_server.sh)

Each call gives a value, NULL or "error SQLSTATE message" (SQLite: "-").
"""
import ctypes
import json
import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

EVENTS = """CREATE TABLE events (date TEXT);
CREATE INDEX events_unix ON events (aeonmark_to_unix(date));
INSERT INTO events VALUES ('U0'), ('[-36]9350.00'), ('1970-01-01T00:00:01');"""
COUNT = "SELECT count(*) FROM events WHERE aeonmark_to_unix(date) = 0"
PG_END = 9224318016000  # Unix seconds of 294277-01-01, past the server's last timestamp
# 100,000 timestamps of the years 1 to 9999, in a time zone that is not UTC,
# each a whole second and a random microsecond on it.
MOMENTS = """SET TimeZone = 'Asia/Kathmandu'; CREATE TEMP TABLE moments AS SELECT
  to_timestamp(floor(random() * 315537897600) - 62135596800)
  + floor(random() * 1000000) * interval '1 microsecond' AS t FROM generate_series(1, 100000);"""


def sqlite(module):
    import sqlite3
    db = sqlite3.connect(":memory:")
    db.enable_load_extension(True)
    db.load_extension(module)

    def outcome(expression, argument):
        try:
            row = db.execute("SELECT " + expression, [] if argument is None else [argument])
            value = row.fetchone()[0]
            return "NULL" if value is None else str(value)
        except sqlite3.Error as e:
            return "error - %s" % e

    def index_used():  # with trusted_schema off, schemas may use innocuous functions alone
        db.executescript("PRAGMA trusted_schema = OFF;" + EVENTS)
        plan = str(db.execute("EXPLAIN QUERY PLAN " + COUNT).fetchall())
        return db.execute(COUNT).fetchone()[0] == 2 and "events_unix" in plan
    return (lambda calls: [outcome(*call) for call in calls]), index_used, list


class Instant(ctypes.Structure):
    _fields_ = [("seconds", ctypes.c_uint64), ("fraction", ctypes.c_uint32)]


def postgresql():
    def psql(script):
        return subprocess.run(["psql", "-X", "-q", "-A", "-t", "-v", "ON_ERROR_STOP=1"],
                              input=("SET client_min_messages = warning; SET TimeZone = 'UTC';" +
                                     script).encode(),
                              stdout=subprocess.PIPE, check=True).stdout.decode().split("\n")[:-1]
    assert psql("""DROP EXTENSION IF EXISTS aeonmark; CREATE EXTENSION aeonmark;
        DROP EXTENSION aeonmark; CREATE EXTENSION aeonmark VERSION '1.0';
        ALTER EXTENSION aeonmark UPDATE; SELECT extversion FROM pg_extension
        WHERE extname = 'aeonmark';""") == ["1.1"]

    def copy(text):  # in COPY's text format and out of it
        return re.sub(r"[\\\t\n\r]", lambda m: "\\" + {"\t": "t", "\n": "n", "\r": "r"}.get(
            m.group(), m.group()), text)

    def evaluate(calls):
        rows = "".join("%s\t%s\n" % (copy(e.replace("?", "$1")), "\\N" if a is None else copy(a))
                       for e, a in calls)
        return [re.sub(r"\\(.)", lambda m: {"t": "\t", "n": "\n", "r": "\r"}.get(
            m.group(1), m.group(1)), line) for line in psql("""
            CREATE FUNCTION pg_temp.outcome(expression text, argument text) RETURNS text
            LANGUAGE plpgsql AS $$ DECLARE result text; BEGIN
              EXECUTE 'SELECT (' || expression || ')::text' INTO result USING argument;
              RETURN coalesce(result, 'NULL');
            EXCEPTION WHEN others THEN RETURN 'error ' || SQLSTATE || ' ' || SQLERRM; END $$;
            CREATE TEMP TABLE calls (id serial, expression text, argument text);
            COPY calls (expression, argument) FROM STDIN;\n""" + rows + """\\.
            COPY (SELECT pg_temp.outcome(expression, argument) FROM calls ORDER BY id)
              TO STDOUT;""")]

    def index_used():  # and every function declared as the index and parallel plans need
        out = psql("CREATE TEMP " + EVENTS[7:] + "SET enable_seqscan = off; %s; EXPLAIN %s;" % (
            COUNT, COUNT) + """SELECT count(*) FROM pg_proc WHERE proname LIKE 'aeonmark%'
            AND NOT (provolatile = 'i' AND proisstrict AND proparallel = 's');""")
        return out[0] == "2" and "events_unix" in " ".join(out) and out[-1] == "0"

    def timestamps():  # each check as a call, what it gave and what it should
        out = psql(MOMENTS + """SELECT count(*), min(t) FROM moments WHERE aeonmark(t, 'g')
              IS DISTINCT FROM to_char(t AT TIME ZONE 'UTC', 'YYYY-MM-DD"T"HH24:MI:SS');
            SELECT count(*), min(t) FROM moments WHERE aeonmark_to_timestamptz(aeonmark(t, 'g'))
              IS DISTINCT FROM date_trunc('second', t);
            COPY (SELECT (extract(epoch FROM t) * 1000000)::bigint, aeonmark(t, 's', 6)
              FROM moments) TO STDOUT;""")
        checks = [("aeonmark(t, 'g'), to_char", out[0], "0|"),
                  ("aeonmark_to_timestamptz(aeonmark(t, 'g'))", out[1], "0|")]
        library = ctypes.CDLL("libaeonmark.so.1")  # the one the server loaded
        for row in out[2:]:
            microseconds, line = row.split("\t")
            seconds, part = divmod(int(microseconds), 10 ** 6)
            instant, text = Instant(), ctypes.create_string_buffer(64)
            library.aeonmark_from_unix_ns(ctypes.c_int64(seconds), part * 1000,
                                          ctypes.byref(instant))
            library.aeonmark_write(instant, ord("s"), 6, text, 64)
            checks.append(("aeonmark(t, 's', 6), %s us" % microseconds, line, text.value.decode()))
        return checks
    return evaluate, index_used, timestamps


def same(got, want):
    """The same value, or errors with the same message and SQLSTATE ("-"
    matches any, "2200x" either datetime one). A tuple (Unix seconds, error)
    stands for Unix nanoseconds in that second (the nanoseconds are the
    library's), or the error past a 64-bit integer of them."""
    if isinstance(want, tuple):
        unix, error = want
        if got.startswith("error "):  # either in the second at each end
            return same(got, error) and not -2 ** 63 <= unix * 10 ** 9 <= 2 ** 63 - 10 ** 9
        return got.lstrip("-").isdigit() and int(got) // 10 ** 9 == unix
    if not (got.startswith("error ") and want.startswith("error ")):
        return got == want
    (got_state, got_message), (want_state, want_message) = (
        (text[6:].split(" ", 1) + [""])[:2] for text in (got, want))
    states = {"-", want_state} | ({"22007", "22008"} if want_state == "2200x" else set())
    return got_state in states and got_message.rstrip() == want_message.rstrip()


def main():
    reference, engine = sys.argv[1], sys.argv[2]
    evaluate, index_used, timestamps = sqlite(sys.argv[3]) if engine == "sqlite" else postgresql()
    calls, wanted = [], []
    with open(os.path.join(HERE, "cases.txt"), encoding="utf-8") as f:
        for line in f:
            only = re.match(r"(sqlite|postgresql): ", line)
            if line.strip() and not line.startswith("#") and (not only or only[1] == engine):
                expression, want = line.rstrip("\n")[only.end() if only else 0:].split(" => ", 1)
                calls.append((expression, None))
                wanted.append(want)
    with open(os.path.join(HERE, "..", "tests", "mistakes.json"), encoding="utf-8") as f:
        for row in json.load(f):
            given = row["notations"] if row["problem"].startswith("notations") else row["digits"]
            for function in "aeonmark", "aeonmark_try":
                calls.append(("%s(?, '%s', %d)" % (function, row["notations"].replace("'", "''"),
                                                   row["digits"]), row["text"]))
                wanted.append("error 22023 aeonmark: %s: %s" % (row["problem"], given))

    with open(reference, encoding="utf-8") as f:
        rows = [json.loads(row) for row in f]
    unix_calls, unix_wanted = [], []
    for row in rows:
        text, digits = row["text"], row["digits"]
        calls += [("aeonmark(?, 'sjgqux', %d)" % digits, text),
                  ("aeonmark_try(?, 'sjgqux', %d)" % digits, text), ("aeonmark_to_unix(?)", text),
                  ("aeonmark_to_unix_ns(?)" if engine == "sqlite" else
                   "aeonmark(aeonmark_to_timestamptz(?), 'jgux')", text)]
        if "problem" in row:
            message = "aeonmark: %s: %s" % (row["problem"], text)
            wanted += ["error 2200x " + message, "NULL"] + ["error 2200x " + message] * 2
            continue
        line = row["line"]
        unix = int(line.split(" ")[4][1:])
        fits = -2 ** 63 <= unix < 2 ** 63
        too_far = "error 22008 aeonmark: date is out of acceptable range: " + text
        jgux = " ".join(line.split(" ")[i] for i in (1, 2, 4, 5))
        wanted += [line, line, str(unix) if fits else too_far,
                   (unix, too_far) if engine == "sqlite" else jgux if unix < PG_END else too_far]
        if fits:
            unix_calls.append(("aeonmark_from_unix(CAST(? AS bigint), 'sjgqux', %d)" % digits,
                               str(unix)))
            unix_wanted.append(row["unix_line"])
    calls += unix_calls
    wanted += unix_wanted

    failed = [(c, g, w) for c, g, w in zip(calls, evaluate(calls), wanted) if not same(g, w)]
    failed += [] if index_used() else [("an index on aeonmark_to_unix, the flags", "no", "yes")]
    checks = timestamps()
    failed += [check for check in checks if check[1] != check[2]]
    for call, got, want in failed[:20]:
        print("%s %r: %r, not %r" % (engine, call, got, want))
    total = len(calls) + 1 + len(checks)
    print("%s: %d passed, %d failed" % (engine, total - len(failed), len(failed)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
