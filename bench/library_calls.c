/* Reads each line of a file through libaeonmark and writes it in the
 * Gregorian calendar: one aeonmark_read and one aeonmark_write a line, the
 * calls a program makes to convert a text; or, with "counted", one
 * aeonmark_read_n of the line where it lies and one aeonmark_write_line,
 * the calls the faces make. bench/instructions.sh counts the instructions
 * inside those calls alone. */
#include <aeonmark.h>
#include <stdio.h>
#include <string.h>

int main(int argc, char *argv[]) {
    FILE *in = argc > 1 ? fopen(argv[1], "r") : NULL;
    const int counted = argc > 2 && strcmp(argv[2], "counted") == 0;
    if (in == NULL) {
        fprintf(stderr, "usage: library_calls FILE [counted]\n");
        return 2;
    }
    char line[256];
    unsigned long lines = 0, length = 0;
    while (fgets(line, sizeof line, in) != NULL) {
        const size_t size = strcspn(line, "\n");
        aeonmark_instant instant;
        char text[AEONMARK_LINE_MAX];
        size_t written = 0;
        if (counted) {
            if (aeonmark_read_n(line, size, &instant, NULL) != AEONMARK_OK ||
                aeonmark_write_line(instant, "g", 2, text, sizeof text, &written) != AEONMARK_OK)
                return 1;
        } else {
            line[size] = '\0';
            if (aeonmark_read(line, &instant) != AEONMARK_OK) return 1;
            written = aeonmark_write(instant, 'g', 2, text, sizeof text);
        }
        length += written;
        ++lines;
    }
    printf("%lu lines, %lu bytes of text\n", lines, length);
    return 0;
}
