// EndProgram: every loaded window's unload runs once, nested entries from unload handlers are
// tolerated, a failing handler does not stop the walk, and the process ends with code 0 -
// with the process-end double and, in a death test, with the real one.

#include "forms/end_program.h"
#include "forms/frmMain.h"
#include "forms/frmNagScreen.h"
#include "platform/qt/qt_process_end.h"
#include "startup_run.h"

#include <cstdio>
#include <cstdlib>
#include <map>
#include <stdexcept>
#include <string>

namespace ssn::forms::test::startup {
namespace {

// How often each probe window's unload handler ran; reset by every test.
std::map<std::string, int> unloadCounts;

// Death tests cannot report counts back: a handler that runs a second time ends the child
// process with this code instead, which fails the expected exit code 0.
constexpr int kUnloadedTwice = 3;

void countUnload(const std::string& name) {
    const int count = ++unloadCounts[name];
    if (!::testing::internal::InDeathTestChild())
        return;
    // The parent reads the child's order of unloads from its error output.
    std::fprintf(stderr, "unload %s\n", name.c_str());
    if (count > 1) {
        std::fflush(stderr);
        std::_Exit(kUnloadedTwice);
    }
}

// A window whose unload handler does nothing but count.
class QuietWindow : public Form {
public:
    explicit QuietWindow(Forms& owner) : Form(owner) {}

protected:
    void Form_Unload() override { countUnload("quiet"); }
};

// A window whose unload handler ends the program again, as the start-up form and the exit
// screen do.
class ReenteringWindow : public Form {
public:
    explicit ReenteringWindow(Forms& owner) : Form(owner) {}

protected:
    void Form_Unload() override {
        countUnload("reentering");
        EndProgram(forms());
    }
};

// A window whose unload handler fails.
class FailingWindow : public Form {
public:
    explicit FailingWindow(Forms& owner) : Form(owner) {}

protected:
    void Form_Unload() override {
        countUnload("failing");
        throw std::runtime_error("unload failed");
    }
};

// A window whose unload handler shows another window, as the exit hand-off does.
class HandingOverWindow : public Form {
public:
    explicit HandingOverWindow(Forms& owner) : Form(owner) {}

protected:
    void Form_Unload() override {
        countUnload("handing over");
        forms().use<QuietWindow>().show();
    }
};

class EndProgramTest : public ::testing::Test {
protected:
    void SetUp() override { unloadCounts.clear(); }
};

TEST_F(EndProgramTest, UnloadsEveryWindowOnceThroughNestedEntriesAndEndsWithCodeZero) {
    const struct {
        const char* name;
        std::function<void(Forms&)> load;
        std::map<std::string, int> unloads;
    } cases[] = {
        {"re-entering first, then a quiet window",
         [](Forms& f) {
             f.use<ReenteringWindow>();
             f.use<QuietWindow>().show();
         },
         {{"reentering", 1}, {"quiet", 1}}},
        {"a failing handler does not stop the walk",
         [](Forms& f) {
             f.use<FailingWindow>();
             f.use<ReenteringWindow>();
             f.use<QuietWindow>();
         },
         {{"failing", 1}, {"reentering", 1}, {"quiet", 1}}},
        {"a handler that shows another window",
         [](Forms& f) {
             f.use<HandingOverWindow>().show();
             f.use<ReenteringWindow>();
         },
         {{"handing over", 1}, {"reentering", 1}, {"quiet", 1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        unloadCounts.clear();
        StartupRun run;
        c.load(*run.forms);

        EndProgram(*run.forms);

        EXPECT_EQ(unloadCounts, c.unloads);
        EXPECT_EQ(run.fake.processEnd.exitCode, 0);
        EXPECT_EQ(run.fake.processEnd.calls, 1);
    }
}

TEST_F(EndProgramTest, WithTheMainWindowHiddenUnloadsItAndTheStartUpFormAndEnds) {
    StartupRun run;
    run.forms->nagScreen();
    run.forms->main().hide(); // as while the result window is up
    const QPointer<frmMain> main(&run.forms->main());

    EndProgram(*run.forms);

    EXPECT_FALSE(run.forms->isLoaded<frmNagScreen>());
    EXPECT_FALSE(run.forms->isLoaded<frmMain>());
    EXPECT_TRUE(main.isNull() || main->isUnloading());
    EXPECT_EQ(run.fake.processEnd.calls, 1);
    EXPECT_EQ(run.fake.processEnd.exitCode, 0);
}

TEST_F(EndProgramTest, CallsAfterTheEndDoNothingMore) {
    StartupRun run;
    run.forms->use<QuietWindow>();
    EndProgram(*run.forms);
    run.forms->use<QuietWindow>();
    EndProgram(*run.forms);
    EXPECT_EQ(unloadCounts["quiet"], 1);
    EXPECT_EQ(run.fake.processEnd.calls, 1);
}

// A chain of windows, each of whose unload handlers loads the next and ends the program
// again, nests one entry deeper per window; the nesting stops at a bound and the process
// still ends once.
constexpr int kChainLength = 64;

template <int N> class ChainWindow : public Form {
public:
    explicit ChainWindow(Forms& owner) : Form(owner) {}

protected:
    void Form_Unload() override {
        ++unloadCounts["chain"];
        if constexpr (N + 1 < kChainLength) {
            forms().use<ChainWindow<N + 1>>();
        }
        EndProgram(forms());
    }
};

TEST_F(EndProgramTest, NestingThroughUnloadHandlersIsBounded) {
    StartupRun run;
    run.forms->use<ChainWindow<0>>();
    EndProgram(*run.forms);
    EXPECT_GE(unloadCounts["chain"], 2);
    EXPECT_LT(unloadCounts["chain"], kChainLength);
    EXPECT_EQ(run.fake.processEnd.calls, 1);
    EXPECT_EQ(run.fake.processEnd.exitCode, 0);
}

class EndProgramDeathTest : public EndProgramTest {
protected:
    void SetUp() override {
        EndProgramTest::SetUp();
        GTEST_FLAG_SET(death_test_style, "threadsafe");
    }
};

// The real process end, with windows loaded, nested entries and a failing handler among them.
TEST_F(EndProgramDeathTest, NestedEntriesFromUnloadHandlersEndTheProcessWithCodeZero) {
    EXPECT_EXIT(
        {
            platform::QtProcessEnd processEnd;
            StartupRun run(&processEnd);
            run.forms->use<FailingWindow>();
            run.forms->use<ReenteringWindow>();
            run.forms->use<QuietWindow>().show();
            EndProgram(*run.forms);
        },
        ::testing::ExitedWithCode(0), "unload failing\nunload reentering\nunload quiet\n");
}

} // namespace
} // namespace ssn::forms::test::startup
