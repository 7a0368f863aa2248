#pragma once

#include <QString>
#include <functional>
#include <map>
#include <optional>

// The file name of the interpreter executable on this platform.
QString interpreterExecutableName();

// Whether the library explorer also lists what the interpreter's import finds
// before its library folder (libraries beside the program and beside Vormeld):
// here the library folder of a fresh installation holds none.
bool interpreterImportsFromProgramFolders();

// How the file dialog that looks for the interpreter is set up here: on Windows
// it shows programs (*.exe); elsewhere programs have no extension.
struct InterpreterBrowseSetup {
    QString initialName;
    QString defaultExtension;
    QString filter;
};
InterpreterBrowseSetup interpreterBrowse();

// String values of the interpreter's own key (path, version, librarypath, and
// the settings of the interpreter's options).
class IInterpreterKey {
public:
    virtual ~IInterpreterKey() = default;
    virtual std::optional<QString> readValue(const QString &name) const = 0;
    virtual bool writeValue(const QString &name, const QString &value) = 0;
};

// What the installed interpreter tells about itself. Each figure is asked for at
// most once per process: the first read runs the interpreter, later reads reuse it.
class InstalledInterpreterProbe {
public:
    // Runs a program with arguments and returns its standard output and error
    // together, or nothing when it could not be run in time.
    using Runner = std::function<std::optional<QString>(const QString &program,
                                                        const QStringList &args)>;

    // executable: the interpreter found on PATH, or empty when there is none.
    InstalledInterpreterProbe(QString executable, Runner runner);
    static InstalledInterpreterProbe forInstalledInterpreter();

    std::optional<QString> path() const;        // folder with a trailing separator
    std::optional<QString> version() const;     // e.g. "2.90.3"
    std::optional<QString> libraryPath() const; // folder with a trailing separator

    // Pure parsers of the interpreter's output.
    static std::optional<QString> parseVersion(const QString &output);
    static std::optional<QString> parseLibraryPath(const QString &output);

private:
    QString m_exe;
    Runner m_run;
    mutable std::map<QString, std::optional<QString>> m_cache;
};

// The interpreter key kept in an INI file, group "Yabasic". A value missing there
// is taken from the installed interpreter.
class IniInterpreterKey : public IInterpreterKey {
public:
    IniInterpreterKey(QString filePath, InstalledInterpreterProbe probe);

    // $XDG_CONFIG_HOME/yabasic/registry.ini (default ~/.config).
    static QString defaultPath();

    std::optional<QString> readValue(const QString &name) const override;
    bool writeValue(const QString &name, const QString &value) override;

private:
    QString m_path;
    InstalledInterpreterProbe m_probe;
};
