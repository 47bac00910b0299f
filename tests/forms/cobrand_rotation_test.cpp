// Which advertisement lies in front on the main window after the start-up's draw, and the
// rounding of that draw.

#include "core/cobrand.h"
#include "forms/frmMain.h"
#include "forms/frmNagScreen.h"
#include "forms/frmSubconciousSelfNumber.h"
#include "startup_run.h"
#include "widgets/link_label.h"

#include <QFrame>
#include <QLabel>
#include <cmath>
#include <limits>

namespace ssn::forms::test::startup {
namespace {

enum class InFront { CoBrand, FullBrand };

// Of the window's pair of advertisements, the one later in the parent's list of children lies in
// front; raising moves a widget to the end.
InFront byStackingOrder(const QWidget& window) {
    const QWidget* coBrand = control(window, "lblCobrand");
    const QObjectList& siblings = coBrand->parentWidget()->children();
    return siblings.indexOf(coBrand) > siblings.indexOf(control(window, "lblFullBrand")) ? InFront::CoBrand
                                                                                         : InFront::FullBrand;
}

// The pair on a shown window: the label the user sees in the middle of the pair, where the two
// overlap, and the stacking order agree.
InFront inFrontOnScreen(const QWidget& window) {
    const InFront byOrder = byStackingOrder(window);
    const QWidget* coBrand = control(window, "lblCobrand");
    EXPECT_EQ(coBrand->parentWidget()->childAt(coBrand->geometry().center()),
              control(window, byOrder == InFront::CoBrand ? "lblCobrand" : "lblFullBrand"));
    return byOrder;
}

TEST(CoBrandRotationTest, TheDrawDecidesTheLabelInFrontOnTheMainWindowAndTheStartUpForm) {
    const struct {
        float r;
        short number;
        InFront front;
    } cases[] = {
        {0.0f, 1, InFront::CoBrand},           // x = 1
        {0.08f, 1, InFront::CoBrand},          // x = 1.48
        {1.0f / 12.0f, 2, InFront::FullBrand}, // x = 1.5 exactly: halves go to the even 2
        {0.25f, 2, InFront::FullBrand},        // x = 2.5: to the even 2, not up to 3
        {0.4f, 3, InFront::CoBrand},           // x = 3.4
        {0.5f, 4, InFront::FullBrand},         // x = 4
        {0.6f, 5, InFront::CoBrand},           // x = 4.6 rounds up, not down
        {0.75f, 6, InFront::FullBrand},        // x = 5.5: to the even 6
        {0.95f, 7, InFront::FullBrand},        // x = 6.7 gives 7: the order stays as designed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "r = " << c.r);
        StartupRun run;
        run.random.values = {0.0f, c.r};
        short numberBeforeTheDraw = -1;
        run.random.onUse = [&run, &numberBeforeTheDraw](bool isDraw) {
            if (isDraw && run.random.draws == 1)
                numberBeforeTheDraw = run.forms->nagScreen().intCoBrandRandomNumber;
        };

        frmNagScreen& nag = run.forms->nagScreen();
        frmMain& main = run.forms->main();

        EXPECT_EQ(numberBeforeTheDraw, 0);
        EXPECT_EQ(nag.intCoBrandRandomNumber, c.number);
        EXPECT_EQ(inFrontOnScreen(main), c.front);
        EXPECT_EQ(byStackingOrder(nag), c.front);
        // Restacking moves nothing and hides nothing.
        EXPECT_TRUE(control(main, "lblCobrand")->isVisible());
        EXPECT_TRUE(control(main, "lblFullBrand")->isVisible());
    }
}

TEST(CoBrandRotationTest, TheResultWindowAlwaysShowsTheFullyBrandedOffer) {
    StartupRun run;
    run.random.values = {0.0f, 0.0f}; // the co-brand offer comes to the front on the main window
    run.forms->nagScreen();
    ASSERT_EQ(byStackingOrder(run.forms->main()), InFront::CoBrand);

    frmSubconciousSelfNumber& result = run.forms->result();
    result.show();
    EXPECT_EQ(inFrontOnScreen(result), InFront::FullBrand);
}

TEST(CoBrandNumberTest, DrawsOutsideTheRangeAreClamped) {
    const struct {
        float r;
        std::int16_t number;
    } cases[] = {
        {-0.5f, 1},
        {-std::numeric_limits<float>::infinity(), 1},
        {std::numeric_limits<float>::quiet_NaN(), 1},
        {1.0f, 7},
        {2.0f, 7},
        {std::numeric_limits<float>::infinity(), 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.r);
        EXPECT_EQ(core::CoBrandNumber(c.r), c.number);
    }
}

// Over every value the random source can give (n / 2^24), the co-brand offer wins 5/12 of
// the draws and nothing changes on 1/12: what rounding, not truncation, gives.
TEST(CoBrandNumberTest, SharesOverEveryPossibleDrawAreThoseOfRounding) {
    constexpr std::uint32_t kDraws = 1u << 24;
    std::array<std::uint32_t, 8> counts{};
    for (std::uint32_t i = 0; i < kDraws; ++i) {
        const std::int16_t n = core::CoBrandNumber(static_cast<float>(i) / static_cast<float>(kDraws));
        ASSERT_GE(n, 1);
        ASSERT_LE(n, 7);
        ++counts[static_cast<std::size_t>(n)];
    }
    const auto share = [&](std::initializer_list<std::size_t> numbers) {
        double sum = 0;
        for (const std::size_t n : numbers)
            sum += counts[n];
        return sum / kDraws;
    };
    constexpr double kTolerance = 1e-6;
    EXPECT_NEAR(share({1}), 1.0 / 12, kTolerance);
    EXPECT_NEAR(share({7}), 1.0 / 12, kTolerance);
    EXPECT_NEAR(share({1, 3, 5}), 5.0 / 12, kTolerance);
    EXPECT_NEAR(share({2, 4, 6}), 6.0 / 12, kTolerance);
}

} // namespace
} // namespace ssn::forms::test::startup
