#pragma once

#include "platform/core/TextFile.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <array>

// The user's outside programs for the Tools menu: 151 slots of a command line
// (a program, possibly followed by arguments) and a caption. A slot with an
// empty command line is unused.
class ExternalTools {
public:
    static constexpr int Size = 151;
    static inline const QString FileName = QStringLiteral("Tools.Dat");

    const QString &path(int slot) const { return m_paths.at(size_t(slot)); }
    const QString &name(int slot) const { return m_names.at(size_t(slot)); }
    void setPath(int slot, const QString &path) { m_paths.at(size_t(slot)) = path; }
    void setName(int slot, const QString &name) { m_names.at(size_t(slot)) = name; }
    bool isUsed(int slot) const { return !path(slot).isEmpty(); }
    // The used slots in order: the dialog's list and the menu's items.
    QList<int> usedSlots() const;

    // A new tool "(Untitled)" / "(New Tool)" after the last used slot (or in the
    // first free one); its slot, or -1 when all 151 are taken.
    int add();
    // Later slots move up one; the last is emptied.
    void remove(int slot);

    // Reads the file's records into slots 0, 1, 2 ...; slots after the last
    // record keep what they held. Records beyond the last slot are kept as they
    // are and written back after the table, so a longer file loses nothing.
    // Returns the number of records stored in slots.
    int read(const QString &text);
    // One line per used slot: "path","name" and CR LF (a quote inside a field is
    // doubled), then the records kept from beyond the last slot.
    QString write() const;

    // Loads the user's copy of Tools.Dat, else the one in the program folder.
    // A missing or unreadable file leaves the table as it is.
    bool load(const QString &programFolder);
    // Writes Tools.Dat atomically into the user's data folder.
    FileResult save() const;

private:
    std::array<QString, Size> m_paths;
    std::array<QString, Size> m_names;
    QStringList m_beyond;
};

namespace ExternalToolCommand {

// The command line that starts a tool: a path naming an existing program
// (blanks and all) is taken whole; every "%f" becomes the current file's path
// in quotes ("" when the program has no file yet).
QString commandLine(const QString &toolPath, const QString &currentFile);

// The error number told when the command line did not start: 53 when its
// program does not exist, else 75 (it exists but cannot be run).
int startError(const QString &commandLine);

} // namespace ExternalToolCommand
