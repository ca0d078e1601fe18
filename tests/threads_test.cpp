// The library from many threads at once: each thread converts the same texts
// of every notation, rejected ones among them, and gets exactly what one
// thread alone got, its own errno untouched. Run under ThreadSanitizer too.
#include "aeonmark.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

// A text's verdict and, when it reads, its texts in all six notations.
std::string convert(const std::string &text, int digits) {
    aeonmark_instant instant{};
    const aeonmark_problem problem = aeonmark_read(text.c_str(), &instant);
    std::string result = aeonmark_problem_text(problem);
    if (problem != AEONMARK_OK) return result;
    for (const char notation : std::string("sjgqux")) {
        char out[AEONMARK_TEXT_MAX];
        aeonmark_write(instant, notation, digits, out, sizeof out);
        result += ' ';
        result += out;
    }
    return result;
}

// Texts of every notation, written by the library from instants over the
// whole range, and some changed so that they are rejected in every way.
std::vector<std::string> texts(size_t count) {
    std::mt19937_64 rng(20261210);
    const std::string notations = "sjgqux";
    const char *const spoilers[] = {"x", ":", "T25:00", "-13", ".", "99"};
    std::vector<std::string> v;
    for (size_t i = 0; i < count; ++i) {
        const aeonmark_instant instant{rng() >> (rng() % 40), static_cast<uint32_t>(rng())};
        char text[AEONMARK_TEXT_MAX];
        aeonmark_write(instant, notations[i % 6], 6, text, sizeof text);
        std::string t = text;
        if (i % 5 == 4) t.insert(static_cast<size_t>(rng() % (t.size() + 1)), spoilers[rng() % 6]);
        v.push_back(t);
    }
    return v;
}

TEST(Threads, EveryThreadGetsTheSerialResults) {
    constexpr size_t TEXTS = 300000;
    constexpr size_t THREADS = 4;
    const std::vector<std::string> in = texts(TEXTS);
    std::vector<std::string> serial;
    for (size_t i = 0; i < TEXTS; ++i) serial.push_back(convert(in[i], static_cast<int>(i % 7)));

    std::vector<size_t> mismatches(THREADS);
    std::vector<int> errnos(THREADS);
    const auto own_errno = [](size_t thread) { return 1000 + static_cast<int>(thread); };
    std::vector<std::thread> threads;
    for (size_t t = 0; t < THREADS; ++t) {
        threads.emplace_back([&, t] {
            errno = own_errno(t); // which no call may change
            // Each thread starts elsewhere, so that different texts meet.
            for (size_t k = 0; k < TEXTS; ++k) {
                const size_t i = (k + TEXTS / THREADS * t) % TEXTS;
                if (convert(in[i], static_cast<int>(i % 7)) != serial[i]) ++mismatches[t];
            }
            errnos[t] = errno;
        });
    }
    for (std::thread &thread : threads) thread.join();
    for (size_t t = 0; t < THREADS; ++t) {
        EXPECT_EQ(mismatches[t], 0U) << "thread " << t;
        EXPECT_EQ(errnos[t], own_errno(t)) << "thread " << t;
    }
}

} // namespace
