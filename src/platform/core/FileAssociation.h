#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Vormeld as the desktop's program for Yabasic files, the freedesktop way: a
// desktop entry in $XDG_DATA_HOME/applications, the MIME type text/x-yabasic for
// *.yab in $XDG_DATA_HOME/mime/packages, and the default in
// $XDG_CONFIG_HOME/mimeapps.list. The command shown to the user is read back
// from those files: the Exec line of the default entry.
class FileAssociation {
public:
    struct Folders {
        QString dataHome;   // $XDG_DATA_HOME, default ~/.local/share
        QString configHome; // $XDG_CONFIG_HOME, default ~/.config
        QStringList dataDirs;   // $XDG_DATA_DIRS, default /usr/local/share:/usr/share
        QStringList configDirs; // $XDG_CONFIG_DIRS, default /etc/xdg
    };
    static Folders foldersOfThisUser();

    static const QString MimeType;  // "text/x-yabasic"
    static const QString DesktopId; // "vormeld.desktop"

    explicit FileAssociation(Folders folders);

    // The command the desktop runs for a Yabasic file now; empty when none is set.
    QString currentCommand() const;
    // Writes the three files and refreshes the desktop's caches. Returns false
    // with the reasons in *error when a file could not be written; what is
    // already in mimeapps.list is kept either way.
    bool makeDefault(const QString &programPath, QString *error);

    QString desktopEntryPath() const;
    QString mimePackagePath() const;
    QString mimeAppsPath() const;

    // The Exec value of the entry for a program: its path quoted as freedesktop.org's
    // desktop entry format requires, then %f.
    static QString execLine(const QString &programPath);
    // An Exec value split into its arguments again (quotes and escapes undone).
    static QStringList execArguments(const QString &exec);
    // The value of `key` in the group [Desktop Entry], string escapes undone.
    static QString desktopEntryValue(const QByteArray &entry, const QByteArray &key);
    // The default desktop entry named for `mimeType` in a mimeapps.list text.
    static QString defaultIn(const QByteArray &mimeApps, const QString &mimeType);
    // mimeapps.list with `desktopId` as the default for `mimeType`; every other
    // line stays as it was, whatever it holds.
    static QByteArray withDefault(const QByteArray &mimeApps, const QString &mimeType,
                                  const QString &desktopId);

private:
    QString defaultDesktopId() const;
    QString findDesktopEntry(const QString &id) const;

    Folders m_folders;
};
