#include "doubles/platform_doubles.h"
#include "web/mod_help.h"

#include <gtest/gtest.h>

namespace {

using ssn::testing::RecordingUrlOpener;
using namespace ssn::web;

struct OpenerCase {
    const char* name;
    void (*opener)(ssn::platform::UrlOpener&);
    const char* url;
};

void PrintTo(const OpenerCase& c, std::ostream* os) {
    *os << c.name;
}

const OpenerCase kOpeners[] = {
    {"SoftwareDownloads", modHelp::OpenSoftwareDownloadsPage,
     "https://velmora.example/vl-free-subconscious-self-number/ssd.php?page=zorvicsoftwares"},
    {"Donate", modHelp::OpenDonatePage,
     "https://velmora.example/vl-free-subconscious-self-number/ssd.php?page=donate"},
    {"Help", modHelp::OpenHelpPage,
     "https://velmora.example/vl-free-subconscious-self-number/ssd.php?page=help-web-page"},
    {"CoBrand", modHelp::OpenCoBrandPage,
     "https://velmora.example/vl-free-subconscious-self-number/ssd.php?page=co-brand"},
    {"FullyBranded", modHelp::OpenFullyBrandedPage,
     "https://velmora.example/vl-free-subconscious-self-number/ssd.php?page=fully-branded"},
    {"Home", modHelp::OpenHomePage,
     "https://velmora.example/vl-free-subconscious-self-number/ssd.php?page=home-page"},
    {"Download", modHelp::OpenDownloadPage,
     "https://velmora.example/vl-free-subconscious-self-number/ssd.php?page=download-web-page"},
};

class PageOpenerTest : public ::testing::TestWithParam<OpenerCase> {};

// Two clicks make two requests.
TEST_P(PageOpenerTest, OpensItsOwnFixedUrlOncePerCall) {
    RecordingUrlOpener opener;
    GetParam().opener(opener);
    GetParam().opener(opener);
    EXPECT_EQ(opener.urls, std::vector<QString>(2, QString::fromUtf8(GetParam().url)));
}

INSTANTIATE_TEST_SUITE_P(EveryPage, PageOpenerTest, ::testing::ValuesIn(kOpeners),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

} // namespace
