#pragma once

// The complete URL of every page of the sponsor's site that the program opens, one fixed
// constant per page. Each opener is bound to exactly one of them; none is chosen by key.

#include <QString>

namespace ssn::web {

// The site's scheme and host, without a trailing slash, and the one page script on it.
inline const QString kSiteBaseUrl = QStringLiteral("https://velmora.example");
inline const QString kPageScriptPath = QStringLiteral("/vl-free-subconscious-self-number/ssd.php");

inline const QString kSoftwareDownloadsPageUrl =
    kSiteBaseUrl + kPageScriptPath + QStringLiteral("?page=zorvicsoftwares");
inline const QString kDonatePageUrl = kSiteBaseUrl + kPageScriptPath + QStringLiteral("?page=donate");
inline const QString kHelpPageUrl = kSiteBaseUrl + kPageScriptPath + QStringLiteral("?page=help-web-page");
inline const QString kCoBrandPageUrl = kSiteBaseUrl + kPageScriptPath + QStringLiteral("?page=co-brand");
inline const QString kFullyBrandedPageUrl =
    kSiteBaseUrl + kPageScriptPath + QStringLiteral("?page=fully-branded");
inline const QString kHomePageUrl = kSiteBaseUrl + kPageScriptPath + QStringLiteral("?page=home-page");
inline const QString kDownloadPageUrl =
    kSiteBaseUrl + kPageScriptPath + QStringLiteral("?page=download-web-page");
inline const QString kReferAFriendPageUrl =
    kSiteBaseUrl + kPageScriptPath + QStringLiteral("?page=vlzs-refer-a-friend");

// The product's folder on the site, sent along with every referral.
inline const QString kProductFolderUrl = kSiteBaseUrl + QStringLiteral("/vl-free-subconscious-self-number/");

} // namespace ssn::web
