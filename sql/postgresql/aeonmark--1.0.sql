-- The functions of the extension aeonmark, on libaeonmark. Each depends on
-- its arguments alone: IMMUTABLE, so indexes and generated columns may use
-- it; STRICT, NULL in and NULL out; PARALLEL SAFE, as nothing holds state.
\echo Use "CREATE EXTENSION aeonmark" to load this file. \quit

CREATE FUNCTION aeonmark(date text, notations text DEFAULT 's', digits integer DEFAULT 2)
RETURNS text
AS 'MODULE_PATHNAME', 'aeonmark_sql_convert'
LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;

COMMENT ON FUNCTION aeonmark(text, text, integer) IS
'the date read in whichever notation claims it and written in each of the notations (letters of sjgqux), as the program''s line';

CREATE FUNCTION aeonmark_try(date text, notations text DEFAULT 's', digits integer DEFAULT 2)
RETURNS text
AS 'MODULE_PATHNAME', 'aeonmark_sql_try'
LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;

COMMENT ON FUNCTION aeonmark_try(text, text, integer) IS
'aeonmark(), with NULL for a date that does not read';

CREATE FUNCTION aeonmark_from_unix(seconds bigint, notations text DEFAULT 's', digits integer DEFAULT 2)
RETURNS text
AS 'MODULE_PATHNAME', 'aeonmark_sql_from_unix'
LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;

COMMENT ON FUNCTION aeonmark_from_unix(bigint, text, integer) IS
'the Unix time written in each of the notations (letters of sjgqux), as the program''s line';

CREATE FUNCTION aeonmark_to_unix(date text)
RETURNS bigint
AS 'MODULE_PATHNAME', 'aeonmark_sql_to_unix'
LANGUAGE C IMMUTABLE STRICT PARALLEL SAFE;

COMMENT ON FUNCTION aeonmark_to_unix(text) IS
'the date''s Unix time in whole seconds';
