// The notations in table order, and the claim of a text: the first reader
// that claims it decides.
#include "library/notations.h"

#include "aeonmark/aeonmark.h"
#include "calendar/julian_gregorian.h"
#include "calendar/mean_year.h"
#include "unixtime/unix_time.h"

#include <span>

namespace aeonmark {

constexpr FormatEntry format_table[NOTATIONS + 1] = {
    {'s', read_aeonmark, write_aeonmark},   // [era]count.fraction
    {'j', read_julian, write_julian},       // year=month=day
    {'g', read_gregorian, write_gregorian}, // year-month-day
    {'q', read_mean_year, write_mean_year}, // year*month*day
    {'u', read_unix_time, write_unix_decimal},
    {'x', nullptr, write_unix_hex},
    {'\0', nullptr, nullptr},
};

namespace {

// The same readers over counted texts, row by row: each the other overload
// of the row's reader. Beside the table rather than in it, so that a
// program that reads NUL-ended texts alone, as the command line does, holds
// none of them.
constexpr CountedReader counted_readers[NOTATIONS] = {
    read_aeonmark, read_julian, read_gregorian, read_mean_year, read_unix_time, nullptr,
};

// A row reads counted texts exactly when it reads NUL-ended ones.
constexpr bool counted_readers_join_up() {
    for (int row = 0; row < NOTATIONS; ++row)
        if ((counted_readers[row] == nullptr) != (format_table[row].reader == nullptr))
            return false;
    return true;
}
static_assert(counted_readers_join_up());

CountedReader counted_reader_of(const FormatEntry &row) {
    return counted_readers[&row - format_table];
}

} // namespace

// The header tells callers the letters in this order.
constexpr bool letters_as_published() {
    for (int row = 0; row <= NOTATIONS; ++row)
        if (format_table[row].letter != AEONMARK_NOTATIONS[row]) return false;
    return true;
}
static_assert(letters_as_published());

namespace {

// Each byte's row bit, looked up at once: every letter of a line is one.
constexpr struct RowBits {
    uint8_t of[256];
    constexpr RowBits() : of{} {
        for (int row = 0; row < NOTATIONS; ++row)
            of[static_cast<unsigned char>(format_table[row].letter)] =
                static_cast<uint8_t>(1U << row);
    }
} row_bits;

} // namespace

unsigned row_bit(char letter) {
    return row_bits.of[static_cast<unsigned char>(letter)];
}

const FormatEntry *format_of(char letter) {
    const unsigned bit = row_bit(letter);
    // The builtin, not std::countr_zero: a build that does not inline that
    // would leave it a weak global of the installed archive.
    return bit != 0 ? &format_table[__builtin_ctz(bit)] : nullptr;
}

ReadResult claim_date(const char *text, TimePoint &tp) {
#pragma GCC unroll NOTATIONS
    for (const FormatEntry &row : std::span(format_table, NOTATIONS)) {
        if (row.reader == nullptr) continue;
        const ReadResult result = row.reader(text, tp);
        if (result != READ_NOT_MINE) return result;
    }
    return READ_NOT_MINE;
}

ReadResult claim_date(const char *begin, const char *end, TimePoint &tp,
                      const FormatEntry *&claimer) {
#pragma GCC unroll NOTATIONS
    for (const FormatEntry &row : std::span(format_table, NOTATIONS)) {
        const CountedReader read = counted_reader_of(row);
        if (read == nullptr) continue;
        const ReadResult result = read(begin, end, tp);
        if (result == READ_NOT_MINE) continue;
        claimer = &row;
        return result;
    }
    claimer = nullptr;
    return READ_NOT_MINE;
}

} // namespace aeonmark
