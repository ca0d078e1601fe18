// Cost of each reader and writer on texts spread over the whole range.
#include "aeonmark/aeonmark.h"
#include "calendar/julian_gregorian.h"
#include "calendar/mean_year.h"
#include "unixtime/unix_time.h"
#include "wide/wide.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

using namespace aeonmark;

namespace {

constexpr size_t SAMPLES = 4096;

std::vector<TimePoint> instants() {
    std::mt19937_64 rng(42);
    std::vector<TimePoint> v;
    for (size_t i = 0; i < SAMPLES; ++i) {
        uint64_t secs = rng();
        if (i % 2) secs = 62135769600 + rng() % 20000000000; // 1970 to 2600
        v.push_back({secs >> 32, secs & HALF_MASK, rng() & HALF_MASK});
    }
    return v;
}

std::vector<std::string> texts(Writer write) {
    std::vector<std::string> v;
    char text[WRITER_TEXT_MAX];
    for (const TimePoint &tp : instants()) v.emplace_back(text, write(tp, MAX_DIGITS, text));
    return v;
}

void bench_writer(benchmark::State &state, Writer write) {
    const auto tps = instants();
    size_t i = 0;
    char text[WRITER_TEXT_MAX];
    for (auto _ : state) // NOLINT(clang-analyzer-deadcode.DeadStores)
        benchmark::DoNotOptimize(write(tps[i++ % SAMPLES], 2, text));
}

void bench_reader(benchmark::State &state, Reader read, Writer write) {
    const auto in = texts(write);
    size_t i = 0;
    TimePoint tp{};
    for (auto _ : state) { // NOLINT(clang-analyzer-deadcode.DeadStores)
        benchmark::DoNotOptimize(read(in[i++ % SAMPLES].c_str(), tp));
        benchmark::ClobberMemory();
    }
}

BENCHMARK_CAPTURE(bench_writer, write_aeonmark, write_aeonmark);
BENCHMARK_CAPTURE(bench_writer, write_julian, write_julian);
BENCHMARK_CAPTURE(bench_writer, write_gregorian, write_gregorian);
BENCHMARK_CAPTURE(bench_writer, write_mean_year, write_mean_year);
BENCHMARK_CAPTURE(bench_writer, write_unix_decimal, write_unix_decimal);
BENCHMARK_CAPTURE(bench_writer, write_unix_hex, write_unix_hex);
BENCHMARK_CAPTURE(bench_reader, read_aeonmark, read_aeonmark, write_aeonmark);
BENCHMARK_CAPTURE(bench_reader, read_julian, read_julian, write_julian);
BENCHMARK_CAPTURE(bench_reader, read_gregorian, read_gregorian, write_gregorian);
BENCHMARK_CAPTURE(bench_reader, read_mean_year, read_mean_year, write_mean_year);
BENCHMARK_CAPTURE(bench_reader, read_unix_time_decimal, read_unix_time, write_unix_decimal);
BENCHMARK_CAPTURE(bench_reader, read_unix_time_hex, read_unix_time, write_unix_hex);

} // namespace

BENCHMARK_MAIN();
