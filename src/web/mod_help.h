#pragma once

// The sponsor's pages, one fixed URL and one parameterless opener each (bound to the
// platform's URL opener), and the update reminder that runs at start-up.

#include "platform/platform.h"

namespace ssn::web::modHelp {

void OpenSoftwareDownloadsPage(platform::UrlOpener& opener);
void OpenDonatePage(platform::UrlOpener& opener);
void OpenHelpPage(platform::UrlOpener& opener);
void OpenCoBrandPage(platform::UrlOpener& opener);
void OpenFullyBrandedPage(platform::UrlOpener& opener);
void OpenHomePage(platform::UrlOpener& opener);
void OpenDownloadPage(platform::UrlOpener& opener);

// Asks at most once, when the stored "Duration" date lies more than 14 days away, whether
// to open the download page; stores today on the first run and after every question.
void CheckUpdateReminder(platform::Platform& platform);

} // namespace ssn::web::modHelp
