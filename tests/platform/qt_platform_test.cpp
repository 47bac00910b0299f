// The real desktop operations that can be checked on the offscreen platform.

#include "platform/qt/qt_platform.h"
#ifndef Q_MOC_RUN // moc cannot parse the concepts in it
#include "doubles/named_rows.h"
#endif

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QUrl>
#include <QWidget>
#include <cstdio>
#include <gtest/gtest.h>

namespace ssn::platform {
namespace {

using ssn::testing::byName;
using ssn::testing::PrintTo;

// Seeding changes the sequence, which stays below one before and after it.
TEST(QtRandomSourceTest, StaysBelowOneAndSeedingChangesTheSequence) {
    QtRandomSource random;
    QtRandomSource unseeded;
    int same = 0;
    for (int i = 0; i < 200000; ++i) {
        if (i == 100000)
            random.seedFromTimer();
        const float r = random.next();
        // The unseeded source goes along in step, so the seeded one's first values after seeding
        // meet its values at the same place.
        same += r == unseeded.next() && i >= 100000 && i < 100008 ? 1 : 0;
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
    }
    EXPECT_LT(same, 8);
}

TEST(QtExecutableInfoTest, NameIsTheFileNameWithoutFolder) {
    EXPECT_EQ(QtExecutableInfo().executableName(), QStringLiteral("platform_tests"));
}

TEST(QtProcessEndTest, FlushesBufferedOutputAndEndsWithTheGivenCode) {
    EXPECT_EXIT(
        {
            static char buffer[256];
            std::setvbuf(stderr, buffer, _IOFBF, sizeof buffer);
            std::fputs("last words", stderr);
            QtProcessEnd().endProcess(3);
        },
        ::testing::ExitedWithCode(3), "last words");
}

TEST(QtClipboardTest, EmptiesTheClipboard) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    ASSERT_NE(clipboard, nullptr);
    clipboard->setText(QStringLiteral("report text"));
    ASSERT_EQ(clipboard->text(), QStringLiteral("report text"));
    QtClipboard().clear();
    EXPECT_TRUE(clipboard->text().isEmpty());
}

TEST(QtTopmostWindowTest, ShowsTheWindowAboveOthersWithoutActivation) {
    QWidget window;
    QtTopmostWindow().showTopmostWithoutActivating(window);
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.testAttribute(Qt::WA_ShowWithoutActivating));
}

// Stands in for the browser: records what the desktop services would hand to it.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;

public slots:
    void handle(const QUrl& url) { urls.append(url); }
};

struct UrlCase {
    const char* name;
    const char* given;
    const char* handedOn; // nullptr: refused quietly
};

class QtUrlOpenerTest : public ::testing::TestWithParam<UrlCase> {
protected:
    QtUrlOpenerTest() { QDesktopServices::setUrlHandler(QStringLiteral("https"), &m_recorder, "handle"); }
    ~QtUrlOpenerTest() override { QDesktopServices::unsetUrlHandler(QStringLiteral("https")); }

    UrlRecorder m_recorder;
};

TEST_P(QtUrlOpenerTest, HandsTheUrlOnWithItsEncodingIntact) {
    EXPECT_EQ(QtUrlOpener().open(QString::fromUtf8(GetParam().given)), GetParam().handedOn != nullptr);
    ASSERT_EQ(m_recorder.urls.size(), GetParam().handedOn != nullptr ? 1 : 0);
    EXPECT_TRUE(m_recorder.urls.isEmpty() || m_recorder.urls.front().toEncoded() == GetParam().handedOn);
}

INSTANTIATE_TEST_SUITE_P(Cases, QtUrlOpenerTest,
                         ::testing::Values(UrlCase{"EncodedSeparatorsStayEncoded",
                                                   "https://example.org/p?taf1=a%26b%3Dc&taf2=x%23y%0D%0A",
                                                   "https://example.org/p?taf1=a%26b%3Dc&taf2=x%23y%0D%0A"},
                                           UrlCase{"BlankIsEncoded", "https://example.org/p?taf1=a b",
                                                   "https://example.org/p?taf1=a%20b"},
                                           UrlCase{"UnusableUrlIsRefused", "https://[::1", nullptr}),
                         byName);

} // namespace
} // namespace ssn::platform

#include "qt_platform_test.moc"
