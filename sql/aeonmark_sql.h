/* What the SQLite and PostgreSQL functions share: the notation letters an
 * SQL caller chooses, the line written in them, and the wording of the
 * problems that are the caller's rather than the text's. Everything about
 * an instant is libaeonmark's; this only picks letters and joins texts. */
#ifndef AEONMARK_SQL_H
#define AEONMARK_SQL_H

#include <aeonmark.h>
#include <stddef.h>
#include <string.h>

/* The notations in the program's order, which is the order of the line
 * whatever the order of the letters asked for. */
#define AEONMARK_SQL_LETTERS AEONMARK_NOTATIONS
#define AEONMARK_SQL_NOTATIONS ((int)sizeof AEONMARK_NOTATIONS - 1)

/* Room for every notation, a space after each (the last one's is the NUL). */
#define AEONMARK_SQL_LINE_MAX (AEONMARK_SQL_NOTATIONS * AEONMARK_TEXT_MAX)

#define AEONMARK_SQL_DEFAULT_NOTATIONS "s"
#define AEONMARK_SQL_DEFAULT_DIGITS 2

/* The caller's mistakes, in the words of a problem: every message is
 * "aeonmark: <words>: <the value given>", as the program's are. */
#define AEONMARK_SQL_BAD_NOTATIONS "notations are letters of " AEONMARK_NOTATIONS
#define AEONMARK_SQL_BAD_DIGITS "digits are 0 to " AEONMARK_SQL_STRING(AEONMARK_DIGITS_MAX)
#define AEONMARK_SQL_STRING(x) AEONMARK_SQL_STRING_OF(x)
#define AEONMARK_SQL_STRING_OF(x) #x
#define AEONMARK_SQL_NOT_INTEGER "Unix seconds are not a 64-bit integer"

/* The notations chosen by letters, one bit each in the program's order, as
 * the program's option letters choose them (twice is once); 0 when there is
 * no letter or any byte is not one, NUL included: an SQL text may hold
 * one. */
static inline unsigned aeonmark_sql_notations(const char *letters, size_t length) {
    unsigned chosen = 0;
    for (size_t i = 0; i < length; ++i) {
        const char *at = letters[i] == '\0' ? NULL : strchr(AEONMARK_SQL_LETTERS, letters[i]);
        if (at == NULL) return 0;
        chosen |= 1U << (at - AEONMARK_SQL_LETTERS);
    }
    return chosen;
}

static inline int aeonmark_sql_digits_valid(long long digits) {
    return digits >= 0 && digits <= AEONMARK_DIGITS_MAX;
}

/* Writes the instant in every chosen notation, joined by single spaces as
 * the program's line, and a NUL; returns the length. */
static inline size_t aeonmark_sql_line(aeonmark_instant instant, unsigned chosen, int digits,
                                       char line[AEONMARK_SQL_LINE_MAX]) {
    size_t length = 0;
    for (int i = 0; i < AEONMARK_SQL_NOTATIONS; ++i) {
        if (!(chosen & (1U << i))) continue;
        if (length > 0) line[length++] = ' ';
        length += aeonmark_write(instant, AEONMARK_SQL_LETTERS[i], digits, line + length,
                                 AEONMARK_SQL_LINE_MAX - length);
    }
    line[length] = '\0';
    return length;
}

#endif /* AEONMARK_SQL_H */
