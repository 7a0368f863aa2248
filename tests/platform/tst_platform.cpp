#include "platform/core/InterpreterKey.h"
#include "platform/core/ProcessLauncher.h"
#include "platform/core/SettingsStore.h"
#include "platform/DesktopShell.h"

#include <QtTest>

namespace {
void put(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()) && f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Stands in for running the interpreter: gives a fixed output, counts the runs.
struct CountingRunner {
    std::optional<QString> output;
    std::shared_ptr<QStringList> calls = std::make_shared<QStringList>();
    std::optional<QString> operator()(const QString &program, const QStringList &args) const
    {
        *calls << program + ' ' + args.join(' ');
        return output;
    }
};
} // namespace

class tst_Platform : public QObject {
    Q_OBJECT
private slots:
    void commandLinesAndProcesses()
    {
        const QList<std::pair<QString, QStringList>> cases{
            {"yabasic -i w  prog.yab", {"yabasic", "-i", "w", "prog.yab"}}, // blanks separate
            {"\"/my progs/vormeld\" \"a b.yab\"", {"/my progs/vormeld", "a b.yab"}}, // quotes group
            {"ab\"c d\"e", {"abc de"}},                                          // quote inside a word
            {"\"say \"\"hi\"\"\"", {"say \"hi\""}},                                // doubled quote
            {"prog \"\" x", {"prog", "", "x"}},                                 // empty quoted argument
            {"   ", {}}};
        for (const auto &[line, parts] : cases)
            QCOMPARE(::splitCommandLine(line), parts);

        // Words of the program line are handed over as arguments, never pasted into the shell script.
        const QStringList args = SystemProcessLauncher::terminalArguments({"/usr/bin/yabasic", "a;rm -rf x.yab"});
        QCOMPARE(args.first(), QStringLiteral("-e"));
        QCOMPARE(args.last(), QStringLiteral("a;rm -rf x.yab"));
        QVERIFY(!args.at(3).contains("rm -rf"));

        SystemProcessLauncher launcher;
        const WaitResult done = launcher.startAndWait("/bin/sh -c \"exit 3\"", WindowStyle::Hidden, 5000);
        QVERIFY(done.started && done.finished);
        QCOMPARE(done.exitCode, 3);
        const WaitResult slow = launcher.startAndWait("/bin/sh -c \"sleep 5\"", WindowStyle::Hidden, 200);
        QVERIFY(slow.started && !slow.finished);
        QVERIFY(!launcher.startAndWait("/no/such/program", WindowStyle::Hidden, 1000).started);
        QVERIFY(!launcher.start("", WindowStyle::NormalFocus));
    }
    // Written and read back per application, written by hand, garbage, a folder in the way.
    void settingsFiles()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath("cfg/vormeld.ini");
        {
            IniSettingsStore store(path);
            SettingsAccess s(store, "vormeld");
            s.saveSetting("Run", "InfoLevel", 3);
            s.saveSetting("Startup", "FirstDone", true);
            s.saveSetting("MostRecent", "File0", QStringLiteral("C:\\progs\\a, b.yab"));
            s.saveSetting("MostRecent", "File1", QStringLiteral(" \"quoted\" "));
            SettingsAccess(store, "vormeld2").saveSetting("Run", "InfoLevel", 1);
        }
        IniSettingsStore store(path); // a fresh reader sees what was written
        SettingsAccess s(store, "vormeld");
        QCOMPARE(s.getSetting("Run", "InfoLevel"), QStringLiteral("3"));
        QCOMPARE(s.getSetting("Startup", "FirstDone"), QStringLiteral("True"));
        QCOMPARE(s.getSetting("MostRecent", "File0"), QStringLiteral("C:\\progs\\a, b.yab"));
        QCOMPARE(s.getSetting("MostRecent", "File1"), QStringLiteral(" \"quoted\" "));
        QCOMPARE(s.getSetting("Run", "TempPath", "dflt"), QStringLiteral("dflt"));
        QVERIFY(!s.stored("Run", "TempPath").has_value());
        QCOMPARE(SettingsAccess(store, "vormeld2").getSetting("Run", "InfoLevel"), QStringLiteral("1"));

        put(dir.filePath("v.ini"), "[vormeld]\nRun\\GeoString=\"640x480, 1\"\nMostRecent\\File0=C:\\\\a, b.yab\n"
                                   "Run\\TempPath=\" /tmp \"\n");
        IniSettingsStore byHand(dir.filePath("v.ini"));
        SettingsAccess h(byHand, "vormeld");
        QCOMPARE(h.getSetting("Run", "GeoString"), QStringLiteral("640x480, 1"));
        QCOMPARE(h.getSetting("MostRecent", "File0"), QStringLiteral("C:\\a, b.yab")); // read as a list
        QCOMPARE(h.getSetting("Run", "TempPath"), QStringLiteral(" /tmp "));

        put(dir.filePath("garbage.ini"), QByteArray("\x00\xff[[[\n=\n[vormeld\nStartup\\Tips=0\n\x01\x02", 30));
        IniSettingsStore garbage(dir.filePath("garbage.ini"));
        SettingsAccess g(garbage, "vormeld");
        (void)g.getSetting("Startup", "Tips", "1"); // must not crash, whatever it reads
        g.saveSetting("Run", "InfoLevel", 4);
        QCOMPARE(g.getSetting("Run", "InfoLevel"), QStringLiteral("4"));
        // A folder where the file should be: nothing can be read or written, nothing breaks.
        QVERIFY(QDir().mkpath(dir.filePath("folder.ini")));
        IniSettingsStore blocked(dir.filePath("folder.ini"));
        QCOMPARE(SettingsAccess(blocked, "vormeld").getSetting("Startup", "Tips", "1"), QStringLiteral("1"));
        QVERIFY(!blocked.setValue("vormeld", "Run", "InfoLevel", "2"));
    }
    void interpreterKeyAndProbe()
    {
        QTemporaryDir dir;
        CountingRunner runner{"yabasic 2.90.3, built on x86_64-pc-linux-gnu\n"};
        IniInterpreterKey key(dir.filePath("yabasic/registry.ini"),
                              InstalledInterpreterProbe("/opt/yab/bin/yabasic", runner));
        QCOMPARE(key.readValue("version").value_or("none"), QStringLiteral("2.90.3"));
        QCOMPARE(key.readValue("path").value_or("none"), QStringLiteral("/opt/yab/bin/"));
        QVERIFY(!key.readValue("fontheight").has_value());

        QVERIFY(key.writeValue("version", "9.9") && key.writeValue("fontheight", "12"));
        QCOMPARE(key.readValue("version").value_or("none"), QStringLiteral("9.9"));
        QCOMPARE(key.readValue("fontheight").value_or("none"), QStringLiteral("12"));
        QFile ini(dir.filePath("yabasic/registry.ini"));
        QVERIFY(ini.open(QIODevice::ReadOnly));
        const QByteArray text = ini.readAll();
        QVERIFY2(text.contains("[Yabasic]") && text.contains("fontheight=12"), text.constData());

        // The probe asks the interpreter once per value.
        runner = {"---Debug: Final value for library_path is: /usr/lib\nyabasic 2.90.3, built on x\n"};
        InstalledInterpreterProbe probe("/usr/bin/yabasic", runner);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(probe.version().value_or("none"), QStringLiteral("2.90.3"));
            QCOMPARE(probe.libraryPath().value_or("none"), QStringLiteral("/usr/lib/"));
        }
        QCOMPARE(runner.calls->size(), 2);
        QVERIFY(runner.calls->at(0).contains("--version"));
        probe.forget(); // the about box asks again: the interpreter may have been updated
        QCOMPARE(probe.version().value_or("none"), QStringLiteral("2.90.3"));
        QCOMPARE(runner.calls->size(), 3);

        // No interpreter, or one that cannot be run (or hangs): nothing, and nothing run.
        InstalledInterpreterProbe none(QString(), runner);
        QVERIFY(!none.path() && !none.version() && !none.libraryPath());
        QCOMPARE(runner.calls->size(), 3);
        QVERIFY(!InstalledInterpreterProbe("/usr/bin/yabasic", CountingRunner{std::nullopt}).version());

        const QList<std::array<QString, 3>> cases{ // output, version, library folder
            {"---Debug: Using builtin default for library_path: /usr/lib\n"
             "---Debug: Final value for library_path is: /usr/lib\n"
             "---Debug: This is yabasic 2.90.3, compiled on x86_64\n", "2.90.3", "/usr/lib/"},
            {"Final value for library_path is: /opt/lib/\r\nyabasic 2.86", "2.86", "/opt/lib/"}, // separator kept
            {"command not found", "", ""}};
        for (const auto &[output, version, library] : cases) {
            QCOMPARE(InstalledInterpreterProbe::parseVersion(output).value_or(QString()), version);
            QCOMPARE(InstalledInterpreterProbe::parseLibraryPath(output).value_or(QString()), library);
        }

        if (QStandardPaths::findExecutable("yabasic").isEmpty()) // the probe of the installed interpreter, last
            QSKIP("yabasic is not installed on this machine");
        const InstalledInterpreterProbe installed = InstalledInterpreterProbe::forInstalledInterpreter();
        QVERIFY(QFileInfo::exists(installed.path().value_or("/nowhere/") + interpreterExecutableName()));
        QVERIFY2(QRegularExpression("^\\d+\\.\\d+").match(installed.version().value_or("")).hasMatch(),
                 qPrintable(installed.version().value_or("none")));
        QVERIFY(installed.libraryPath().value_or("").endsWith('/'));
    }
    void shellResultsForMissingTargets()
    {
        QTemporaryDir dir;
        DesktopShell shell;
        QCOMPARE(shell.open(dir.filePath("hlp00005.htm")), ShellResult::FileNotFound);
        QCOMPARE(shell.open(dir.filePath("nofolder/hlp00005.htm")), ShellResult::PathNotFound);
        QVERIFY(DesktopShell::isAddress("https://2484.de/yabasic/")
                && DesktopShell::isAddress("mailto:someone@example.org"));
        QVERIFY(!DesktopShell::isAddress("C:\\progs\\a.yab") && !DesktopShell::isAddress("/home/a/hlp00001.htm"));
    }
};

QTEST_GUILESS_MAIN(tst_Platform)
#include "tst_platform.moc"
