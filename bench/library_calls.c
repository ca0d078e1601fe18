/* Reads each line of a file through libaeonmark and writes it in the
 * Gregorian calendar: one aeonmark_read and one aeonmark_write a line, the
 * calls a program makes to convert a text. bench/instructions.sh counts the
 * instructions inside those two calls alone. */
#include <aeonmark.h>
#include <stdio.h>
#include <string.h>

int main(int argc, char *argv[]) {
    FILE *in = argc > 1 ? fopen(argv[1], "r") : NULL;
    if (in == NULL) {
        fprintf(stderr, "usage: library_calls FILE\n");
        return 2;
    }
    char line[256];
    unsigned long lines = 0, length = 0;
    while (fgets(line, sizeof line, in) != NULL) {
        line[strcspn(line, "\n")] = '\0';
        aeonmark_instant instant;
        char text[AEONMARK_TEXT_MAX];
        if (aeonmark_read(line, &instant) != AEONMARK_OK) return 1;
        length += aeonmark_write(instant, 'g', 2, text, sizeof text);
        ++lines;
    }
    printf("%lu lines, %lu bytes of text\n", lines, length);
    return 0;
}
