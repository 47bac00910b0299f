// The program's style: a window of the program's kinds of controls comes up without loading any
// image plugin (each such check in a fresh process, a death test, because a plugin once loaded
// stays loaded); buttons and lists show the windows' blue; group boxes paint nothing where their
// controls lie nor a line through their captions; every kind of control that takes the focus
// shows a closed mark that stands out against what lies beside it, on the blue and on the exit
// screen's navy; and under high contrast every control takes the system's colours.

#include "doubles/named_rows.h"
#include "widgets/contrast.h"
#include "widgets/design_family.h"
#include "widgets/drop_down_list.h"
#include "widgets/link_label.h"
#include "widgets/look.h"
#include "widgets/program_style.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOption>
#include <QTest>
#include <QVBoxLayout>
#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

#ifdef Q_OS_WIN
#include <windows.h>
// psapi.h needs what windows.h declares.
#include <psapi.h>
#endif

namespace ssn::widgets::test {
namespace {

// Whether an image or icon-engine plugin is mapped into this process.
bool anyImagePluginLoaded() {
    const auto isImagePlugin = [](const std::string& path) {
        for (const char* folder : {"imageformats", "iconengines"}) {
            for (const char separator : {'/', '\\'}) {
                if (path.find(separator + std::string(folder) + separator) != std::string::npos)
                    return true;
            }
        }
        return false;
    };
#ifdef Q_OS_WIN
    HMODULE modules[1024];
    DWORD bytes = 0;
    ::EnumProcessModules(::GetCurrentProcess(), modules, sizeof modules, &bytes);
    for (DWORD i = 0; i < bytes / sizeof(HMODULE); ++i) {
        char path[MAX_PATH] = {};
        ::GetModuleFileNameA(modules[i], path, MAX_PATH);
        if (isImagePlugin(path))
            return true;
    }
#else
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        if (isImagePlugin(line))
            return true;
    }
#endif
    return false;
}

// A window in the main window's blue look with the kinds of controls the program's windows hold:
// a menu bar, a link, two nested captioned frames holding labels, name fields, a drop-down list
// and a button, and a report box with a scroll bar; placed about as on the main window.
struct BlueWindow {
    BlueWindow() {
        auto* layout = new QVBoxLayout(&window);
        layout->setContentsMargins(0, 0, 0, 0);
        auto* bar = new QMenuBar(&window);
        bar->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("E&xit"));
        bar->addMenu(QStringLiteral("&Help"))->addAction(QStringLiteral("&About Software"));
        layout->setMenuBar(bar);
        auto* client = new QWidget(&window);
        client->setFixedSize(427, 400);
        layout->addWidget(client);
        look::applyFormLook(*client);
        (new LinkLabel(QStringLiteral("The Most Popular Online Zorvic Discussion Board."), client))
            ->setGeometry(4, 4, 420, 36);
        outer = new QGroupBox(QStringLiteral("Please Fill In The Below Details:"), client);
        outer->setFont(look::verdana(8.25, {.bold = true}));
        outer->setGeometry(5, 48, 417, 107);
        for (const int left : {6, 141, 280}) {
            (new QLabel(QStringLiteral("First Name"), outer))->setGeometry(left, 20, 127, 15);
            (new QLineEdit(outer))->setGeometry(left, 36, 127, 20);
        }
        inner = new QGroupBox(QStringLiteral("Date Of Birth"), outer);
        inner->setFont(look::verdana(8.25, {.bold = true}));
        inner->setGeometry(8, 58, 403, 45);
        list = new DropDownList(inner);
        list->addItem(QStringLiteral("January"));
        list->setGeometry(6, 20, 97, 21);
        look::applyListLook(*list);
        button = new QPushButton(QStringLiteral("&Next"), inner);
        button->setGeometry(243, 20, 131, 21);
        report = new QPlainTextEdit(client);
        report->setGeometry(4, 170, 420, 197);
        report->setPlainText(QStringLiteral("Your Subconscious Self Number is: 7\n").repeated(40));
    }

    QWidget window;
    QGroupBox* outer;
    QGroupBox* inner;
    QComboBox* list;
    QPushButton* button;
    QPlainTextEdit* report;
};

// A window in the exit screen's look: white, a navy frame with a yellow link, fields and a
// button, and a check box used as a link below it.
struct WhiteWindow {
    WhiteWindow() {
        window.resize(741, 315);
        look::applyDesignedColours(window, look::kWhite);
        frame = new QGroupBox(QStringLiteral("Refer A Friend"), &window);
        frame->setGeometry(8, 216, 471, 97);
        look::setColours(*frame, kNavy, look::kWhite);
        auto* link = new LinkLabel(QStringLiteral("Click Here To Visit Zorvic Softwares"), frame);
        link->setGeometry(6, 20, 240, 14);
        look::setTextColour(*link, QColor(255, 255, 0));
        (new QLineEdit(QStringLiteral("Your Name"), frame))->setGeometry(6, 40, 225, 19);
        (new QPushButton(QStringLiteral("Refer A Friend &Now"), frame))->setGeometry(128, 70, 225, 19);
        check = new QCheckBox(QStringLiteral("Click Here To Visit Velmora Now"), &window);
        check->setGeometry(2, 136, 479, 37);
        check->setFont(look::verdana(14.25));
        look::setTextColour(*check, QColor(0, 0, 192));
        look::markAsLink(*check);
    }

    static inline const QColor kNavy{0, 0, 128};
    QWidget window;
    QGroupBox* frame;
    QCheckBox* check;
};

// Paints the window in the program's style; ends the process with 0 when no image plugin was
// loaded, 1 when one was.
[[noreturn]] void paintAndReport() {
    QApplication::setStyle(new ProgramStyle);
    BlueWindow blue;
    (void)blue.window.grab(); // paints every control, the group boxes' frames among them
    std::_Exit(anyImagePluginLoaded() ? 1 : 0);
}

TEST(ProgramStyleDeathTest, AWindowComesUpWithoutAnyImagePlugin) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(paintAndReport(), ::testing::ExitedWithCode(0), "");
}

// The program's style for one test; the other tests run under the plain one.
class ProgramStyleTest : public ::testing::Test {
protected:
    void SetUp() override { QApplication::setStyle(new ProgramStyle); }
    void TearDown() override { QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion"))); }
};

// WCAG 2's formula, with the power function, on the single-precision channel that QColor gives.
double channel(int value) {
    const double c = static_cast<float>(value / 255.0);
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

// The program's luminance, without the power function, gives every 8-bit colour the answers of the
// formula with it: black or white against it, and whether either stands out from it by 3:1 or 4.5:1.
TEST(ContrastTest, EveryEightBitColourGetsTheAnswersOfTheFormula) {
    std::array<double, 256> program{}, formula{};
    for (int value = 0; value < 256; ++value) {
        program[value] = contrast::linearised(static_cast<float>(value / 255.0));
        formula[value] = channel(value);
    }
    const auto answers = [](const std::array<double, 256>& l, int rgb) { // light against black, white
        const double light =
            0.05 + 0.2126 * l[rgb >> 16] + 0.7152 * l[(rgb >> 8) & 0xff] + 0.0722 * l[rgb & 0xff];
        const double black = light / 0.05, white = 1.05 / light;
        return std::array{black >= white, black >= 3, black >= 4.5, white >= 3, white >= 4.5};
    };
    for (int rgb = 0; rgb < (1 << 24); ++rgb) {
        ASSERT_EQ(answers(program, rgb), answers(formula, rgb)) << "colour " << rgb;
    }
}

#ifndef Q_OS_WIN // there the names stay as they are, and the toolkit substitutes them
// Each name no font carries (the design's two families, the toolkit's "Sans Serif" that menus
// show where no desktop names a font) is named by the family the toolkit shows for the name
// (see design_family.h), so the toolkit searches no fallbacks for it.
TEST(DesignFontTest, EachNameWithoutFontsShowsTheFamilyTheFontSystemShowsForIt) {
    for (const QString name : {"Verdana", "MS Sans Serif", "Sans Serif"}) {
        EXPECT_EQ(familyShownFor(name), QFontInfo(QFont(name)).family()) << name.toStdString();
    }
}
#endif

// The contrast of two pixels, by the program's rule, which ContrastTest holds to the formula.
double contrast(QRgb a, QRgb b) {
    return contrast::ratio(QColor(a), QColor(b));
}

TEST_F(ProgramStyleTest, ButtonsAndListsAreFilledWithTheWindowsBlue) {
    BlueWindow blue;
    blue.list->showPopup(); // the open list too, in the list's font
    EXPECT_EQ(blue.list->view()->palette().color(QPalette::Base), look::kFormBlue);
    EXPECT_EQ(blue.list->view()->font(), blue.list->font());
    blue.list->hidePopup();
    const QImage window = blue.window.grab().toImage();
    for (const QWidget* control : std::initializer_list<const QWidget*>{blue.button, blue.list}) {
        const QRect area(control->mapTo(&blue.window, QPoint(0, 0)), control->size());
        // Just inside the border, at the top and at the bottom, clear of the caption and the arrow.
        for (const QPoint point : {area.topLeft() + QPoint(2, 2), area.bottomRight() - QPoint(2, 2)}) {
            EXPECT_EQ(window.pixelColor(point).name(), look::kFormBlue.name())
                << control->metaObject()->className();
        }
    }
}

// Down the middle of the report's scroll bar, between its arrows: the slider, at the top of the
// track, stands out from the bare track at its bottom end by 3:1.
TEST_F(ProgramStyleTest, TheReportsScrollBarSliderStandsOutFromItsTrack) {
    BlueWindow blue;
    QScrollBar* bar = blue.report->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0) << "the report is longer than its box";
    const QImage image = bar->grab().toImage();
    const int x = image.width() / 2;
    const int arrow = image.width(); // the arrow buttons are square
    EXPECT_GE(contrast(image.pixel(x, arrow + 2), image.pixel(x, image.height() - arrow - 2)), 3);
}

QImage drawnAlone(QWidget& widget) {
    QImage alone(widget.size(), QImage::Format_RGB32);
    widget.render(&alone, QPoint(), QRegion(), QWidget::DrawWindowBackground);
    return alone;
}

// Nor does a frame line run through the caption: where the caption's letters are (the columns
// where drawing them changes the picture), the box drawn without them shows only its blue.
TEST_F(ProgramStyleTest,
       GroupBoxesPaintNeitherFrameNorCaptionWhereTheirControlsLieNorALineThroughTheCaption) {
    BlueWindow blue;
    for (QGroupBox* box : {blue.inner, blue.outer}) { // the inner one first: colours pass inwards
        const QImage alone = drawnAlone(*box);
        look::setTextColour(*box, look::kFormBlue);
        const QImage withoutCaption = drawnAlone(*box);
        int lineUnderCaption = 0;
        for (int x = 0; x < box->width(); ++x) {
            int caption = 0;
            int line = 0;
            for (int y = 0; y < box->fontMetrics().height(); ++y) {
                caption += alone.pixel(x, y) != withoutCaption.pixel(x, y) ? 1 : 0;
                line += withoutCaption.pixelColor(x, y) != look::kFormBlue ? 1 : 0;
            }
            lineUnderCaption += caption > 0 ? line : 0;
        }
        EXPECT_EQ(lineUnderCaption, 0) << box->title().toStdString();
        for (const QWidget* control : box->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            const QRect area = control->geometry() & box->rect();
            int painted = 0;
            for (int y = area.top(); y <= area.bottom(); ++y) {
                for (int x = area.left(); x <= area.right(); ++x) {
                    painted += alone.pixelColor(x, y) != look::kFormBlue ? 1 : 0;
                }
            }
            EXPECT_EQ(painted, 0) << box->title().toStdString() << " under "
                                  << control->metaObject()->className();
        }
    }
}

// The white caret of a blue field stands between two columns that stand out from the blue.
TEST_F(ProgramStyleTest, TheCaretOfABlueFieldIsEdgedSoThatItStandsOut) {
    QWidget window;
    look::applyFormLook(window);
    auto* field = new QLineEdit(QStringLiteral("JOHN"), &window);
    field->setGeometry(20, 20, 200, 30);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    field->setFocus(); // the caret at the end of the text, shown at once
    const QImage image = field->grab().toImage();
    const int middle = image.height() / 2;
    int caret = -1; // the rightmost white pixel of the middle row
    for (int x = 0; x < image.width(); ++x) {
        caret = image.pixelColor(x, middle) == Qt::white ? x : caret;
    }
    ASSERT_GT(caret, 0);
    for (const int x : {caret - 1, caret + 1}) {
        EXPECT_GE(contrast(image.pixel(x, middle), look::kFormBlue.rgb()), 3) << "beside the caret at " << x;
    }
}

// On the windows' blue and in a navy frame of the white exit screen (the parameter), every kind of
// control shows a mark round what the focus changes: its outer ring stands out by 3:1 from what
// surrounds the control, the ring inside it from the control's face.
class FocusMarkTest : public ProgramStyleTest, public ::testing::WithParamInterface<bool> {};

TEST_P(FocusMarkTest, EveryKindOfControlThatTakesTheFocusShowsAClosedMarkOnBothSides) {
    const QColor around = GetParam() ? QColor(0, 0, 128) : look::kFormBlue;
    QWidget window;
    if (GetParam()) { // the exit screen's: white fields, grey buttons
        look::applyDesignedColours(window, around);
    } else {
        look::applyFormLook(window);
    }
    auto* list = new QComboBox(&window);
    list->addItem(QStringLiteral("January"));
    look::applyListLook(*list);
    const std::vector<std::pair<QWidget*, QPalette::ColorRole>> controls = {
        {new QPushButton(QStringLiteral("&Next"), &window), QPalette::Button},
        {list, QPalette::Button},
        {new QLineEdit(QStringLiteral("JOHN"), &window), QPalette::Base},
        {new QPlainTextEdit(QStringLiteral("7"), &window), QPalette::Base},
        {new LinkLabel(QStringLiteral("Click here"), &window), QPalette::Window},
        {new QCheckBox(QStringLiteral("Click Here To Visit"), &window), QPalette::Window}};
    std::vector<QImage> unfocused;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        controls[i].first->setGeometry(20, 20 + 50 * static_cast<int>(i), 200, 40);
        unfocused.push_back(controls[i].first->grab().toImage());
    }
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    for (std::size_t i = 0; i < controls.size(); ++i) {
        auto [control, face] = controls[i];
        const char* kind = control->metaObject()->className();
        control->setFocus(Qt::TabFocusReason);
        const QImage focused = control->grab().toImage();
        QRect mark;
        for (int y = 0; y < focused.height(); ++y) {
            for (int x = 0; x < focused.width(); ++x) {
                mark |= focused.pixel(x, y) != unfocused[i].pixel(x, y) ? QRect(x, y, 1, 1) : QRect();
            }
        }
        EXPECT_GE(mark.width() * mark.height(), 200 * 40 / 8) << kind << ": no mark, or a small one";
        for (const int ring : {0, 1}) {
            const QRect edge = mark.adjusted(ring, ring, -ring, -ring);
            const QRgb beside = (ring == 0 ? around : control->palette().color(face)).rgb();
            int gaps = 0;
            for (int y = edge.top(); y <= edge.bottom(); ++y) {
                for (int x = edge.left(); x <= edge.right(); ++x) {
                    const bool onEdge =
                        y == edge.top() || y == edge.bottom() || x == edge.left() || x == edge.right();
                    gaps += onEdge && contrast(focused.pixel(x, y), beside) < 3 ? 1 : 0;
                }
            }
            EXPECT_EQ(gaps, 0) << kind << ": ring " << ring << " does not stand out all round";
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Backgrounds, FocusMarkTest, ::testing::Bool(),
                         [](const auto& row) { return row.param ? "ExitScreensNavyFrame" : "WindowsBlue"; });

// The outline of a control stands out from what surrounds it at every pixel: the exit screen's
// check box square on its white by 4.5:1, as text does, a button on the windows' blue, whose face
// is the same blue, by 3:1.
struct BothWindows {
    BlueWindow blue;
    WhiteWindow white;
};

struct EdgeCase {
    const char* name;
    std::function<QWidget&(BothWindows&)> control;
    std::function<QRect(QWidget&)> edge;
    double least;
};

class ControlEdgeTest : public ProgramStyleTest, public ::testing::WithParamInterface<EdgeCase> {};

TEST_P(ControlEdgeTest, StandsOutFromWhatSurroundsIt) {
    BothWindows windows;
    QWidget& control = GetParam().control(windows);
    const QRect edge = GetParam().edge(control);
    const QImage image = control.grab().toImage();
    const QRgb around = control.parentWidget()->palette().color(QPalette::Window).rgb();
    double weakest = 21;
    for (int y = edge.top(); y <= edge.bottom(); ++y) {
        for (int x = edge.left(); x <= edge.right(); ++x) {
            if (y == edge.top() || y == edge.bottom() || x == edge.left() || x == edge.right()) {
                weakest = std::min(weakest, contrast(image.pixel(x, y), around));
            }
        }
    }
    EXPECT_GE(weakest, GetParam().least);
}

using ssn::testing::byName;
using ssn::testing::PrintTo;

INSTANTIATE_TEST_SUITE_P(
    Controls, ControlEdgeTest,
    ::testing::Values(
        EdgeCase{"CheckBoxSquare", [](BothWindows& windows) -> QWidget& { return *windows.white.check; },
                 [](QWidget& box) {
                     QStyleOptionButton option;
                     option.initFrom(&box);
                     return box.style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, &box);
                 },
                 4.5},
        EdgeCase{"ButtonOnTheBlue", [](BothWindows& windows) -> QWidget& { return *windows.blue.button; },
                 [](QWidget& button) { return button.rect(); }, 3}),
    byName);

// High contrast as the system would answer; the windows ask through the look.
bool highContrast = false;
bool askedForHighContrast() {
    return highContrast;
}

// The colour a link takes under high contrast: the desktop palette's link colour, which the test
// sets to yellow. On Windows it is the scheme's hot-track colour, which a test cannot set: there
// a link must at least not keep the palette's, the fixed blue that Qt 6.4 gives Windows links.
void expectSystemLinkColour(const QColor& shown) {
#ifdef Q_OS_WIN
    EXPECT_NE(shown, QColor(Qt::yellow));
#else
    EXPECT_EQ(shown, QColor(Qt::yellow));
#endif
}

struct HighContrastCase {
    const char* name;
    std::function<QWidget&(BothWindows&)> open;
    std::function<QWidget&(BothWindows&)> designedArea; // a widget with a designed background
    QColor designedBackground;
};

// While the person asks for high contrast, every control of every window shows the system's
// colours (window, text, fields, buttons; links the system's link colour); when it is turned off
// or on while the windows are open, they take their designed colours or the system's anew.
class HighContrastTest : public ::testing::TestWithParam<HighContrastCase> {
protected:
    // The program starts while high contrast is asked for.
    void SetUp() override {
        highContrast = true;
        m_query = look::setHighContrastQuery(&askedForHighContrast);
        m_follower = std::make_unique<look::FollowHighContrast>();
        qApp->installEventFilter(m_follower.get());
        m_system.setColor(QPalette::Link, Qt::yellow);
        QApplication::setPalette(m_system);
    }
    void TearDown() override {
        highContrast = false;
        QApplication::setPalette(m_desktop);
        look::setHighContrastQuery(m_query);
    }

    // Turns high contrast on or off as the system does: its colours change with it.
    void turn(bool on) {
        highContrast = on;
        QApplication::setPalette(on ? m_system : m_desktop);
    }

    void expectSystemColours(QWidget& window) {
        QList<QWidget*> widgets = window.findChildren<QWidget*>();
        widgets.append(&window);
        for (const QWidget* widget : widgets) {
            const bool link = qobject_cast<const LinkLabel*>(widget) != nullptr ||
                              qobject_cast<const QCheckBox*>(widget) != nullptr;
            for (auto role : {QPalette::Window, QPalette::WindowText, QPalette::Base, QPalette::Text,
                              QPalette::Button, QPalette::ButtonText}) {
                SCOPED_TRACE(::testing::Message() << widget->metaObject()->className() << " role " << role);
                if (link && role == QPalette::WindowText) {
                    expectSystemLinkColour(widget->palette().color(role));
                } else {
                    EXPECT_EQ(widget->palette().color(role), m_system.color(role));
                }
            }
        }
    }

private:
    look::HighContrastQuery m_query = nullptr;
    std::unique_ptr<look::FollowHighContrast> m_follower;
    QPalette m_desktop = QApplication::palette();
    QPalette m_system{QColor(16, 16, 16), Qt::black}; // white text on black
};

TEST_P(HighContrastTest, WindowsShowTheSystemsColoursWhileItIsAskedForAndFollowItsChanges) {
    const HighContrastCase& row = GetParam();
    BothWindows windows;
    QWidget& window = row.open(windows);
    expectSystemColours(window);
    turn(false);
    const QWidget& area = row.designedArea(windows);
    EXPECT_EQ(area.palette().color(area.backgroundRole()), row.designedBackground);
    turn(true);
    expectSystemColours(window);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, HighContrastTest,
    ::testing::Values(
        HighContrastCase{"BlueWindow", [](BothWindows& w) -> QWidget& { return w.blue.window; },
                         [](BothWindows& w) -> QWidget& { return *w.blue.outer; }, QColor(124, 165, 231)},
        HighContrastCase{"ExitScreensWhite", [](BothWindows& w) -> QWidget& { return w.white.window; },
                         [](BothWindows& w) -> QWidget& { return *w.white.frame; }, QColor(0, 0, 128)}),
    byName);

} // namespace
} // namespace ssn::widgets::test
