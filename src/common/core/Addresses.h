#pragma once

#include <QString>

// Web addresses the program opens, and the pages shipped beside the executable
// that stand for the program's own site (it has no public one).
namespace Addresses {
inline const QString YabasicHomePage = QStringLiteral("https://2484.de/yabasic/");
inline const QString VormeldHomePage = QStringLiteral("hlp99999.htm");
// The program's public web site, for links in pages it writes; empty while it
// has none (such a page then names the program without a link).
inline const QString VormeldWebSite;
inline const QString GettingStartedPage = QStringLiteral("strthelp.html");
} // namespace Addresses
