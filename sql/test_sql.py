#!/usr/bin/python3
"""The SQL functions in one engine, checked against the program: the cases
of sql/cases.txt; tests/texts.py's texts through aeonmark, aeonmark_try and
aeonmark_to_unix, each compared with the program's line or message for the
text, and their Unix times through aeonmark_from_unix, compared with its
line for U and that time; and an index on a function.

    sql/test_sql.py PROGRAM sqlite MODULE
    sql/test_sql.py PROGRAM postgresql    (psql on PATH, the server named by
                                           PGHOST and the like, the extension
                                           installed there: see
                                           sql/postgresql/with_server.sh)

Outcomes are texts: a value, NULL, or "error SQLSTATE message" ("-" for
SQLite's missing SQLSTATE). AEONMARK_SQL_TEXTS sets the count (100000).
"""
import os
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests"))
import texts as generated  # noqa: E402

CAUGHT = "EXCEPTION WHEN others THEN RETURN 'error ' || SQLSTATE || ' ' || SQLERRM; END $$"


class SQLite:
    def __init__(self, module):
        import sqlite3
        self.error = sqlite3.Error
        self.db = sqlite3.connect(":memory:")
        self.db.enable_load_extension(True)
        self.db.load_extension(module)

    def value(self, sql, *args):
        try:
            value = self.db.execute(sql, args).fetchone()[0]
            return "NULL" if value is None else str(value)
        except self.error as e:
            return "error - %s" % e

    def cases(self, expressions):
        return [self.value("SELECT " + e) for e in expressions]

    def convert(self, texts):
        return [(self.value("SELECT aeonmark(?, 'sjgqux')", t),
                 self.value("SELECT aeonmark_try(?, 'sjgqux')", t),
                 self.value("SELECT aeonmark_to_unix(?)", t)) for t in texts]

    def from_unix(self, seconds):
        return [self.value("SELECT aeonmark_from_unix(?, 'sjgqux')", s) for s in seconds]

    def index_used(self):
        # With trusted_schema off, a schema may use innocuous functions alone.
        for sql in ["PRAGMA trusted_schema = OFF", "CREATE TABLE events (date TEXT)",
                    "CREATE INDEX events_unix ON events (aeonmark_to_unix(date))",
                    "INSERT INTO events VALUES ('U0'), ('[-36]9350.00'), ('1970-01-01T00:00:01')"]:
            self.db.execute(sql)
        query = "SELECT count(*) FROM events WHERE aeonmark_to_unix(date) = 0"
        plan = " ".join(str(row) for row in self.db.execute("EXPLAIN QUERY PLAN " + query))
        return self.db.execute(query).fetchone()[0] == 2 and "events_unix" in plan


class PostgreSQL:
    def run(self, script, rows=()):
        """Runs the script, its one COPY FROM STDIN fed the rows; returns
        what it printed, one list of columns a line."""
        script = "SET client_min_messages = warning;\n" + script
        data = "".join("\t".join(escape(c) for c in row) + "\n" for row in rows) + "\\.\n"
        script = script.replace("FROM STDIN;", "FROM STDIN;\n" + data)
        out = subprocess.run(["psql", "-X", "-q", "-A", "-t", "-v", "ON_ERROR_STOP=1", "-f", "-"],
                             input=script.encode(), stdout=subprocess.PIPE, check=True).stdout
        return [[unescape(c) for c in line.split("\t")] for line in out.decode().split("\n")[:-1]]

    def __init__(self):
        self.run("DROP EXTENSION IF EXISTS aeonmark; CREATE EXTENSION aeonmark;")

    def cases(self, expressions):
        return [row[0] for row in self.run(
            """CREATE FUNCTION pg_temp.outcome(expression text) RETURNS text LANGUAGE plpgsql AS $$
               DECLARE result text;
               BEGIN EXECUTE 'SELECT (' || expression || ')::text' INTO result;
               RETURN coalesce(result, 'NULL'); """ + CAUGHT + """;
               CREATE TEMP TABLE cases (id serial, expression text);
               COPY cases (expression) FROM STDIN;
               COPY (SELECT pg_temp.outcome(expression) FROM cases ORDER BY id) TO STDOUT;""",
            [[e] for e in expressions])]

    def convert(self, texts):
        return [tuple(row) for row in self.run(
            """CREATE FUNCTION pg_temp.line(date text) RETURNS text LANGUAGE plpgsql AS $$
               BEGIN RETURN aeonmark(date, 'sjgqux'); """ + CAUGHT + """;
               CREATE FUNCTION pg_temp.unix(date text) RETURNS text LANGUAGE plpgsql AS $$
               BEGIN RETURN aeonmark_to_unix(date); """ + CAUGHT + """;
               CREATE TEMP TABLE texts (id serial, date text);
               COPY texts (date) FROM STDIN;
               COPY (SELECT pg_temp.line(date), aeonmark_try(date, 'sjgqux'), pg_temp.unix(date)
                     FROM texts ORDER BY id) TO STDOUT;""", [[t] for t in texts])]

    def from_unix(self, seconds):
        return [row[0] for row in self.run(
            """CREATE TEMP TABLE unix (id serial, seconds bigint);
               COPY unix (seconds) FROM STDIN;
               COPY (SELECT aeonmark_from_unix(seconds, 'sjgqux') FROM unix ORDER BY id) TO STDOUT;""",
            [[str(s)] for s in seconds])]

    def index_used(self):
        lines = self.run(
            """CREATE TEMP TABLE events (date text);
               CREATE INDEX events_unix ON events (aeonmark_to_unix(date));
               INSERT INTO events VALUES ('U0'), ('[-36]9350.00'), ('1970-01-01T00:00:01');
               SET enable_seqscan = off;
               SELECT count(*) FROM events WHERE aeonmark_to_unix(date) = 0;
               EXPLAIN (COSTS OFF) SELECT count(*) FROM events WHERE aeonmark_to_unix(date) = 0;
               SELECT count(*) FROM pg_proc WHERE proname LIKE 'aeonmark%'
                 AND NOT (provolatile = 'i' AND proisstrict AND proparallel = 's');""")
        plan = " ".join(line[0] for line in lines[1:-1])
        return lines[0] == ["2"] and "events_unix" in plan and lines[-1] == ["0"]


def escape(column):  # COPY's text format
    return re.sub(r"[\\\t\n\r]", lambda m: {"\\": "\\\\", "\t": "\\t", "\n": "\\n",
                                            "\r": "\\r"}[m.group()], column)


def unescape(column):
    if column == "\\N":
        return "NULL"
    return re.sub(r"\\(.)", lambda m: {"t": "\t", "n": "\n", "r": "\r"}.get(m.group(1), m.group(1)),
                  column)


def same(got, want):
    """The same value, or errors with the same message and SQLSTATE (any
    when SQLite gives none; "2200x" is either datetime class)."""
    if not (got.startswith("error ") and want.startswith("error ")):
        return got == want
    got_state, got_message = (got[6:].split(" ", 1) + [""])[:2]
    want_state, want_message = (want[6:].split(" ", 1) + [""])[:2]
    states = {"-", want_state} | ({"22007", "22008"} if want_state == "2200x" else set())
    return got_state in states and got_message.rstrip() == want_message.rstrip()


def program_says(program, texts):
    """The program's line or message for each text, in argument order: it
    flushes its lines before each message."""
    said = subprocess.run(["xargs", "-0", program, "-sjgqux"], input="\0".join(texts).encode(),
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT).stdout
    said = said.decode().split("\n")[:-1]
    assert len(said) == len(texts), "%d lines from the program for %d texts" % (len(said), len(texts))
    return said


def main():
    program, engine_name = sys.argv[1], sys.argv[2]
    engine = SQLite(sys.argv[3]) if engine_name == "sqlite" else PostgreSQL()
    checks = []  # (what, got, wanted)

    with open(os.path.join(HERE, "cases.txt"), encoding="utf-8") as f:
        rows = [line.rstrip("\n").split(" => ", 1) for line in f
                if line.strip() and not line.startswith("#")]
    rows = [(e[len("sqlite: "):] if e.startswith("sqlite: ") else e, want) for e, want in rows
            if engine_name == "sqlite" or not e.startswith("sqlite: ")]
    checks += zip([e for e, _ in rows], engine.cases([e for e, _ in rows]), [w for _, w in rows])

    texts = list(generated.texts(int(os.environ.get("AEONMARK_SQL_TEXTS", "100000"))))
    seconds = []
    for text, line, (line_got, try_got, unix_got) in zip(texts, program_says(program, texts),
                                                         engine.convert(texts)):
        if line.startswith("aeonmark: "):
            wanted = "error 2200x " + line
            checks += [(text, line_got, wanted), (text, try_got, "NULL"), (text, unix_got, wanted)]
            continue
        unix = int(line.split(" ")[4][1:])
        fits = -2 ** 63 <= unix < 2 ** 63
        checks += [(text, line_got, line), (text, try_got, line),
                   (text, unix_got, str(unix) if fits else
                    "error 22008 aeonmark: date is out of acceptable range: " + text)]
        if fits:
            seconds.append(unix)
    checks += zip(map(str, seconds), engine.from_unix(seconds),
                  program_says(program, ["U%d" % s for s in seconds]))
    checks.append(("an index on aeonmark_to_unix", str(engine.index_used()), "True"))

    failed = [(what, got, want) for what, got, want in checks if not same(got, want)]
    for what, got, want in failed[:20]:
        print("%s %r: %r, not %r" % (engine_name, what, got, want))
    print("%s: %d passed, %d failed" % (engine_name, len(checks) - len(failed), len(failed)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
