// Start-up time and memory of the program against the least toolkit program that shows
// text. Both are started as fresh processes, alternately, from this launcher, which loads
// no toolkit library itself, so that its own memory cannot be counted as the children's.
// Wall time runs from the spawn to the child's report of its first paint; peak memory is
// the child's maximum resident set size as the kernel reports it when the child is reaped.
//
// Usage: startup_bench [rounds]   (QT_QPA_PLATFORM and DISPLAY are passed on to the children)

#include "forms/private_environment.h"
#include "forms/sample_stats.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
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
constexpr int kPaintLimitMs = 30000;

struct Start {
    double milliseconds = 0.0;
    double peakMegabytes = 0.0;      // ru_maxrss from wait4
    double childPeakMegabytes = 0.0; // VmHWM that the child read itself when it reported
};

// Thrown, not exited, so that the private folder is removed on the way out.
[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what);
}

std::filesystem::path childProgram() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "startup_child";
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

Start startOnce(const std::string& mode, const std::filesystem::path& messageFile) {
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
    const std::string program = childProgram().string();
    const std::string fd = std::to_string(kReportFd);
    std::vector<char*> arguments{const_cast<char*>(program.c_str()), const_cast<char*>(mode.c_str()),
                                 const_cast<char*>(fd.c_str()), nullptr};

    const Clock::time_point begin = Clock::now();
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, program.c_str(), &actions, nullptr, arguments.data(), environ);
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
            .childPeakMegabytes = std::strtod(report.c_str() + 8, nullptr) / 1024.0};
}

struct Series {
    std::vector<double> milliseconds;
    std::vector<double> peakMegabytes;
    std::vector<double> childPeakMegabytes;
    void add(const Start& start) {
        milliseconds.push_back(start.milliseconds);
        peakMegabytes.push_back(start.peakMegabytes);
        childPeakMegabytes.push_back(start.childPeakMegabytes);
    }
};

int roundsFrom(int argc, char** argv) {
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 40;
    return rounds > 0 ? rounds : 40;
}

int run(int argc, char** argv) {
    const int rounds = roundsFrom(argc, argv);
    // Settings and lock of the children go to a private folder. The first program start
    // stores today as the reminder date, so no start asks anything.
    const ssn::bench::PrivateEnvironment environment;
    const std::filesystem::path messages = environment.root() / "child-messages.txt";

    for (int round = 0; round < kWarmUpRounds; ++round) {
        startOnce("program", messages);
        startOnce("label", messages);
    }
    Series label;
    Series program;
    for (int round = 0; round < rounds; ++round) {
        // Alternating which goes first keeps any after-effect of one on the other even.
        if (round % 2 == 0) {
            label.add(startOnce("label", messages));
            program.add(startOnce("program", messages));
        } else {
            program.add(startOnce("program", messages));
            label.add(startOnce("label", messages));
        }
    }

    const char* platform = std::getenv("QT_QPA_PLATFORM");
    std::printf("Start-up, platform %s, %d starts each\n", platform != nullptr ? platform : "(default)",
                rounds);
    ssn::bench::printSummaryHeader();
    ssn::bench::printSummaryRow("program: start to main window painted", program.milliseconds, "ms");
    ssn::bench::printSummaryRow("floor: one label to painted", label.milliseconds, "ms");
    ssn::bench::printSummaryRow("program: peak RSS (wait4)", program.peakMegabytes, "MiB");
    ssn::bench::printSummaryRow("floor: peak RSS (wait4)", label.peakMegabytes, "MiB");
    ssn::bench::printSummaryRow("program: peak RSS at paint (VmHWM)", program.childPeakMegabytes, "MiB");
    ssn::bench::printSummaryRow("floor: peak RSS at paint (VmHWM)", label.childPeakMegabytes, "MiB");
    const double timeRatio =
        ssn::bench::median(program.milliseconds) / ssn::bench::median(label.milliseconds);
    const double memoryRatio =
        ssn::bench::median(program.peakMegabytes) / ssn::bench::median(label.peakMegabytes);
    ssn::bench::printRatio("wall time ratio of medians (program / floor)", timeRatio, 1.10);
    ssn::bench::printRatio("peak RSS ratio of medians (program / floor)", memoryRatio, 1.05);
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
