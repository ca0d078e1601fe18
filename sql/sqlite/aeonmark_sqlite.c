/* libaeonmark's conversions as SQLite functions, a loadable extension:
 *   aeonmark(text [, notations [, digits]])       the program's line, or an error
 *   aeonmark_try(text [, notations [, digits]])   the same, NULL for a rejected text
 *   aeonmark_from_unix(seconds [, notations [, digits]])   with any fraction
 *   aeonmark_to_unix(text)                        Unix seconds, an integer
 *   aeonmark_to_unix_ns(text)                     Unix nanoseconds, an integer
 * NULL in any argument gives NULL. A rejected value fails the statement with
 * the program's message, as SQLite's own functions fail. */
#include <aeonmark.h>
#include <limits.h>
#include <math.h>
#include <string.h>

#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

static int any_null(int argc, sqlite3_value **argv) {
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return 1;
    return 0;
}

/* "aeonmark: <words>: <value>" as the statement's error; value is NULL
 * when SQLite had no memory for its text. */
static void fail(sqlite3_context *context, aeonmark_problem problem, const unsigned char *value) {
    char *message =
        value == NULL ? NULL
                      : sqlite3_mprintf("aeonmark: %s: %s", aeonmark_problem_text(problem), value);
    if (message == NULL)
        sqlite3_result_error_nomem(context);
    else
        sqlite3_result_error(context, message, -1);
    sqlite3_free(message);
}

/* The digits as the library takes them: -1, which it refuses, for anything
 * but a whole number that fits an int, however SQLite holds it (2, 2.0,
 * '2'), rather than 0 or a number cut as sqlite3_value_int would give. */
static int digits_of(sqlite3_value *value) {
    int type = sqlite3_value_numeric_type(value);
    double real = sqlite3_value_double(value);
    return (type == SQLITE_INTEGER || type == SQLITE_FLOAT) && real >= INT_MIN && real <= INT_MAX &&
                   real == (int)real
               ? (int)real
               : -1;
}

/* The notations and digits of arguments 1 and 2, each optional, checked by
 * the library before argument 0 is read, so that aeonmark_try refuses them
 * too; on a mistake the statement has failed and 0 is returned. */
static int line_options(sqlite3_context *context, int argc, sqlite3_value **argv,
                        const char **letters, int *digits) {
    const unsigned char *given =
        argc > 1 ? sqlite3_value_text(argv[1]) : (const unsigned char *)"s";
    *letters = (const char *)given;
    *digits = argc > 2 ? digits_of(argv[2]) : 2;
    /* A NUL inside ends the C string the library reads: no letter takes it. */
    if (given != NULL && argc > 1 && strlen(*letters) != (size_t)sqlite3_value_bytes(argv[1]))
        *letters = "";
    aeonmark_instant any = {0, 0};
    aeonmark_problem problem = aeonmark_write_line(any, *letters, *digits, NULL, 0, NULL);
    if (given != NULL && problem == AEONMARK_OK) return 1;
    fail(context, problem, problem == AEONMARK_BAD_DIGITS ? sqlite3_value_text(argv[2]) : given);
    return 0;
}

/* The instant of Unix seconds however SQLite holds them: an integer, a
 * real, or text that numeric affinity makes one of those. A real's fraction
 * is taken to the nearest nanosecond, a half up, as SQLite's own date
 * functions round. */
static aeonmark_problem unix_instant_of(sqlite3_value *value, aeonmark_instant *instant) {
    int type = sqlite3_value_numeric_type(value);
    double real = sqlite3_value_double(value);
    if (type == SQLITE_INTEGER) return aeonmark_from_unix(sqlite3_value_int64(value), instant);
    if (type != SQLITE_FLOAT) return AEONMARK_MALFORMED_UNIX;
    if (!(real >= -0x1p63 && real < 0x1p63)) return AEONMARK_OUT_OF_RANGE;
    /* The fraction's nanoseconds are rounded once, and at a half the sign of
     * that rounding tells on which side they lie. The fraction is exact but
     * between -1 and 0, where 1 + real may round: taken from real itself. */
    double whole = floor(real);
    int below_zero = whole == -1;
    double part = below_zero ? fma(real, 1e9, 1e9) : (real - whole) * 1e9, below = floor(part);
    if (part - below > 0.5 ||
        (part - below == 0.5 &&
         (below_zero ? fma(real, 1e9, 1e9 - part) : fma(real - whole, 1e9, -part)) >= 0))
        ++below;
    return aeonmark_from_unix_ns((int64_t)whole + (below == 1e9),
                                 below == 1e9 ? 0 : (uint32_t)below, instant);
}

/* Numeric affinity makes a text a number in place: a copy's is, so that a
 * refusal quotes the text as given. */
static aeonmark_problem unix_instant(sqlite3_value *given, aeonmark_instant *instant) {
    sqlite3_value *copy =
        sqlite3_value_type(given) == SQLITE_TEXT ? sqlite3_value_dup(given) : NULL;
    aeonmark_problem problem = unix_instant_of(copy != NULL ? copy : given, instant);
    sqlite3_value_free(copy);
    return problem;
}

/* The Unix time in nanoseconds, when it fits: a time before 1970 counted
 * from the second after its own, so that the last nanoseconds fit too. */
static int in_nanoseconds(int64_t *seconds, uint32_t nanoseconds) {
    int carry = *seconds < 0 && nanoseconds > 0;
    int64_t rest = (int64_t)nanoseconds - (carry ? 1000000000 : 0);
    return !__builtin_mul_overflow(*seconds + carry, 1000000000, seconds) &&
           !__builtin_add_overflow(*seconds, rest, seconds);
}

/* Every function, told apart by its user data: the line of argument 0, a
 * text or Unix seconds, in the notations and digits of the others (a
 * rejected text NULL in aeonmark_try), or the text's Unix time. */
enum kind { TEXT, TRY, FROM_UNIX, TO_UNIX, TO_UNIX_NS };

static void evaluate(sqlite3_context *context, int argc, sqlite3_value **argv) {
    const enum kind kind = *(const enum kind *)sqlite3_user_data(context);
    const char *letters = NULL;
    int digits = 0;
    if (any_null(argc, argv) || !line_options(context, argc, argv, &letters, &digits)) return;
    aeonmark_instant instant;
    aeonmark_problem problem = AEONMARK_OK;
    if (kind == FROM_UNIX) {
        problem = unix_instant(argv[0], &instant);
    } else { /* at its length, in place: a NUL inside is a byte of the text */
        const char *text = (const char *)sqlite3_value_text(argv[0]);
        problem = aeonmark_read_n(text, (size_t)sqlite3_value_bytes(argv[0]), &instant, NULL);
    }
    int64_t seconds = 0;
    uint32_t nanoseconds = 0;
    if (problem == AEONMARK_OK && kind >= TO_UNIX)
        problem = aeonmark_to_unix_ns(instant, &seconds, &nanoseconds);
    if (problem == AEONMARK_OK && kind == TO_UNIX_NS && !in_nanoseconds(&seconds, nanoseconds))
        problem = AEONMARK_OUT_OF_RANGE;
    if (problem == AEONMARK_OK && kind >= TO_UNIX) {
        sqlite3_result_int64(context, seconds);
    } else if (problem == AEONMARK_OK) {
        char line[AEONMARK_LINE_MAX];
        size_t length = 0;
        aeonmark_write_line(instant, letters, digits, line, sizeof line, &length);
        sqlite3_result_text(context, line, (int)length, SQLITE_TRANSIENT);
    } else if (kind != TRY || sqlite3_value_text(argv[0]) == NULL) {
        fail(context, problem, sqlite3_value_text(argv[0]));
    }
}

/* Registers every function on the connection. The name SQLite derives from
 * the file name aeonmark_sqlite, sqlite3_aeonmarksqlite_init, is the entry
 * ".load aeonmark_sqlite" finds by itself; sqlite3_aeonmark_init is the same
 * entry under the extension's own name. Only these two leave the module:
 * SQLite loads extensions into one global namespace, where another's
 * sqlite3_api could otherwise stand in for ours. */
#define ENTRY __attribute__((visibility("default")))

ENTRY int sqlite3_aeonmark_init(sqlite3 *db, char **error, const sqlite3_api_routines *api) {
    (void)error;
    SQLITE_EXTENSION_INIT2(api);
    /* Deterministic, so indexes, generated columns and the planner may use
     * them; innocuous, as they only read their arguments, so schemas may
     * use them with trusted_schema off too. */
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    static enum kind kinds[] = {TEXT, TRY, FROM_UNIX, TO_UNIX, TO_UNIX_NS};
    static const struct {
        const char *name;
        int most; /* arguments: 1 to most */
    } functions[] = {
        {"aeonmark", 3},         {"aeonmark_try", 3},        {"aeonmark_from_unix", 3},
        {"aeonmark_to_unix", 1}, {"aeonmark_to_unix_ns", 1},
    };
    for (size_t i = 0; i < sizeof functions / sizeof functions[0]; ++i) {
        for (int args = 1; args <= functions[i].most; ++args) {
            int status = sqlite3_create_function(db, functions[i].name, args, flags, &kinds[i],
                                                 evaluate, NULL, NULL);
            if (status != SQLITE_OK) return status;
        }
    }
    return SQLITE_OK;
}

ENTRY int sqlite3_aeonmarksqlite_init(sqlite3 *db, char **error, const sqlite3_api_routines *api) {
    return sqlite3_aeonmark_init(db, error, api);
}
