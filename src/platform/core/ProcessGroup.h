#pragma once

#include <QStringList>
#include <QtGlobal>

class QProcess;

// A program started by Vormeld may start programs of its own; stopping it must
// end them all. Each run gets a process group of its own, and the whole group
// is ended at once.
namespace ProcessGroup {

// Makes the process the leader of a new session and group when it starts.
void startInOwnGroup(QProcess &process);

// The process runs at the lowest priority: work in the background must not take
// the processor from the window while the user types.
void startAtLowPriority(QProcess &process);

// Ends every process of the group led by pid (the first one's pid). True when
// a signal was sent to anything.
bool endGroup(qint64 leaderPid);

// Whether a process with this id exists (a zombie not yet collected counts).
bool processExists(qint64 pid);

// The argument list that runs programAndArgs and keeps a copy of everything it
// writes to standard error in copyFile, while the terminal still shows it. When
// the program ends, copyFile + ".end" is created.
QStringList withErrorCopy(const QStringList &programAndArgs, const QString &copyFile);

} // namespace ProcessGroup
