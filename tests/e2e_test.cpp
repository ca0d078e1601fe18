// Runs the built program on every row of the tables in e2e/ and checks its
// standard output, standard error and exit status byte for byte; and for
// each row that converts dates, the shared library's verdicts and texts.
//
// Another program may stand in for the built one: AEONMARK_PROGRAM holds
// its command, words split at spaces (an interpreter and its script, as the
// page's node shim is run), and AEONMARK_UNHONOURED the row directives it
// cannot honour (@argv0 @noargv ...), whose rows are skipped.
#include "aeonmark.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Case {
    std::string file; // the table's name, without .txt
    int line = 0;
    std::string source;
    std::vector<std::string> args; // after the invocation name
    std::string argv0 = AEONMARK_BINARY;
    bool no_argv = false;                // an empty argument vector
    bool stdout_full = false;            // standard output on /dev/full
    bool stdout_closed = false;          // no standard output at all
    bool shared = false;                 // standard error on the standard output pipe
    std::vector<std::string> env;        // NAME=VALUE set for the program
    std::vector<std::string> directives; // as written in the row: @argv0=, @noargv ...
    int status = 0;
    std::string out, err;
};

// Shown in test names and failures as its row of the table.
void PrintTo(const Case &c, std::ostream *os) {
    *os << c.file << ".txt:" << c.line << ": " << c.source;
}

struct Result {
    int status = -1;
    std::string out, err;
};

// Escapes: \n \t \s (space) \\ \| \xHH; '' is an empty argument.
std::string unescape(const std::string &s) {
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            r += s[i];
            continue;
        }
        const char c = s[++i];
        if (c == 'n')
            r += '\n';
        else if (c == 't')
            r += '\t';
        else if (c == 's')
            r += ' ';
        else if (c == 'x' && i + 2 < s.size()) {
            r += static_cast<char>(std::stoi(s.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else
            r += c;
    }
    return r;
}

// \(TEXT\)*N stands for TEXT N times, so that a run of many dates fits one
// row; it is expanded before anything else is read from the row.
std::string expand_repeats(const std::string &s) {
    std::string r;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            r += s[i];
        } else if (s[i + 1] != '(') {
            r += s.substr(i++, 2); // another escape, read later
        } else {
            const size_t close = s.find("\\)*", i + 2);
            if (close == std::string::npos) return s; // left as written: the row fails
            size_t digits = 0;
            const int times = std::stoi(s.substr(close + 3), &digits);
            for (int k = 0; k < times; ++k) r += s.substr(i + 2, close - i - 2);
            i = close + 3 + digits - 1;
        }
    }
    return r;
}

std::string trim(const std::string &s) {
    const size_t b = s.find_first_not_of(' ');
    if (b == std::string::npos) return "";
    return s.substr(b, s.find_last_not_of(' ') - b + 1);
}

void load_table(const std::filesystem::path &path, std::vector<Case> &cases) {
    std::ifstream in(path);
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
        if (trim(line).empty() || trim(line)[0] == '#') continue;
        const std::string row = expand_repeats(line);
        std::vector<std::string> fields;
        for (size_t start = 0;;) {
            const size_t bar = row.find(" |", start);
            fields.push_back(trim(row.substr(start, bar - start)));
            if (bar == std::string::npos) break;
            start = bar + 2;
        }
        Case c;
        c.file = path.stem().string();
        c.line = n;
        c.source = line;
        if (fields.size() != 4) {
            c.status = -100; // reported as a broken row
            cases.push_back(c);
            continue;
        }
        size_t pos = 0;
        const std::string &args = fields[0];
        while (pos < args.size()) {
            size_t next = args.find(' ', pos);
            if (next == std::string::npos) next = args.size();
            const std::string token = args.substr(pos, next - pos);
            pos = next + 1;
            if (token.empty()) continue;
            if (token[0] == '@') c.directives.push_back(token);
            if (token.rfind("@argv0=", 0) == 0)
                c.argv0 = token == "@argv0=''" ? "" : unescape(token.substr(7));
            else if (token == "@noargv")
                c.no_argv = true;
            else if (token == "@stdout=/dev/full")
                c.stdout_full = true;
            else if (token == "@stdout=closed")
                c.stdout_closed = true;
            else if (token == "@2>&1")
                c.shared = true;
            else if (token.rfind("@env=", 0) == 0)
                c.env.push_back(token.substr(5));
            else if (token == "''")
                c.args.emplace_back();
            else
                c.args.push_back(unescape(token));
        }
        c.status = std::atoi(trim(fields[1]).c_str());
        c.out = unescape(trim(fields[2]));
        c.err = unescape(trim(fields[3]));
        cases.push_back(c);
    }
}

// Every table in the folder, in name order.
std::vector<Case> load_cases() {
    std::vector<std::filesystem::path> tables;
    for (const auto &entry : std::filesystem::directory_iterator(AEONMARK_CASES))
        if (entry.path().extension() == ".txt") tables.push_back(entry.path());
    std::sort(tables.begin(), tables.end());
    std::vector<Case> cases;
    for (const auto &table : tables) load_table(table, cases);
    return cases;
}

void drain(int fd, std::string &into, bool &open) {
    char buf[65536];
    const ssize_t n = read(fd, buf, sizeof buf);
    if (n > 0)
        into.append(buf, static_cast<size_t>(n));
    else if (n == 0 || errno != EINTR)
        open = false;
}

// The words of a text, split at spaces; none of a null.
std::vector<std::string> words(const char *text) {
    std::vector<std::string> list;
    std::istringstream in(text != nullptr ? text : "");
    for (std::string word; in >> word;) list.push_back(word);
    return list;
}

// A program built for a target this machine cannot run (another
// architecture, or 32-bit x86 on a kernel without it) is started through the
// user-mode emulator's command (qemu and its options), which takes the
// invocation name as an option. It cannot pass an empty argument vector.
const std::vector<std::string> &emulator() {
    static const std::vector<std::string> command = words(AEONMARK_EMULATOR);
    return command;
}
bool emulated() {
    return !emulator().empty();
}

// The command of a program standing in for the built one; empty for none.
const std::vector<std::string> &stand_in() {
    static const std::vector<std::string> command = words(getenv("AEONMARK_PROGRAM"));
    return command;
}

// Whether the program under test can be run as the directive asks.
bool honoured(const std::string &directive) {
    if (directive == "@noargv" && emulated()) return false;
    static const std::vector<std::string> unhonoured = words(getenv("AEONMARK_UNHONOURED"));
    return std::none_of(unhonoured.begin(), unhonoured.end(), [&](const std::string &prefix) {
        return directive.compare(0, prefix.size(), prefix) == 0;
    });
}

// The program's standard input is a pipe that stays open and empty while it
// runs, so a read of it would block: the alarm turns that into a failure.
Result run(const Case &c) {
    int in[2], out[2], err[2];
    if (pipe(in) != 0 || pipe(out) != 0 || pipe(err) != 0) return {};
    std::vector<char *> argv;
    if (!stand_in().empty()) {
        for (const std::string &word : stand_in()) argv.push_back(const_cast<char *>(word.c_str()));
    } else if (emulated()) {
        for (const std::string &word : emulator()) argv.push_back(const_cast<char *>(word.c_str()));
        for (const char *a : {"-0", c.argv0.c_str(), AEONMARK_BINARY})
            argv.push_back(const_cast<char *>(a));
    } else if (!c.no_argv) {
        argv.push_back(const_cast<char *>(c.argv0.c_str()));
    }
    for (const auto &a : c.args) argv.push_back(const_cast<char *>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        if (c.stdout_full) {
            const int full = open("/dev/full", O_WRONLY);
            dup2(full, 1);
        } else if (c.stdout_closed) {
            close(1);
        } else {
            dup2(out[1], 1);
        }
        dup2(c.shared ? out[1] : err[1], 2);
        dup2(in[0], 0);
        close(in[0]), close(in[1]), close(out[0]), close(out[1]), close(err[0]), close(err[1]);
        for (const auto &e : c.env) putenv(const_cast<char *>(e.c_str()));
        alarm(20);
        execv(!stand_in().empty() ? stand_in()[0].c_str()
              : emulated()        ? emulator()[0].c_str()
                                  : AEONMARK_BINARY,
              argv.data());
        _exit(127);
    }
    close(in[0]), close(out[1]), close(err[1]);
    Result r;
    bool out_open = true, err_open = true;
    while (out_open || err_open) {
        pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
        if (poll(fds, 2, -1) < 0 && errno != EINTR) break;
        if (out_open && fds[0].revents) drain(out[0], r.out, out_open);
        if (err_open && fds[1].revents) drain(err[0], r.err, err_open);
    }
    close(out[0]), close(err[0]);
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    close(in[1]);
    r.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 128 + WTERMSIG(wstatus);
    return r;
}

class Table : public testing::TestWithParam<Case> {};

TEST_P(Table, OutputErrorsAndStatus) {
    const Case &c = GetParam();
    SCOPED_TRACE(c.file + ".txt:" + std::to_string(c.line) + ": " + c.source);
    ASSERT_NE(c.status, -100) << "a row needs four fields: args | status | stdout | stderr";
    for (const std::string &directive : c.directives)
        if (!honoured(directive)) GTEST_SKIP() << directive << ": not for the program under test";
    const Result r = run(c);
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.status, c.status);
}

// The row's lines as the library makes them, through the header's calls
// alone: what the options select, each date read and written in table
// order, a rejected one as the program words it. False for a row that is not
// a conversion of dates in the program's usual surroundings.
bool library_lines(const Case &c, Result &r) {
    if (c.argv0 != AEONMARK_BINARY || c.no_argv || c.stdout_full || c.stdout_closed ||
        !c.env.empty())
        return false;
    std::string letters;
    int digits = 2;
    size_t first_date = 0;
    for (; first_date < c.args.size() && c.args[first_date][0] == '-'; ++first_date) {
        const std::string &group = c.args[first_date];
        for (size_t i = 1; i < group.size(); ++i) {
            if (std::string("sjgqux").find(group[i]) == std::string::npos) return false;
            letters += group[i];
            if (group[i] == 's' && group[i + 1] >= '0' && group[i + 1] <= '6')
                digits = group[++i] - '0';
        }
    }
    if (first_date == c.args.size()) return false; // the current time
    if (letters.empty()) letters = "s";
    std::string &err = c.shared ? r.out : r.err;
    r.status = 0;
    for (size_t i = first_date; i < c.args.size(); ++i) {
        const char *date = c.args[i].c_str();
        aeonmark_instant instant{};
        const aeonmark_problem problem = aeonmark_read(date, &instant);
        if (problem != AEONMARK_OK) {
            err += std::string("aeonmark: ") + aeonmark_problem_text(problem) + ": " + date + "\n";
            r.status = 1;
            continue;
        }
        std::string line;
        for (const char letter : std::string("sjgqux")) {
            if (letters.find(letter) == std::string::npos) continue;
            char text[AEONMARK_TEXT_MAX];
            aeonmark_write(instant, letter, digits, text, sizeof text);
            line += (line.empty() ? "" : " ") + std::string(text);
        }
        r.out += line + "\n";
    }
    return true;
}

TEST_P(Table, LibraryAgrees) {
    const Case &c = GetParam();
    SCOPED_TRACE(c.file + ".txt:" + std::to_string(c.line) + ": " + c.source);
    Result r;
    if (!library_lines(c, r)) GTEST_SKIP() << "not a conversion of dates";
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, c.err);
    EXPECT_EQ(r.status, c.status);
}

INSTANTIATE_TEST_SUITE_P(Cases, Table, testing::ValuesIn(load_cases()),
                         [](const testing::TestParamInfo<Case> &row) {
                             std::string name =
                                 row.param.file + "_line" + std::to_string(row.param.line);
                             for (char &ch : name)
                                 if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                             return name;
                         });

// The current time cannot be a table row: it is checked against the clock.
// Runs the program with one option and no date between two clock readings;
// it must succeed silently on standard error.
struct Clocked {
    Result r;
    time_t before, after;
};

Clocked run_between_clock_readings(const char *option, const char *env = nullptr) {
    Case c;
    c.args = {option};
    if (env != nullptr) c.env = {env};
    Clocked run_at{};
    run_at.before = time(nullptr);
    run_at.r = run(c);
    run_at.after = time(nullptr);
    EXPECT_EQ(run_at.r.status, 0);
    EXPECT_EQ(run_at.r.err, "");
    return run_at;
}

// The clock alone counts: a time zone with leap seconds shifts nothing, and
// one named by a file is never read (standard input would block).
TEST(CurrentTime, UnixLineLiesBetweenClockReadings) {
    for (const char *env : {"TZ=UTC", "TZ=right/UTC", "TZ=/dev/stdin"}) {
        const auto [r, before, after] = run_between_clock_readings("-u", env);
        ASSERT_GE(r.out.size(), 3U) << env;
        ASSERT_EQ(r.out.front(), 'U');
        ASSERT_EQ(r.out.back(), '\n');
        const long long shown = std::stoll(r.out.substr(1));
        EXPECT_GE(shown, static_cast<long long>(before)) << env;
        EXPECT_LE(shown, static_cast<long long>(after)) << env;
    }
}

// The Gregorian line is the UTC clock's own date and time, at the second the
// program read it.
TEST(CurrentTime, GregorianLineIsTheUtcClock) {
    const auto [r, before, after] = run_between_clock_readings("-g");
    bool seen = false;
    for (time_t t = before; t <= after && !seen; ++t) {
        struct tm utc {};
        char want[64];
        ASSERT_NE(gmtime_r(&t, &utc), nullptr);
        ASSERT_GT(strftime(want, sizeof want, "%Y-%m-%dT%H:%M:%S\n", &utc), 0U);
        seen = r.out == want;
    }
    EXPECT_TRUE(seen) << r.out;
}

TEST(CurrentTime, DefaultIsAeonmarkWithTwoDigits) {
    for (const char *dash : {"", "-", "@noargv"}) {
        if (dash == std::string("@noargv") && !honoured(dash)) continue;
        Case c;
        if (dash == std::string("-")) c.args = {dash, dash};
        c.no_argv = dash == std::string("@noargv");
        const Result r = run(c);
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.err, "");
        // [-E]CCCC.FF with today's era negative: instants before 2162.
        const size_t bracket = r.out.find(']');
        ASSERT_NE(bracket, std::string::npos) << r.out;
        EXPECT_EQ(r.out.substr(0, 2), "[-");
        EXPECT_EQ(r.out.size() - bracket, 9U) << r.out; // ]CCCC.FF and the newline
        EXPECT_EQ(r.out[bracket + 5], '.');
    }
}

} // namespace
