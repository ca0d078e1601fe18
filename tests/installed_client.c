/* A C99 program on the installed library, as a user builds one, using every
 * call that 1.1 adds. It reads the texts of TEXTS, one a line, all from the
 * one buffer that holds the file (no NUL ends any of them), and checks each
 * against SAID, the program's line or message for it with -s6jgqux, one a
 * line: read in place, the notation that claimed it, the line of all six
 * notations, and the instant's Unix time with nanoseconds both ways.
 *
 *     installed_client TEXTS SAID    (prints what differs; status 1 then)
 */
#include <aeonmark.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static char *whole_file(const char *name, size_t *size) {
    FILE *in = fopen(name, "rb");
    char *bytes = NULL;
    long length = -1;
    if (in != NULL && fseek(in, 0, SEEK_END) == 0 && (length = ftell(in)) >= 0 &&
        fseek(in, 0, SEEK_SET) == 0 && (bytes = malloc((size_t)length + 1)) != NULL &&
        fread(bytes, 1, (size_t)length, in) == (size_t)length) {
        *size = (size_t)length;
        fclose(in);
        return bytes;
    }
    fprintf(stderr, "cannot read %s\n", name);
    exit(2);
}

int main(int argc, char *argv[]) {
    size_t texts_size = 0, said_size = 0, differ = 0, count = 0;
    if (argc != 3) return 2;
    const char *text = whole_file(argv[1], &texts_size), *const texts_end = text + texts_size;
    char *said = whole_file(argv[2], &said_size);
    said[said_size] = '\0';
    for (char *expected = strtok(said, "\n"); text < texts_end && expected != NULL;
         expected = strtok(NULL, "\n"), ++count) {
        const char *const end = memchr(text, '\n', (size_t)(texts_end - text));
        const size_t length = (size_t)((end != NULL ? end : texts_end) - text);
        char got[AEONMARK_LINE_MAX + 300], notation = '?';
        aeonmark_instant instant = {0, 0};
        const aeonmark_problem problem = aeonmark_read_n(text, length, &instant, &notation);
        if (problem != AEONMARK_OK) {
            snprintf(got, sizeof got, "aeonmark: %s: %.*s", aeonmark_problem_text(problem),
                     (int)length, text);
        } else {
            size_t written = 0;
            int64_t seconds = 0;
            uint32_t nanoseconds = 0;
            aeonmark_instant back = {0, 0};
            aeonmark_write_line(instant, "xuqgjs", 6, got, sizeof got, &written);
            /* Taken down to a nanosecond and up again: no later, and the
             * same Unix time with nanoseconds once more. */
            if (aeonmark_to_unix_ns(instant, &seconds, &nanoseconds) == AEONMARK_OK) {
                int64_t seconds_again = 0;
                uint32_t nanoseconds_again = 0;
                if (aeonmark_from_unix_ns(seconds, nanoseconds, &back) != AEONMARK_OK ||
                    aeonmark_compare(back, instant) > 0 ||
                    aeonmark_to_unix_ns(back, &seconds_again, &nanoseconds_again) != AEONMARK_OK ||
                    seconds_again != seconds || nanoseconds_again != nanoseconds)
                    strcat(got, " (Unix time with nanoseconds)");
            }
        }
        if ((notation == '\0') != (problem == AEONMARK_UNRECOGNISED)) strcat(got, " (notation)");
        if (strcmp(got, expected) != 0 && differ++ < 10) printf("%s\n  not %s\n", got, expected);
        text += length + 1;
    }
    printf("%zu texts, %zu differ\n", count, differ);
    return differ == 0 && text >= texts_end ? 0 : 1;
}
