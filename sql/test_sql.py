#!/usr/bin/python3
"""The SQL functions in one engine against the program: the cases of
sql/cases.txt; through the shared reference (tests/reference.py), every
text through aeonmark, aeonmark_try and aeonmark_to_unix, each compared
with the program's line or message for the text, and the Unix times of the
instants through aeonmark_from_unix, with its line for U and that time; an
index on one.

    sql/test_sql.py REFERENCE sqlite MODULE
    sql/test_sql.py REFERENCE postgresql   (psql reaches a server with the
                                            extension: sql/postgresql/with_server.sh)

Each call gives a value, NULL or "error SQLSTATE message" (SQLite: "-").
"""
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
    return (lambda calls: [outcome(*call) for call in calls]), index_used


def postgresql():
    def psql(script):
        return subprocess.run(["psql", "-X", "-q", "-A", "-t", "-v", "ON_ERROR_STOP=1"],
                              input=("SET client_min_messages = warning;" + script).encode(),
                              stdout=subprocess.PIPE, check=True).stdout.decode().split("\n")[:-1]
    psql("DROP EXTENSION IF EXISTS aeonmark; CREATE EXTENSION aeonmark;")

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
    return evaluate, index_used


def same(got, want):
    """The same value, or errors with the same message and SQLSTATE ("-"
    matches any, "2200x" either datetime one)."""
    if not (got.startswith("error ") and want.startswith("error ")):
        return got == want
    (got_state, got_message), (want_state, want_message) = (
        (text[6:].split(" ", 1) + [""])[:2] for text in (got, want))
    states = {"-", want_state} | ({"22007", "22008"} if want_state == "2200x" else set())
    return got_state in states and got_message.rstrip() == want_message.rstrip()


def main():
    reference, engine = sys.argv[1], sys.argv[2]
    evaluate, index_used = sqlite(sys.argv[3]) if engine == "sqlite" else postgresql()
    calls, wanted = [], []
    with open(os.path.join(HERE, "cases.txt"), encoding="utf-8") as f:
        for line in f:
            if line.strip() and not line.startswith("#") and (engine == "sqlite" or
                                                            not line.startswith("sqlite: ")):
                expression, want = line.rstrip("\n").replace("sqlite: ", "", 1).split(" => ", 1)
                calls.append((expression, None))
                wanted.append(want)

    with open(reference, encoding="utf-8") as f:
        rows = [json.loads(row) for row in f]
    unix_calls, unix_wanted = [], []
    for row in rows:
        text, digits = row["text"], row["digits"]
        calls += [("aeonmark(?, 'sjgqux', %d)" % digits, text),
                  ("aeonmark_try(?, 'sjgqux', %d)" % digits, text), ("aeonmark_to_unix(?)", text)]
        if "problem" in row:
            message = "aeonmark: %s: %s" % (row["problem"], text)
            wanted += ["error 2200x " + message, "NULL", "error 2200x " + message]
            continue
        line = row["line"]
        unix = int(line.split(" ")[4][1:])
        fits = -2 ** 63 <= unix < 2 ** 63
        wanted += [line, line, str(unix) if fits else
                   "error 22008 aeonmark: date is out of acceptable range: " + text]
        if fits:
            unix_calls.append(("aeonmark_from_unix(CAST(? AS bigint), 'sjgqux', %d)" % digits,
                               str(unix)))
            unix_wanted.append(row["unix_line"])
    calls += unix_calls
    wanted += unix_wanted

    failed = [(c, g, w) for c, g, w in zip(calls, evaluate(calls), wanted) if not same(g, w)]
    failed += [] if index_used() else [("an index on aeonmark_to_unix, the flags", "no", "yes")]
    for call, got, want in failed[:20]:
        print("%s %r: %r, not %r" % (engine, call, got, want))
    print("%s: %d passed, %d failed" % (engine, len(calls) + 1 - len(failed), len(failed)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
