/* libaeonmark's conversions as PostgreSQL functions, the shared module of
 * the extension aeonmark (its SQL script declares them): the program's line
 * for a text or a Unix time, the Unix time of a text. Each is declared
 * STRICT, so the server itself gives NULL for a NULL argument and these
 * never see one. A rejected text raises the program's message as an error
 * of the datetime class, as the server's own date input does. */
#include "postgres.h"

#include "fmgr.h"
#include "utils/builtins.h"

#include "aeonmark_sql.h"

PG_MODULE_MAGIC;

PG_FUNCTION_INFO_V1(aeonmark_sql_convert);
PG_FUNCTION_INFO_V1(aeonmark_sql_try);
PG_FUNCTION_INFO_V1(aeonmark_sql_from_unix);
PG_FUNCTION_INFO_V1(aeonmark_sql_to_unix);

/* A text that no reader claims, or that is not shaped as its reader
 * wants, is badly formatted; any other problem is a value out of range. */
static int sqlstate_of(aeonmark_problem problem) {
    switch (problem) {
    case AEONMARK_UNRECOGNISED:
    case AEONMARK_MALFORMED_TIME:
    case AEONMARK_MALFORMED_UNIX:
        return ERRCODE_INVALID_DATETIME_FORMAT;
    default:
        return ERRCODE_DATETIME_FIELD_OVERFLOW;
    }
}

pg_attribute_noreturn() static void reject(aeonmark_problem problem, const char *value) {
    ereport(ERROR, (errcode(sqlstate_of(problem)),
                    errmsg("aeonmark: %s: %s", aeonmark_problem_text(problem), value)));
    pg_unreachable();
}

/* Room for a date text with a few leading zeros; a longer one is copied
 * into the call's memory context. */
#define SHORT_TEXT 64

/* The text as a C string, in small when it fits. A text value never holds
 * a NUL. */
static const char *c_string(const text *value, char small[SHORT_TEXT]) {
    if (VARSIZE_ANY_EXHDR(value) >= SHORT_TEXT) return text_to_cstring(value);
    text_to_cstring_buffer(value, small, SHORT_TEXT);
    return small;
}

/* The notations and digits of arguments 1 and 2 (the SQL defaults fill
 * them when the call leaves them out). */
static unsigned chosen_notations(FunctionCallInfo fcinfo, int *digits) {
    const text *letters = PG_GETARG_TEXT_PP(1);
    unsigned chosen = aeonmark_sql_notations(VARDATA_ANY(letters), VARSIZE_ANY_EXHDR(letters));
    if (chosen == 0)
        ereport(ERROR,
                (errcode(ERRCODE_INVALID_PARAMETER_VALUE),
                 errmsg("aeonmark: %s: %s", AEONMARK_SQL_BAD_NOTATIONS, text_to_cstring(letters))));
    *digits = PG_GETARG_INT32(2);
    if (!aeonmark_sql_digits_valid(*digits))
        ereport(ERROR, (errcode(ERRCODE_INVALID_PARAMETER_VALUE),
                        errmsg("aeonmark: %s: %d", AEONMARK_SQL_BAD_DIGITS, *digits)));
    return chosen;
}

static Datum line_of(aeonmark_instant instant, unsigned chosen, int digits) {
    char line[AEONMARK_SQL_LINE_MAX];
    size_t length = aeonmark_sql_line(instant, chosen, digits, line);
    PG_RETURN_TEXT_P(cstring_to_text_with_len(line, (int)length));
}

/* aeonmark(text, notations, digits), and aeonmark_try with NULL where the
 * other raises the text's problem. */
static Datum convert(FunctionCallInfo fcinfo, bool or_null) {
    int digits = 0;
    unsigned chosen = chosen_notations(fcinfo, &digits);
    char small[SHORT_TEXT];
    const char *date = c_string(PG_GETARG_TEXT_PP(0), small);
    aeonmark_instant instant;
    aeonmark_problem problem = aeonmark_read(date, &instant);
    if (problem == AEONMARK_OK) return line_of(instant, chosen, digits);
    if (or_null) PG_RETURN_NULL();
    reject(problem, date);
}

Datum aeonmark_sql_convert(PG_FUNCTION_ARGS) {
    return convert(fcinfo, false);
}

Datum aeonmark_sql_try(PG_FUNCTION_ARGS) {
    return convert(fcinfo, true);
}

Datum aeonmark_sql_from_unix(PG_FUNCTION_ARGS) {
    int digits = 0;
    unsigned chosen = chosen_notations(fcinfo, &digits);
    int64 seconds = PG_GETARG_INT64(0);
    aeonmark_instant instant;
    aeonmark_problem problem = aeonmark_from_unix(seconds, &instant);
    if (problem != AEONMARK_OK) {
        char number[24];
        snprintf(number, sizeof number, INT64_FORMAT, seconds);
        reject(problem, number);
    }
    return line_of(instant, chosen, digits);
}

Datum aeonmark_sql_to_unix(PG_FUNCTION_ARGS) {
    char small[SHORT_TEXT];
    const char *date = c_string(PG_GETARG_TEXT_PP(0), small);
    aeonmark_instant instant;
    int64_t seconds = 0;
    aeonmark_problem problem = aeonmark_read(date, &instant);
    if (problem == AEONMARK_OK) problem = aeonmark_to_unix(instant, &seconds);
    if (problem != AEONMARK_OK) reject(problem, date);
    PG_RETURN_INT64(seconds);
}
