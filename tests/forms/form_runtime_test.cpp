// The rules every window follows: load on first use, unload once, a fresh window after an
// unload, hide keeps contents, the close box unloads, a modal show waits.

#include "doubles/named_rows.h"
#include "forms_fixture.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <stdexcept>

namespace ssn::forms::test {
namespace {

// What the probe windows saw; reset for every test.
struct ProbeLog {
    int loads = 0;
    int unloads = 0;
    bool visibleDuringLoad = true;
    bool sameWindowDuringLoad = false;
    std::function<void(Form&)> onUnload;
};
ProbeLog probeLog;

class ProbeForm : public Form {
public:
    explicit ProbeForm(Forms& owner) : Form(owner) {
        field = new QLineEdit(this);
        button = new QPushButton(QStringLiteral("Go"), this);
        button->move(0, 40);
    }

    QLineEdit* field;
    QPushButton* button;

protected:
    void Form_Load() override {
        ++probeLog.loads;
        probeLog.visibleDuringLoad = isVisible();
        probeLog.sameWindowDuringLoad = &forms().use<ProbeForm>() == this;
    }
    void Form_Unload() override {
        ++probeLog.unloads;
        if (probeLog.onUnload) {
            probeLog.onUnload(*this);
        }
    }
};

class OtherProbeForm : public Form {
public:
    explicit OtherProbeForm(Forms& owner) : Form(owner) {}
};

class FormRuntimeTest : public FormsTest {
protected:
    void SetUp() override { probeLog = {}; }
};

TEST_F(FormRuntimeTest, LoadsAtFirstUseOnlyAndBeforeTheUseGoesOn) {
    EXPECT_FALSE(forms->isLoaded<ProbeForm>());
    EXPECT_EQ(probeLog.loads, 0);

    ProbeForm& first = forms->use<ProbeForm>();
    EXPECT_EQ(probeLog.loads, 1);
    EXPECT_FALSE(probeLog.visibleDuringLoad);
    EXPECT_TRUE(probeLog.sameWindowDuringLoad) << "the load handler must reach its own window";
    EXPECT_TRUE(forms->isLoaded<ProbeForm>());

    first.show();
    EXPECT_EQ(&forms->use<ProbeForm>(), &first);
    EXPECT_EQ(probeLog.loads, 1);
}

TEST_F(FormRuntimeTest, LoadedWindowsAreListedInLoadOrder) {
    OtherProbeForm& other = forms->use<OtherProbeForm>();
    ProbeForm& probe = forms->use<ProbeForm>();
    EXPECT_EQ(forms->loaded(), (std::vector<Form*>{&other, &probe}));

    other.unload();
    EXPECT_EQ(forms->loaded(), (std::vector<Form*>{&probe}));
    EXPECT_FALSE(forms->isLoaded(other));
    EXPECT_TRUE(forms->isLoaded(probe));
}

TEST_F(FormRuntimeTest, UnloadRunsTheHandlerOnceAndDetachesAtOnce) {
    QPointer<ProbeForm> probe = &forms->use<ProbeForm>();
    probe->show();

    probe->unload();
    probe->unload();

    EXPECT_EQ(probeLog.unloads, 1);
    EXPECT_FALSE(probe->isVisible());
    EXPECT_FALSE(forms->isLoaded<ProbeForm>());
    EXPECT_TRUE(forms->loaded().empty());
    flushDeferredDeletes();
    EXPECT_TRUE(probe.isNull()) << "an unloaded window is deleted by the event loop";
}

TEST_F(FormRuntimeTest, UnloadStartedAgainFromTheUnloadHandlerIsPassedOver) {
    probeLog.onUnload = [](Form& form) {
        EXPECT_TRUE(form.isUnloading());
        form.unload();
    };
    forms->use<ProbeForm>().unload();
    EXPECT_EQ(probeLog.unloads, 1);
}

TEST_F(FormRuntimeTest, TheOwnerStillReachesTheWindowWhileItsUnloadHandlerRuns) {
    bool stillLoaded = false;
    Form* reached = nullptr;
    probeLog.onUnload = [&](Form&) {
        stillLoaded = forms->isLoaded<ProbeForm>();
        reached = &forms->use<ProbeForm>();
    };
    ProbeForm& probe = forms->use<ProbeForm>();
    probe.unload();
    EXPECT_TRUE(stillLoaded);
    EXPECT_EQ(reached, &probe) << "no second window may be loaded from inside the unload";
    EXPECT_EQ(probeLog.loads, 1);
}

TEST_F(FormRuntimeTest, AFailingUnloadHandlerStillLetsTheWindowGo) {
    probeLog.onUnload = [](Form&) { throw std::runtime_error("unload failed"); };
    ProbeForm& probe = forms->use<ProbeForm>();
    probe.show();
    probe.unload();
    EXPECT_FALSE(probe.isVisible());
    EXPECT_FALSE(forms->isLoaded<ProbeForm>());
}

TEST_F(FormRuntimeTest, AWindowCanUnloadItselfFromItsOwnClickHandler) {
    ProbeForm& probe = forms->use<ProbeForm>();
    probe.show();
    probe.field->setText(QStringLiteral("kept until the handler ends"));
    QString readAfterUnload;
    QObject::connect(probe.button, &QPushButton::clicked, &probe, [&probe, &readAfterUnload] {
        probe.unload();
        readAfterUnload = probe.field->text(); // the object is still alive inside its own handler
    });
    QPointer<ProbeForm> watched = &probe;

    probe.button->click();

    EXPECT_EQ(readAfterUnload, QStringLiteral("kept until the handler ends"));
    EXPECT_EQ(probeLog.unloads, 1);
    EXPECT_FALSE(forms->isLoaded<ProbeForm>());
    flushDeferredDeletes();
    EXPECT_TRUE(watched.isNull());
}

TEST_F(FormRuntimeTest, TheNextUseAfterAnUnloadLoadsAFreshWindow) {
    ProbeForm& first = forms->use<ProbeForm>();
    first.field->setText(QStringLiteral("OLD"));
    first.unload();

    // The old object is not deleted yet, so a different address means a different window.
    ProbeForm& second = forms->use<ProbeForm>();
    EXPECT_NE(&second, &first);
    EXPECT_EQ(probeLog.loads, 2);
    EXPECT_TRUE(second.field->text().isEmpty());
    EXPECT_EQ(forms->loaded(), (std::vector<Form*>{&second}));
}

TEST_F(FormRuntimeTest, HideKeepsTheWindowAndItsContents) {
    ProbeForm& probe = forms->use<ProbeForm>();
    probe.show();
    probe.field->setText(QStringLiteral("SMITH"));

    probe.hide();
    EXPECT_FALSE(probe.isVisible());
    EXPECT_TRUE(forms->isLoaded<ProbeForm>());
    EXPECT_EQ(probeLog.unloads, 0);

    forms->use<ProbeForm>().show();
    EXPECT_TRUE(probe.isVisible());
    EXPECT_EQ(probe.field->text(), QStringLiteral("SMITH"));
}

enum class ModalEnd { Hide, Unload, CloseBox };

class ModalShowTest : public FormRuntimeTest, public ::testing::WithParamInterface<ModalEnd> {};

TEST_P(ModalShowTest, TheCallerWaitsUntilTheWindowIsGoneAndOtherWindowsTakeNoInput) {
    forms->use<OtherProbeForm>().show();
    ProbeForm& probe = forms->use<ProbeForm>();
    bool ranInsideTheWait = false;
    QWidget* modalDuringTheWait = nullptr;
    QTimer::singleShot(0, &probe, [&] {
        ranInsideTheWait = true;
        modalDuringTheWait = QApplication::activeModalWidget();
        switch (GetParam()) {
        case ModalEnd::Hide:
            probe.hide();
            break;
        case ModalEnd::Unload:
            probe.unload();
            break;
        case ModalEnd::CloseBox:
            probe.close();
            break;
        }
    });

    probe.show(Modality::Modal);

    EXPECT_TRUE(ranInsideTheWait) << "a modal show returned before the window was hidden or unloaded";
    EXPECT_EQ(modalDuringTheWait, &probe);
    EXPECT_EQ(probe.windowModality(), Qt::ApplicationModal);
    EXPECT_FALSE(probe.isVisible());
    EXPECT_EQ(probeLog.unloads, GetParam() == ModalEnd::Hide ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Ends, ModalShowTest,
                         ::testing::Values(ModalEnd::Hide, ModalEnd::Unload, ModalEnd::CloseBox));

TEST_F(FormRuntimeTest, AModelessShowReturnsAtOnce) {
    ProbeForm& probe = forms->use<ProbeForm>();
    probe.show(Modality::Modeless);
    EXPECT_TRUE(probe.isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(FormRuntimeTest, TheEndOfTheOwnerDestroysWindowsWithoutUnloadHandlers) {
    QPointer<ProbeForm> probe = &forms->use<ProbeForm>();
    QPointer<OtherProbeForm> other = &forms->use<OtherProbeForm>();
    other->unload(); // detached, waiting for deletion
    forms.reset();
    EXPECT_TRUE(probe.isNull());
    EXPECT_TRUE(other.isNull());
    EXPECT_EQ(probeLog.unloads, 0);
}

// A centred window on a small screen: one larger than the available area (a bigger scale) starts
// at its left or top edge, which need not be the screen's (a panel may take the top).
struct PlaceCase {
    const char* name;
    QSize outer;
    QRect available;
    QPoint expected;
};

using ssn::testing::PrintTo;

class CentredPlaceTest : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(CentredPlaceTest, CentresWhatFitsAndKeepsTheLeftAndTopOfWhatDoesNot) {
    EXPECT_EQ(centredPlace(GetParam().outer, GetParam().available), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Screens, CentredPlaceTest,
    ::testing::Values(PlaceCase{"FitsIsCentred", {741, 315}, {0, 0, 1280, 1024}, {269, 354}},
                      PlaceCase{"WiderStartsAtTheLeftEdge", {1490, 660}, {50, 24, 1230, 1000}, {50, 194}},
                      PlaceCase{"TallerStartsAtTheTopEdge", {600, 1100}, {100, 24, 1180, 1000}, {390, 24}}),
    ssn::testing::byName);

} // namespace
} // namespace ssn::forms::test
