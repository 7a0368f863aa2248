#pragma once

#include <QIcon>
#include <QString>

// The picture of a toolbar button, by its key.
QIcon toolbarIcon(const QString &key);
