-- aeonmark 1.1: timestamps with time zone, both ways. IMMUTABLE STRICT
-- PARALLEL SAFE as the others: neither depends on the session's time zone.
\echo Use "ALTER EXTENSION aeonmark UPDATE TO '1.1'" to load this file. \quit

CREATE FUNCTION aeonmark(instant timestamptz, notations text DEFAULT 's', digits integer DEFAULT 2)
RETURNS text
AS 'MODULE_PATHNAME', 'aeonmark_sql_from_timestamptz'
LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;

COMMENT ON FUNCTION aeonmark(timestamptz, text, integer) IS
'the timestamp, with its microseconds, written in each of the notations (letters of sjgqux), as the program''s line';

CREATE FUNCTION aeonmark_to_timestamptz(date text)
RETURNS timestamptz
AS 'MODULE_PATHNAME', 'aeonmark_sql_to_timestamptz'
LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;

COMMENT ON FUNCTION aeonmark_to_timestamptz(text) IS
'the date as a timestamp, its part of a second taken down to microseconds';
