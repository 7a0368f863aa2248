#pragma once

#include "html/core/HtmlPage.h"

// The web page's failures, told by the classic error numbers and descriptions.
namespace HtmlPage {

// A failed result for a classic error number.
HtmlFileResult failure(int number);
// Why writing the page to path failed (reason: the system's words), as a
// classic error number: path not found, access error, disk full, permission denied.
int classifyWriteFailure(const QString &path, const QString &reason);

} // namespace HtmlPage
