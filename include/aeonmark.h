/* libaeonmark: exact conversion of an instant between the aeonmark
 * era/count notation, the proleptic Julian and Gregorian calendars, the
 * 365.2425-day mean-year calendar, and Unix time in decimal and hexadecimal.
 *
 * Every function may be called from any number of threads at once: none
 * keeps state between calls or writes a global, none allocates memory,
 * prints, consults the locale or the time zone, and every one leaves errno
 * as the caller had it. All arithmetic is exact integer arithmetic; a value
 * that does not fit is a problem, never a wrapped result.
 *
 * The notations, by their letters, in the order in which a text is offered
 * to their readers and in which the command line prints them:
 *   's'  aeonmark         [era]count.fraction   [-36]9350.00
 *   'j'  Julian           year=month=dayThh:mm:ss   1969=12=19T00:00:00
 *   'g'  Gregorian        year-month-dayThh:mm:ss   1970-01-01T00:00:00
 *   'q'  mean-year        year*month*dayThh:mm:ss   1970*01*01T14:27:01
 *   'u'  Unix, decimal    U, optional -, seconds    U0
 *   'x'  Unix, hex        U, optional -, 0x, hex    U0x0 (written only; 'u' reads it)
 */
#ifndef AEONMARK_H
#define AEONMARK_H

#include <stddef.h>
#include <stdint.h>

/* The version of this header: major * 10000 + minor * 100 + patch. The
 * calls a version adds are marked "Since"; aeonmark_version() gives the
 * library's own, which may be later than the header's. */
#define AEONMARK_VERSION_MAJOR 1
#define AEONMARK_VERSION_MINOR 1
#define AEONMARK_VERSION_PATCH 0
#define AEONMARK_VERSION_NUMBER 10100 /* major * 10000 + minor * 100 + patch */

#if defined(AEONMARK_BUILDING) && defined(__GNUC__)
#define AEONMARK_API __attribute__((visibility("default")))
#else
#define AEONMARK_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* An instant: whole seconds since 0001-01-01T00:00:00 of the proleptic
 * Julian calendar (0000-12-30T00:00:00 Gregorian), every value 0 to 2^64 - 1
 * (Gregorian 584554049254-11-07T07:00:15), and the part of a second after
 * them in units of 2^-32 s. Unix time 0 is 62135769600 seconds. */
typedef struct aeonmark_instant {
    uint64_t seconds;  /* since 0001-01-01T00:00:00 of the proleptic Julian calendar */
    uint32_t fraction; /* part of a second, in units of 2^-32 s */
} aeonmark_instant;

/* Why a text was not read, or a value not converted. Each has the words the
 * command line prints for it, from aeonmark_problem_text. */
typedef enum aeonmark_problem {
    AEONMARK_OK = 0,
    AEONMARK_UNRECOGNISED,         /* date format unrecognised */
    AEONMARK_OUT_OF_RANGE,         /* date is out of acceptable range */
    AEONMARK_INTEGER_OUT_OF_RANGE, /* integer part is out of range */
    AEONMARK_MONTH_OUT_OF_RANGE,
    AEONMARK_DAY_OUT_OF_RANGE,
    AEONMARK_HOUR_OUT_OF_RANGE,
    AEONMARK_MINUTE_OUT_OF_RANGE,
    AEONMARK_SECOND_OUT_OF_RANGE,
    AEONMARK_MALFORMED_TIME,   /* malformed time of day */
    AEONMARK_MALFORMED_UNIX,   /* malformed Unix date */
    AEONMARK_CLOCK_UNREADABLE, /* cannot read the system clock */
    /* Since 1.1: mistakes in a call's other arguments. */
    AEONMARK_BAD_NOTATIONS,  /* notations are letters of sjgqux */
    AEONMARK_BAD_DIGITS,     /* digits are 0 to 6 */
    AEONMARK_BAD_NANOSECONDS /* nanoseconds are 0 to 999999999 */
} aeonmark_problem;

/* Room for the longest text of any notation and its NUL: a buffer of this
 * size always holds what aeonmark_write writes. */
#define AEONMARK_TEXT_MAX 36

/* Every notation's letter, in the order in which the command line prints
 * them and (but 'x') offers a text to their readers. */
#define AEONMARK_NOTATIONS "sjgqux"

/* The most aeonmark fraction digits a text is written with. */
#define AEONMARK_DIGITS_MAX 6

/* Since 1.1: a buffer of this size always holds what aeonmark_write_line
 * writes. */
#define AEONMARK_LINE_MAX 216 /* six texts, the five spaces between them, the NUL */

/* The problem's words as the program prints them ("day is out of range");
 * "" for AEONMARK_OK and "unknown problem" for a value that is none of the
 * above. The text is static and never changes. */
AEONMARK_API const char *aeonmark_problem_text(aeonmark_problem problem);

/* Reads text, a NUL-terminated string, in whichever notation claims it, in
 * the program's order s j g q u: exactly the command line's verdict for the
 * same argument. The whole text must be the date: no space, sign or other
 * byte around it. On AEONMARK_OK *instant holds the instant; on any problem
 * it is left as it was. Problems:
 *   AEONMARK_UNRECOGNISED        no notation claims the text, or text or
 *                                instant is null
 *   AEONMARK_OUT_OF_RANGE        a date before the first instant or past the
 *                                last (also a year or Unix count past
 *                                2^64 - 1, and the aeonmark era -0)
 *   AEONMARK_INTEGER_OUT_OF_RANGE  an aeonmark era past 2^64 - 1 or a count
 *                                too large for its era
 *   AEONMARK_MONTH_OUT_OF_RANGE, ..._DAY_..., ..._HOUR_..., ..._MINUTE_...,
 *   ..._SECOND_...               a calendar field outside its range, checked
 *                                in that order (a day outside 1 to 31); a
 *                                day its month lacks (2000-02-30) only after
 *                                them all: 2000-02-30T24:00 is an hour
 *   AEONMARK_MALFORMED_TIME      a calendar date followed by anything but
 *                                Thh:mm or Thh:mm:ss (T or t)
 *   AEONMARK_MALFORMED_UNIX      U text that is not a decimal or 0x count
 * The aeonmark and mean-year readers take a part of a second up to the next
 * 2^-32 s, so text written with 6 digits reads back to an instant that
 * writes the same text; the calendar and Unix readers give whole seconds. */
AEONMARK_API aeonmark_problem aeonmark_read(const char *text, aeonmark_instant *instant);

/* Since 1.1: as aeonmark_read, over the length bytes at text: no NUL is
 * needed, none is read past them, and a NUL among them is a byte no
 * notation takes. *notation (when notation is not NULL) receives the letter
 * of the notation that claimed the text ('s', 'j', 'g', 'q' or 'u'), also
 * when it then refused it, and '\0' when none claimed it. The notations'
 * shapes are apart, so no text is claimed by two: read as that notation
 * alone, it gets the same verdict. Any length;
 * nothing is copied or allocated. text may be NULL when length is 0 (an
 * empty text); a NULL instant is AEONMARK_UNRECOGNISED. */
AEONMARK_API aeonmark_problem aeonmark_read_n(const char *text, size_t length,
                                              aeonmark_instant *instant, char *notation);

/* Reads text as one notation only ('s', 'j', 'g', 'q' or 'u'), with the
 * problems of aeonmark_read; AEONMARK_UNRECOGNISED when it is not that
 * notation's text, and for any other letter ('x' included: 'u' reads
 * hexadecimal Unix text). */
AEONMARK_API aeonmark_problem aeonmark_read_notation(char notation, const char *text,
                                                     aeonmark_instant *instant);

/* Writes the instant in one notation ('s', 'j', 'g', 'q', 'u' or 'x'), as
 * snprintf does: returns the text's length (never above
 * AEONMARK_TEXT_MAX - 1) and, when size is at least 1, writes as much of the
 * text as fits in size - 1 bytes and a NUL; buffer may be null when size is
 * 0. digits, 0 to 6 whatever the notation, is the number of aeonmark
 * fraction digits, which only 's' uses (the command line's default is 2).
 * For an unknown notation or digits outside 0 to 6 the text is empty:
 * returns 0 and writes a NUL alone. Every instant has a text in every
 * notation; writers cut what lies below their last digit and never round
 * up. So the instants of the first 0.51 s are written in 'q' as
 * 0000*12*31T02:03:16, the nominal second they lie in, which began before
 * the first instant: that text reads back as AEONMARK_OUT_OF_RANGE. */
AEONMARK_API size_t aeonmark_write(aeonmark_instant instant, char notation, int digits,
                                   char *buffer, size_t size);

/* Since 1.1: the instant in each notation named by letters (any of s j g q
 * u x, in any order, each written once however often its letter comes), in
 * the program's order s j g q u x, joined by single spaces: the program's
 * line for these options, without its newline. As snprintf: *length (when
 * length is not NULL) receives the line's full length, never above
 * AEONMARK_LINE_MAX - 1, and when size is at least 1 the buffer the line
 * cut to size - 1 bytes and a NUL; buffer may be NULL when size is 0.
 * AEONMARK_BAD_NOTATIONS for no letter, NULL letters or any other byte,
 * then AEONMARK_BAD_DIGITS for digits outside 0 to 6; on either the buffer
 * holds "" (when size is at least 1) and *length is 0. With size 0 and no
 * length the call checks letters and digits alone. */
AEONMARK_API aeonmark_problem aeonmark_write_line(aeonmark_instant instant, const char *letters,
                                                  int digits, char *buffer, size_t size,
                                                  size_t *length);

/* The instant of Unix time seconds (whole seconds, fraction 0).
 * AEONMARK_OUT_OF_RANGE before the first instant (seconds below
 * -62135769600); AEONMARK_UNRECOGNISED when instant is null. */
AEONMARK_API aeonmark_problem aeonmark_from_unix(int64_t seconds, aeonmark_instant *instant);

/* The Unix time of the instant in whole seconds, the fraction dropped (the
 * floor, as 'u' writes it). AEONMARK_OUT_OF_RANGE past INT64_MAX seconds;
 * AEONMARK_UNRECOGNISED when seconds is null. *seconds is written only on
 * AEONMARK_OK. */
AEONMARK_API aeonmark_problem aeonmark_to_unix(aeonmark_instant instant, int64_t *seconds);

/* Since 1.1: Unix time with nanoseconds, as struct timespec holds it
 * (nanoseconds 0 to 999999999, else AEONMARK_BAD_NANOSECONDS).
 * aeonmark_from_unix_ns takes the nanoseconds up to the next 2^-32 s, as
 * the readers take a part of a second, so that aeonmark_to_unix_ns gives
 * seconds and nanoseconds back for every value; AEONMARK_OUT_OF_RANGE
 * before the first instant, AEONMARK_UNRECOGNISED when instant is NULL.
 * aeonmark_to_unix_ns takes the fraction down to whole nanoseconds, as the
 * writers cut theirs: seconds is the floor of the instant's Unix time;
 * AEONMARK_OUT_OF_RANGE past INT64_MAX seconds, AEONMARK_UNRECOGNISED when
 * either pointer is NULL; *seconds and *nanoseconds are written only on
 * AEONMARK_OK. */
AEONMARK_API aeonmark_problem aeonmark_from_unix_ns(int64_t seconds, uint32_t nanoseconds,
                                                    aeonmark_instant *instant);
AEONMARK_API aeonmark_problem aeonmark_to_unix_ns(aeonmark_instant instant, int64_t *seconds,
                                                  uint32_t *nanoseconds);

/* Since 1.1: -1, 0 or 1 as a is before, at or after b (instants have
 * padding: never memcmp them). */
AEONMARK_API int aeonmark_compare(aeonmark_instant a, aeonmark_instant b);

/* The current time from the system's real-time clock, in UTC, with its part
 * of a second: the clock's nanoseconds taken up to the next 2^-32 s, as
 * aeonmark_from_unix_ns takes them (since 1.1; before, taken down).
 * AEONMARK_CLOCK_UNREADABLE when the clock cannot be read,
 * AEONMARK_OUT_OF_RANGE when it lies before the first instant,
 * AEONMARK_UNRECOGNISED when instant is null. */
AEONMARK_API aeonmark_problem aeonmark_now(aeonmark_instant *instant);

/* The library's version, as "1.1.0": that of the library loaded, which a
 * program built on an earlier header may find later. */
AEONMARK_API const char *aeonmark_version(void);

#ifdef __cplusplus
}
#endif

#endif /* AEONMARK_H */
