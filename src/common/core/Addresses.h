#pragma once

#include <QString>

// Web addresses the program opens.
namespace Addresses {
inline const QString YabasicHomePage = QStringLiteral("https://2484.de/yabasic/");
// The program's own pages: the help shipped beside the executable stands in
// until the project has a public site.
inline const QString VormeldHomePage = QStringLiteral("https://vormeld.example.org/");
inline const QString GettingStartedPage = QStringLiteral("https://vormeld.example.org/start/");
} // namespace Addresses
