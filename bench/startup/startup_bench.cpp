// Start-up of the program against two floors: the plain implementation of the same first
// window (startup_plain) and the least toolkit program that shows text (one label). All are
// started as fresh processes, in turn, from this launcher, which loads no toolkit library
// itself, so that its own memory cannot be counted as the children's. Instructions are
// counted by callgrind over the whole process (the dynamic loader included) from exec to the
// child's report of its first paint; they do not move with the machine's load. Peak memory
// is the child's maximum resident set size as the kernel reports it when the child is
// reaped; wall time runs from the spawn to the report.
//
// Usage: startup_bench [rounds] [callgrind-starts]   (defaults 40 and 3; QT_QPA_PLATFORM
// and DISPLAY are passed on to the children; callgrind starts need valgrind on the PATH)

#include "forms/private_environment.h"
#include "forms/sample_stats.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <poll.h>
#include <spawn.h>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kReportFd = 3;
constexpr int kWarmUpRounds = 3;
constexpr int kPaintLimitMs = 120000; // a start under callgrind takes seconds

struct Start {
    double milliseconds = 0.0;
    double peakMegabytes = 0.0;      // ru_maxrss from wait4
    double childPeakMegabytes = 0.0; // VmHWM that the child read itself when it reported
    double instructions = 0.0;       // callgrind's total, for a start under callgrind
};

// Thrown, not exited, so that the private folder is removed on the way out.
[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what);
}

std::filesystem::path besideMe(const char* name) {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / name;
}

// The three children: the program's own start, the plain same-window program, one label.
enum class Child { Program, Plain, Label };

const char* nameOf(Child child) {
    switch (child) {
    case Child::Program:
        return "program";
    case Child::Plain:
        return "plain";
    case Child::Label:
        return "label";
    }
    return "?";
}

std::vector<std::string> commandOf(Child child) {
    const std::string fd = std::to_string(kReportFd);
    if (child == Child::Plain) {
        return {besideMe("startup_plain").string(), fd};
    }
    return {besideMe("startup_child").string(), nameOf(child), fd};
}

// The total of callgrind's output file ("totals:" or "summary:" line).
double instructionsIn(const std::filesystem::path& file) {
    std::ifstream stream(file);
    std::string line;
    double total = 0.0;
    while (std::getline(stream, line)) {
        for (const char* key : {"totals:", "summary:"}) {
            if (line.rfind(key, 0) == 0) {
                total = std::strtod(line.c_str() + std::strlen(key), nullptr);
            }
        }
    }
    return total;
}

// Reads the child's report line, or gives up after the limit.
std::string readReport(int fd) {
    std::string report;
    const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(kPaintLimitMs);
    while (report.find('\n') == std::string::npos) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd ready{fd, POLLIN, 0};
        if (left <= 0 || ::poll(&ready, 1, static_cast<int>(left)) <= 0) {
            return {};
        }
        char buffer[64];
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got <= 0) {
            return {}; // the child ended without reporting
        }
        report.append(buffer, static_cast<std::size_t>(got));
    }
    return report;
}

// The children's messages go to a file, shown only when a child fails: the offscreen
// platform warns about every window it cannot size, which says nothing here.
std::string childMessages(const std::filesystem::path& file) {
    std::ifstream stream(file);
    return {std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>()};
}

// One start of the child; under callgrind when a profile file is given.
Start startOnce(Child which, const std::filesystem::path& messageFile,
                const std::filesystem::path& profile = {}) {
    const std::string mode = nameOf(which);
    int channel[2];
    if (::pipe2(channel, O_CLOEXEC) != 0) {
        fail("cannot create a pipe");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    // dup2 onto the report descriptor clears close-on-exec there, and only there.
    posix_spawn_file_actions_adddup2(&actions, channel[1], kReportFd);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, messageFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0600);
    std::vector<std::string> command = commandOf(which);
    if (!profile.empty()) {
        command.insert(command.begin(),
                       {"valgrind", "--tool=callgrind", "--callgrind-out-file=" + profile.string()});
    }
    std::vector<char*> arguments;
    for (std::string& word : command) {
        arguments.push_back(word.data());
    }
    arguments.push_back(nullptr);
    const std::string& program = command.front();

    const Clock::time_point begin = Clock::now();
    pid_t child = 0;
    const int spawned = ::posix_spawnp(&child, program.c_str(), &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(channel[1]);
    if (spawned != 0) {
        fail("cannot start " + program);
    }
    const std::string report = readReport(channel[0]);
    const double elapsed = std::chrono::duration<double, std::milli>(Clock::now() - begin).count();
    ::close(channel[0]);
    if (report.empty()) {
        ::kill(child, SIGKILL);
    }

    int status = 0;
    rusage usage{};
    while (::wait4(child, &status, 0, &usage) < 0 && errno == EINTR) {
    }
    if (report.rfind("painted ", 0) != 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        fail("the " + mode + " child did not report its first paint (wait status " + std::to_string(status) +
             "):\n" + childMessages(messageFile));
    }
    // The kernel dropped the child's lock; its file stays beside the settings for the next
    // start, as it does between a user's runs.
    return {.milliseconds = elapsed,
            .peakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024.0,
            .childPeakMegabytes = std::strtod(report.c_str() + 8, nullptr) / 1024.0,
            .instructions = profile.empty() ? 0.0 : instructionsIn(profile)};
}

struct Series {
    std::vector<double> milliseconds;
    std::vector<double> peakMegabytes;
    std::vector<double> childPeakMegabytes;
    std::vector<double> millionInstructions;
    void add(const Start& start) {
        milliseconds.push_back(start.milliseconds);
        peakMegabytes.push_back(start.peakMegabytes);
        childPeakMegabytes.push_back(start.childPeakMegabytes);
    }
};

int countFrom(int argc, char** argv, int index, int fallback) {
    const int count = argc > index ? std::atoi(argv[index]) : fallback;
    return count >= 0 ? count : fallback;
}

int run(int argc, char** argv) {
    const int rounds = std::max(1, countFrom(argc, argv, 1, 40));
    const int profiledStarts = countFrom(argc, argv, 2, 3);
    // Settings and lock of the children go to a private folder. The first program start
    // stores today as the reminder date, so no start asks anything.
    const ssn::bench::PrivateEnvironment environment;
    // Without a session bus, the first child's D-Bus library would start one for the display
    // (autolaunch) that outlives the run, and only the children after it would connect: every
    // child finds none instead. A bus of the user's own is kept for all of them alike.
    ::setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
    const std::filesystem::path messages = environment.root() / "child-messages.txt";
    const std::filesystem::path profile = environment.root() / "callgrind.out";
    constexpr Child kChildren[] = {Child::Program, Child::Plain, Child::Label};
    Series series[3];

    for (int round = 0; round < kWarmUpRounds; ++round) {
        for (const Child child : kChildren) {
            startOnce(child, messages);
        }
    }
    for (int round = 0; round < rounds; ++round) {
        // Turning the order round keeps any after-effect of one start on the next even.
        for (int i = 0; i < 3; ++i) {
            const int which = (round + i) % 3;
            series[which].add(startOnce(kChildren[which], messages));
        }
    }
    for (int round = 0; round < profiledStarts; ++round) {
        for (int which = 0; which < 3; ++which) {
            series[which].millionInstructions.push_back(
                startOnce(kChildren[which], messages, profile).instructions / 1e6);
        }
    }

    const char* platform = std::getenv("QT_QPA_PLATFORM");
    std::printf("Start-up, platform %s, %d starts each, %d under callgrind\n",
                platform != nullptr ? platform : "(default)", rounds, profiledStarts);
    ssn::bench::printSummaryHeader();
    for (int which = 0; which < 3; ++which) {
        const std::string name = nameOf(kChildren[which]);
        ssn::bench::printSummaryRow(name + ": start to window painted", series[which].milliseconds, "ms");
        ssn::bench::printSummaryRow(name + ": peak RSS (wait4)", series[which].peakMegabytes, "MiB");
        ssn::bench::printSummaryRow(name + ": peak RSS at paint (VmHWM)", series[which].childPeakMegabytes,
                                    "MiB");
        if (profiledStarts > 0) {
            ssn::bench::printSummaryRow(name + ": instructions (callgrind)",
                                        series[which].millionInstructions, "M");
        }
    }
    const auto ratio = [&](int floor, auto member) {
        return ssn::bench::median(series[0].*member) / ssn::bench::median(series[floor].*member);
    };
    if (profiledStarts > 0) {
        ssn::bench::printRatio("instructions: program / plain", ratio(1, &Series::millionInstructions), 0.88);
        std::printf("  %-44s %9.3f\n", "instructions: program / one label",
                    ratio(2, &Series::millionInstructions));
    }
    ssn::bench::printRatio("peak RSS: program / plain", ratio(1, &Series::peakMegabytes), 1.00);
    std::printf("  %-44s %9.3f\n", "peak RSS: program / one label", ratio(2, &Series::peakMegabytes));
    std::printf("  %-44s %9.3f\n", "wall time: program / plain", ratio(1, &Series::milliseconds));
    std::printf("  %-44s %9.3f\n", "wall time: program / one label", ratio(2, &Series::milliseconds));
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "startup_bench: %s\n", error.what());
        return 1;
    }
}
