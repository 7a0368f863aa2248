#pragma once

#include <QString>

// Files of the user's own that other programs share with Vormeld.
namespace UserFiles {

// The debug log the shipped qxdebug library appends to: per user (a fixed name
// in a shared folder could be planted by someone else).
QString debugLogPath();

} // namespace UserFiles
