#pragma once

#include <QString>

// The folder where the system keeps a package's documentation, with a trailing
// separator ("/usr/share/doc/yabasic/" on Linux); empty where there is none.
QString packageDocFolder(const QString &package);

// How a file dialog that picks a program to start is set up here: on Windows it
// shows programs (*.exe); elsewhere programs have no extension.
struct ProgramBrowseSetup {
    QString initialName;
    QString defaultExtension;
    QString filter;
};
ProgramBrowseSetup programBrowse();
