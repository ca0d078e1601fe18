/* libaeonmark's conversions as PostgreSQL functions, the shared module of
 * the extension aeonmark (its SQL scripts declare them): the program's line
 * for a text, a Unix time or a timestamp with time zone, and the Unix time
 * or timestamp of a text. Each is declared STRICT, so the server itself
 * gives NULL for a NULL argument and these never see one. A rejected value
 * raises the program's message as an error of the datetime class, as the
 * server's own date input does. */
#include "postgres.h"

#include "common/int.h"
#include "fmgr.h"
#include "utils/builtins.h"
#include "utils/timestamp.h"

#include <aeonmark.h>

PG_MODULE_MAGIC;

/* A text that no reader claims, or that is not shaped as its reader wants,
 * is badly formatted; notations and digits are the query's mistakes; any
 * other problem is a value out of range. */
static int sqlstate_of(aeonmark_problem problem) {
    switch (problem) {
    case AEONMARK_UNRECOGNISED:
    case AEONMARK_MALFORMED_TIME:
    case AEONMARK_MALFORMED_UNIX:
        return ERRCODE_INVALID_DATETIME_FORMAT;
    case AEONMARK_BAD_NOTATIONS:
    case AEONMARK_BAD_DIGITS:
        return ERRCODE_INVALID_PARAMETER_VALUE;
    default:
        return ERRCODE_DATETIME_FIELD_OVERFLOW;
    }
}

/* "aeonmark: <words>: <value>", the value length bytes long (-1: up to its
 * NUL). */
pg_attribute_noreturn() static void reject(aeonmark_problem problem, const char *value,
                                           int length) {
    ereport(ERROR, (errcode(sqlstate_of(problem)),
                    errmsg("aeonmark: %s: %.*s", aeonmark_problem_text(problem), length, value)));
    pg_unreachable();
}

/* Argument 0, a text, read as it lies in its (possibly packed) varlena. */
static aeonmark_problem read_date(FunctionCallInfo fcinfo, const text **date,
                                  aeonmark_instant *instant) {
    *date = PG_GETARG_TEXT_PP(0);
    return aeonmark_read_n(VARDATA_ANY(*date), VARSIZE_ANY_EXHDR(*date), instant, NULL);
}

#define REJECT_DATE(problem, date) reject(problem, VARDATA_ANY(date), (int)VARSIZE_ANY_EXHDR(date))

/* The server's timestamps count microseconds from 2000-01-01 UTC. */
#define UNIX_SECONDS_AT_2000 ((int64)(POSTGRES_EPOCH_JDATE - UNIX_EPOCH_JDATE) * SECS_PER_DAY)

/* The instant of a timestamp, its microseconds kept; an infinite one is out
 * of range, as in the server's own conversions. */
static aeonmark_problem from_timestamptz(TimestampTz at, aeonmark_instant *instant) {
    int64 seconds = at / USECS_PER_SEC, microseconds = at % USECS_PER_SEC;
    if (microseconds < 0) { /* the second it lies in, not the one after */
        microseconds += USECS_PER_SEC;
        seconds -= 1;
    }
    if (TIMESTAMP_NOT_FINITE(at)) return AEONMARK_OUT_OF_RANGE;
    return aeonmark_from_unix_ns(seconds + UNIX_SECONDS_AT_2000, (uint32_t)microseconds * 1000,
                                 instant);
}

enum line_of { TEXT, TRY, UNIX, TIMESTAMPTZ };

/* Room for any notations a query names each once; the library reads them
 * up to a NUL, so longer letters are copied into the call's memory. */
#define SHORT_TEXT 16

/* The line for argument 0, in the notations and digits of arguments 1 and 2
 * (the SQL defaults fill them when a call leaves them out), which the
 * library checks before argument 0 is read, so that aeonmark_try refuses
 * them too. aeonmark_try gives NULL where aeonmark raises the problem. */
static Datum line(FunctionCallInfo fcinfo, enum line_of of) {
    const text *given = PG_GETARG_TEXT_PP(1);
    char small[SHORT_TEXT];
    const char *letters = small;
    if (VARSIZE_ANY_EXHDR(given) < SHORT_TEXT)
        text_to_cstring_buffer(given, small, SHORT_TEXT);
    else
        letters = text_to_cstring(given);
    int digits = PG_GETARG_INT32(2);
    aeonmark_instant instant = {0, 0};
    aeonmark_problem problem = aeonmark_write_line(instant, letters, digits, NULL, 0, NULL);
    if (problem != AEONMARK_OK)
        reject(problem, problem == AEONMARK_BAD_NOTATIONS ? letters : psprintf("%d", digits), -1);
    const text *date = NULL;
    if (of == UNIX) problem = aeonmark_from_unix(PG_GETARG_INT64(0), &instant);
    if (of == TIMESTAMPTZ) problem = from_timestamptz(PG_GETARG_TIMESTAMPTZ(0), &instant);
    if (of == TEXT || of == TRY) problem = read_date(fcinfo, &date, &instant);
    if (problem == AEONMARK_OK) {
        text *result = palloc(VARHDRSZ + AEONMARK_LINE_MAX);
        size_t length = 0;
        aeonmark_write_line(instant, letters, digits, VARDATA(result), AEONMARK_LINE_MAX, &length);
        SET_VARSIZE(result, VARHDRSZ + length);
        PG_RETURN_TEXT_P(result);
    }
    if (of == TRY) PG_RETURN_NULL();
    if (date != NULL) REJECT_DATE(problem, date);
    reject(problem,
           of == UNIX ? psprintf(INT64_FORMAT, PG_GETARG_INT64(0))
                      : DatumGetCString(DirectFunctionCall1(timestamptz_out, PG_GETARG_DATUM(0))),
           -1);
}

/* Argument 0's Unix time in seconds, or as a timestamp, the nanoseconds
 * taken down to microseconds: out of range past the server's timestamps,
 * as its own input is. */
static int64 time_of(FunctionCallInfo fcinfo, bool timestamp) {
    const text *date = NULL;
    aeonmark_instant instant;
    int64_t seconds = 0;
    uint32_t nanoseconds = 0;
    TimestampTz at = 0;
    aeonmark_problem problem = read_date(fcinfo, &date, &instant);
    if (problem == AEONMARK_OK) problem = aeonmark_to_unix_ns(instant, &seconds, &nanoseconds);
    if (problem == AEONMARK_OK && timestamp &&
        (pg_mul_s64_overflow(seconds - UNIX_SECONDS_AT_2000, USECS_PER_SEC, &at) ||
         pg_add_s64_overflow(at, nanoseconds / 1000, &at) || !IS_VALID_TIMESTAMP(at)))
        problem = AEONMARK_OUT_OF_RANGE;
    if (problem != AEONMARK_OK) REJECT_DATE(problem, date);
    return timestamp ? at : seconds;
}

#define FUNCTION(name, call)                                                                       \
    PG_FUNCTION_INFO_V1(name);                                                                     \
    Datum name(PG_FUNCTION_ARGS) {                                                                 \
        return call;                                                                               \
    }

FUNCTION(aeonmark_sql_convert, line(fcinfo, TEXT))
FUNCTION(aeonmark_sql_try, line(fcinfo, TRY))
FUNCTION(aeonmark_sql_from_unix, line(fcinfo, UNIX))
FUNCTION(aeonmark_sql_from_timestamptz, line(fcinfo, TIMESTAMPTZ))
FUNCTION(aeonmark_sql_to_unix, Int64GetDatum(time_of(fcinfo, false)))
FUNCTION(aeonmark_sql_to_timestamptz, TimestampTzGetDatum(time_of(fcinfo, true)))
