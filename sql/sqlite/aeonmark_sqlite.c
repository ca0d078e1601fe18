/* libaeonmark's conversions as SQLite functions, a loadable extension:
 *   aeonmark(text [, notations [, digits]])       the program's line, or an error
 *   aeonmark_try(text [, notations [, digits]])   the same, NULL for a rejected text
 *   aeonmark_from_unix(seconds [, notations [, digits]])
 *   aeonmark_to_unix(text)                        Unix seconds, an integer
 * NULL in any argument gives NULL. A rejected text fails the statement with
 * the program's message, as SQLite's own functions fail. */
#include "aeonmark_sql.h"

#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT1

static int any_null(int argc, sqlite3_value **argv) {
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return 1;
    return 0;
}

/* "aeonmark: <words>: <value>" as the statement's error. */
static void fail(sqlite3_context *context, const char *words, const char *value) {
    char *message = sqlite3_mprintf("aeonmark: %s: %s", words, value);
    if (message == NULL) {
        sqlite3_result_error_nomem(context);
        return;
    }
    sqlite3_result_error(context, message, -1);
    sqlite3_free(message);
}

/* A whole number however SQLite holds it: an integer, a real with no
 * fraction that fits, or text that numeric affinity makes one of those.
 * Anything else is refused rather than taken as 0 or cut, as
 * sqlite3_value_int64 would. */
static int whole_number(sqlite3_value *value, sqlite3_int64 *number) {
    switch (sqlite3_value_numeric_type(value)) {
    case SQLITE_INTEGER:
        *number = sqlite3_value_int64(value);
        return 1;
    case SQLITE_FLOAT: {
        double real = sqlite3_value_double(value);
        if (!(real >= -0x1p63 && real < 0x1p63) || real != (double)(sqlite3_int64)real) return 0;
        *number = (sqlite3_int64)real;
        return 1;
    }
    default:
        return 0;
    }
}

/* The notations and digits of arguments 1 and 2, each optional; on a bad
 * one the statement has failed and 0 is returned. */
static unsigned chosen_notations(sqlite3_context *context, int argc, sqlite3_value **argv,
                                 int *digits) {
    const char *letters = AEONMARK_SQL_DEFAULT_NOTATIONS;
    size_t length = 1;
    if (argc > 1) {
        letters = (const char *)sqlite3_value_text(argv[1]);
        if (letters == NULL) {
            sqlite3_result_error_nomem(context);
            return 0;
        }
        length = (size_t)sqlite3_value_bytes(argv[1]);
    }
    unsigned chosen = aeonmark_sql_notations(letters, length);
    if (chosen == 0) {
        fail(context, AEONMARK_SQL_BAD_NOTATIONS, letters);
        return 0;
    }
    *digits = AEONMARK_SQL_DEFAULT_DIGITS;
    if (argc > 2) {
        sqlite3_int64 number = 0;
        if (!whole_number(argv[2], &number) || !aeonmark_sql_digits_valid(number)) {
            const char *given = (const char *)sqlite3_value_text(argv[2]);
            fail(context, AEONMARK_SQL_BAD_DIGITS, given == NULL ? "" : given);
            return 0;
        }
        *digits = (int)number;
    }
    return chosen;
}

static void result_line(sqlite3_context *context, aeonmark_instant instant, unsigned chosen,
                        int digits) {
    char line[AEONMARK_SQL_LINE_MAX];
    size_t length = aeonmark_sql_line(instant, chosen, digits, line);
    sqlite3_result_text(context, line, (int)length, SQLITE_TRANSIENT);
}

/* Reads argument 0. A NUL inside the text ends the C string early: such a
 * text is no date, whatever stands before the NUL. */
static aeonmark_problem read_text(sqlite3_value *value, const char **text,
                                  aeonmark_instant *instant) {
    *text = (const char *)sqlite3_value_text(value);
    if (*text == NULL) return AEONMARK_UNRECOGNISED;
    if (strlen(*text) != (size_t)sqlite3_value_bytes(value)) return AEONMARK_UNRECOGNISED;
    return aeonmark_read(*text, instant);
}

/* aeonmark and aeonmark_try, told apart by the function's user data. */
static void convert(sqlite3_context *context, int argc, sqlite3_value **argv) {
    if (any_null(argc, argv)) return;
    int digits = 0;
    unsigned chosen = chosen_notations(context, argc, argv, &digits);
    if (chosen == 0) return;
    const char *text = NULL;
    aeonmark_instant instant;
    aeonmark_problem problem = read_text(argv[0], &text, &instant);
    if (problem == AEONMARK_OK) {
        result_line(context, instant, chosen, digits);
    } else if (text == NULL) {
        sqlite3_result_error_nomem(context);
    } else if (sqlite3_user_data(context) == NULL) {
        fail(context, aeonmark_problem_text(problem), text);
    }
}

static void from_unix(sqlite3_context *context, int argc, sqlite3_value **argv) {
    if (any_null(argc, argv)) return;
    int digits = 0;
    unsigned chosen = chosen_notations(context, argc, argv, &digits);
    if (chosen == 0) return;
    sqlite3_int64 seconds = 0;
    if (!whole_number(argv[0], &seconds)) {
        const char *given = (const char *)sqlite3_value_text(argv[0]);
        fail(context, AEONMARK_SQL_NOT_INTEGER, given == NULL ? "" : given);
        return;
    }
    aeonmark_instant instant;
    aeonmark_problem problem = aeonmark_from_unix(seconds, &instant);
    if (problem != AEONMARK_OK) {
        char number[24];
        sqlite3_snprintf(sizeof number, number, "%lld", seconds);
        fail(context, aeonmark_problem_text(problem), number);
        return;
    }
    result_line(context, instant, chosen, digits);
}

static void to_unix(sqlite3_context *context, int argc, sqlite3_value **argv) {
    if (any_null(argc, argv)) return;
    const char *text = NULL;
    aeonmark_instant instant;
    int64_t seconds = 0;
    aeonmark_problem problem = read_text(argv[0], &text, &instant);
    if (problem == AEONMARK_OK) problem = aeonmark_to_unix(instant, &seconds);
    if (problem == AEONMARK_OK) {
        sqlite3_result_int64(context, seconds);
    } else if (text == NULL) {
        sqlite3_result_error_nomem(context);
    } else {
        fail(context, aeonmark_problem_text(problem), text);
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
    static int try_marker;
    static const struct {
        const char *name;
        int least, most;
        void (*call)(sqlite3_context *, int, sqlite3_value **);
        void *data;
    } functions[] = {
        {"aeonmark", 1, 3, convert, NULL},
        {"aeonmark_try", 1, 3, convert, &try_marker},
        {"aeonmark_from_unix", 1, 3, from_unix, NULL},
        {"aeonmark_to_unix", 1, 1, to_unix, NULL},
    };
    for (size_t i = 0; i < sizeof functions / sizeof functions[0]; ++i) {
        for (int args = functions[i].least; args <= functions[i].most; ++args) {
            int status = sqlite3_create_function(db, functions[i].name, args, flags,
                                                 functions[i].data, functions[i].call, NULL, NULL);
            if (status != SQLITE_OK) return status;
        }
    }
    return SQLITE_OK;
}

ENTRY int sqlite3_aeonmarksqlite_init(sqlite3 *db, char **error, const sqlite3_api_routines *api) {
    return sqlite3_aeonmark_init(db, error, api);
}
