/* A C99 program on the installed library, as a user builds one, using every
 * call that 1.1 adds. It reads the texts of TEXTS, one a line, from the one
 * buffer that holds the file (no NUL ends any of them), and checks each
 * against SAID, the program's line or message for it with -s6jgqux: read in
 * place, the notation that claimed it, the line of all six notations, and
 * Unix time with nanoseconds both ways.
 *
 *     installed_client TEXTS SAID    (prints what differs; status 1 then)
 */
#include <aeonmark.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static char *whole_file(const char *name, size_t *size) {
    FILE *in = fopen(name, "rb");
    char *bytes = in != NULL ? malloc(1 << 24) : NULL;
    if (bytes == NULL || (*size = fread(bytes, 1, (1 << 24) - 1, in)) == 0) exit(2);
    bytes[*size] = '\0';
    return bytes;
}

int main(int argc, char *argv[]) {
    size_t size = 0, count = 0, differ = 0;
    const char *text = whole_file(argv[1], &size), *const end = text + size;
    char *said = whole_file(argv[argc - 1], &size);
    for (char *expected = strtok(said, "\n"); expected != NULL && text < end;
         expected = strtok(NULL, "\n"), ++count) {
        const size_t length =
            (size_t)((const char *)memchr(text, '\n', (size_t)(end - text)) - text);
        char got[AEONMARK_LINE_MAX + 300], notation = '?';
        aeonmark_instant instant = {0, 0}, back = {0, 0};
        int64_t seconds = 0, seconds_back = 0;
        uint32_t nanoseconds = 0, nanoseconds_back = 0;
        const aeonmark_problem problem = aeonmark_read_n(text, length, &instant, &notation);
        if (problem != AEONMARK_OK)
            snprintf(got, sizeof got, "aeonmark: %s: %.*s", aeonmark_problem_text(problem),
                     (int)length, text);
        else
            aeonmark_write_line(instant, "xuqgjs", 6, got, sizeof got, NULL);
        /* Taken down to a nanosecond and up again: no later, and as before. */
        if (problem == AEONMARK_OK &&
            aeonmark_to_unix_ns(instant, &seconds, &nanoseconds) == AEONMARK_OK &&
            (aeonmark_from_unix_ns(seconds, nanoseconds, &back) != AEONMARK_OK ||
             aeonmark_compare(back, instant) > 0 ||
             aeonmark_to_unix_ns(back, &seconds_back, &nanoseconds_back) != AEONMARK_OK ||
             seconds_back != seconds || nanoseconds_back != nanoseconds))
            strcat(got, " (Unix time with nanoseconds)");
        if ((notation == '\0') != (problem == AEONMARK_UNRECOGNISED)) strcat(got, " (notation)");
        if (strcmp(got, expected) != 0 && differ++ < 10) printf("%s\n  not %s\n", got, expected);
        text += length + 1;
    }
    printf("%zu texts, %zu differ\n", count, differ);
    return differ != 0 || text < end;
}
