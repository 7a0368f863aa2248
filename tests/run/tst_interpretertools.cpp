// The logic behind the library explorer and the Yabasic settings editor: the library list, the
// documentation request and its colouring, the .yst files, the command-line fragments and the options a run passes.

#include "common/core/AppSettings.h"
#include "platform/core/ProcessGroup.h"
#include "platform/core/ProcessLauncher.h"
#include "run/core/DocuColouring.h"
#include "run/core/DocuRequest.h"
#include "run/core/LibraryList.h"
#include "run/core/ProgramRunner.h"
#include "run/core/RunCommand.h"
#include "support/FakeServices.h"
#include "support/Files.h"
#include "yabsettings/core/YabSettingsFile.h"

#include <QtTest>

using namespace YabSettingsFile;
using Range = DocuColouring::Range;

namespace {
const QString Golden = QStringLiteral(VORMELD_TESTS_DIR "/yabsettings/golden/");

void touch(const QString &path, const QByteArray &bytes = "print 1\n") { QVERIFY(writeBytes(path, bytes)); }

QStringList names(const QList<LibraryEntry> &list)
{
    QStringList out;
    for (const LibraryEntry &e : list)
        out << e.displayText() + QLatin1Char('=') + e.fileName;
    return out;
}

struct Answers : QSignalSpy {
    explicit Answers(DocuRequest *r) : QSignalSpy(r, &DocuRequest::answered) {}
    QString text() const { return last().at(0).toString(); }
    DocuRequest::End end() const { return last().at(1).value<DocuRequest::End>(); }
};

const YabSettingsValues GoldenPlain{"red", "navy", "swiss", 0, "roman", 3, "12", "16", "+10+20", ":0", "+5+5"};
const YabSettingsValues GoldenQuoted{"a,b", "\"x", "", -1, "  spaced", 4, "8", "", "say \"hi\"", "host:0.0", "trail "};
} // namespace

class tst_InterpreterTools : public QObject {
    Q_OBJECT
private slots:
    void libraryList()
    {
        QTemporaryDir tmp;
        const QString lib = tmp.filePath("my libs/"), prog = tmp.filePath("prog/"), vormeld = tmp.filePath("bin/");
        for (const QString &d : {lib, prog, vormeld})
            QVERIFY(QDir().mkpath(d));
        for (const char *f : {"zeta.yab", "a.b.yab", "Mixed.yab", "noext", "other.txt"})
            touch(lib + f);
        QVERIFY(QDir().mkpath(lib + "folder.yab"));
        for (const char *f : {"main.yab", "helper.yab", "zeta.yab"})
            touch(prog + f);
        QVERIFY(QFile::link(lib + "zeta.yab", prog + "linked.yab")); // the same file by another name
        touch(vormeld + "qxdebug.yab");
        touch(vormeld + "Template.yab");

        QCOMPARE(names(LibraryList::fillLibraryList(lib, QString(), vormeld, false)),
                 (QStringList{"a=a.b.yab", "Mixed=Mixed.yab", "zeta=zeta.yab"}));
        QCOMPARE(names(LibraryList::fillLibraryList(lib, prog + "main.yab", vormeld, true)),
                 (QStringList{"a=a.b.yab", "Mixed=Mixed.yab", "zeta=zeta.yab",
                              "helper  (beside the program)=helper.yab", "zeta  (beside the program)=zeta.yab",
                              "qxdebug  (shipped with Vormeld)=qxdebug.yab"}));
        QCOMPARE(LibraryList::fillLibraryList(lib, "", vormeld, true).last().filePath(), vormeld + "qxdebug.yab");

        QString problem;
        QVERIFY(LibraryList::fillLibraryList(tmp.filePath("none/"), QString(), tmp.path(), true, &problem).isEmpty());
        QCOMPARE(problem, "The library folder " + tmp.filePath("none/") + " does not exist.");
        QVERIFY(LibraryList::fillLibraryList(lib + "a.b.yab", QString(), tmp.path(), true, &problem).isEmpty());
        QCOMPARE(problem, "The library folder " + lib + "a.b.yab is a file, not a folder.");
        QCOMPARE(LibraryList::libraryFolder("/x"), "/x/");
        QCOMPARE(LibraryList::libraryFolder(""), QDir::currentPath() + "/");

        const QString many = tmp.filePath("many/");
        QVERIFY(QDir().mkpath(many));
        for (int i = 0; i < 10000; ++i)
            touch(many + QString::number(100000 + i) + ".yab", QByteArray());
        const QList<LibraryEntry> all = LibraryList::fillLibraryList(many, QString(), tmp.path(), false);
        QCOMPARE(all.size(), 10000);
        QCOMPARE(all.last().name, "109999");
    }

    void docuColouringAndRequests()
    {
        const QList<std::pair<QString, QList<Range>>> cases{
            {"title - x", {}}, // no line break: nothing
            // only the first ' * ' line is bold; an unended last line stays black
            {"T\n * a\n * b\n  - c\n- d", {{0, 1, Range::Title}, {2, 4, Range::Usage}, {12, 5, Range::Item}}},
            // a leading '- ' on the title line or after an empty first line is passed over
            {"\n- a\n- b\n", {{5, 3, Range::Item}}},
            {"T\n-x\n*  y\n", {{0, 1, Range::Title}}}}; // '-x' and '*' without blanks are plain
        for (const auto &[text, ranges] : cases)
            QCOMPARE(DocuColouring::ranges(text), ranges);

        // A request that hangs is ended whole; a newer one replaces the older, which never answers.
        QTemporaryDir tmp;
        const QString hang = tmp.filePath("hanging");
        touch(hang, "#!/bin/sh\necho partial\nsleep 60 &\necho $! > \"$0.child\"\nwait\n");
        QFile::setPermissions(hang, QFile::ReadOwner | QFile::ExeOwner);
        DocuRequest request;
        Answers a(&request);
        request.request(hang, tmp.filePath("x.yab"), 300);
        QTRY_COMPARE(a.size(), 1);
        QCOMPARE(a.end(), DocuRequest::End::TimedOut);
        QCOMPARE(a.text(), "partial\n");
        const qint64 childPid = readBytes(hang + ".child").trimmed().toLongLong();
        QVERIFY(childPid > 0);
        QTRY_VERIFY(!ProcessGroup::processExists(childPid)); // the whole request was ended

        request.request(hang, tmp.filePath("x.yab"), 60000);
        QTRY_VERIFY(request.pid() > 0);
        request.request(tmp.filePath("missing interpreter"), tmp.filePath("x.yab"));
        QTRY_COMPARE(a.size(), 2);
        QCOMPARE(a.end(), DocuRequest::End::NotStarted);
        QVERIFY(!request.isWaiting());

    }

    // Plain values are written as they are; comma, quote and leading blank are quoted.
    void settingsFilesAndCommandLines()
    {
        for (const auto &[file, want] : {std::pair{"plain.yst", GoldenPlain}, std::pair{"quoted.yst", GoldenQuoted}}) {
            const QByteArray bytes = readBytes(Golden + file);
            QCOMPARE(write(want), bytes);
            YabSettingsValues read;
            QVERIFY(YabSettingsFile::read(bytes, &read).problems.isEmpty());
            QVERIFY(read == want);
        }

        YabSettingsValues v = GoldenPlain;
        // Fields end at commas as well as at line ends; a short file leaves the rest.
        ReadResult r = read("  red , blue\r\n\"sw,iss\" tail\r\n3x\r\n", &v);
        QCOMPARE(r.valuesRead, 4);
        QCOMPARE(r.problems,
                 QStringList{"The file holds only 4 of the 11 settings; the others were left as they were."});
        QCOMPARE(QStringList({v.unixForeground, v.unixBackground, v.unixFontFamily, v.windowsFontFamily}),
                 (QStringList{"red ", "blue", "sw,iss", "roman"}));
        QCOMPARE(v.unixInfoLevel, 3);

        v = GoldenPlain;
        r = read("a\nb\nc\n99\nd\n-5\n", &v);
        const QString level = "Line %1 holds the level %2, which is not in the list; that level was left as it was.";
        QCOMPARE(r.problems.mid(0, 2), QStringList({level.arg(4).arg(99), level.arg(6).arg(-5)}));
        QCOMPARE(QString("%1 %2 %3").arg(v.unixInfoLevel).arg(v.windowsInfoLevel).arg(v.windowsFontFamily), "0 3 d");

        v = GoldenPlain;
        QCOMPARE(read(QByteArray("red\0\r\n", 6), &v).problems + read(QByteArray(MaxFileSize + 1, 'x'), &v).problems,
                 (QStringList{"The file is not a text file; nothing was read.",
                              "The file is too big to be a settings file; nothing was read."}));
        QVERIFY(v == GoldenPlain);

        QCOMPARE(colourNames().mid(14, 4), (QStringList{"yellow", "white", "", "aliceblue"}));
        QCOMPARE(colourNames().mid(63, 2) + colourNames().mid(118, 2) + colourNames().mid(139),
                 (QStringList{"honeydrew", "hotpink", "pium", "powderblue", "wheat", "whitesmoke", "yellowgreen"}));
        const auto font = [](const char *f) { const auto [family, size] = splitFont(f); return family + '|' + size; };
        QCOMPARE(font("swiss14") + ' ' + font("10") + ' ' + font("ro1man2"), "swiss|14 |10 roman|12");

        YabSettingsValues all{"red", "aliceblue", "swiss", 0, "roman", 4, "10", "48", "+1+2", ":9", "+3+4"}, some = all;
        some.unixForeground = some.unixGeometry = some.windowsGeometry = "";
        some.unixInfoLevel = some.windowsInfoLevel = -1;
        const QList<std::tuple<YabSettingsValues, QString, QString>> lines{
            {YabSettingsValues(), "-i w", "-i w"}, // defaults: level only, a size without family is left out
            {all, "-fg red -bg aliceblue -geometry +1+2 -display :9 -font swiss10 -i d",
             "-geometry +3+4 -font roman48 -i f"},
            {some, "-bg aliceblue -display :9 -font swiss10 -i ", "-font roman48 -i "}}; // empty fields and no level
        for (const auto &[values, unixText, windowsText] : lines) {
            QCOMPARE(unixLine(values), unixText);
            QCOMPARE(windowsLine(values), windowsText);
            const QString noBareLevel = unixText.endsWith("-i ") ? unixText.chopped(4) : unixText;
            QCOMPARE(unixArguments(values).join(' '), noBareLevel);
        }
    }

    void runOptions()
    {
        FakeServices fake;
        SettingsAccess s(fake.settings, fake.services.appName);
        s.saveSetting(AppSettings::Run, AppSettings::YABPath, QStandardPaths::findExecutable("sh"));
        ProgramRunner runner(s, fake.interpreterKey, fake.launcher, fake.prompter, fake.folder.path());
        const auto options = [&] {
            ProgramRunner::Plan plan;
            const auto outcome = runner.prepare("print 1", TextEncoding::Utf8, 1, "+5+5", QString(), QString(), &plan);
            return outcome == ProgramRunner::Outcome::Started ? plan.options : QStringList{"failed"};
        };
        s.saveSetting(AppSettings::Run, AppSettings::YabOptions,
                      RunCommand::joinArguments({"-display", "host name:0", "-i", "e"}));
        QCOMPARE(options(), (QStringList{"-geometry", "+5+5", "-i", "n"})); // off by default
        s.saveSetting(AppSettings::Run, AppSettings::UseYabSettings, 1);
        QCOMPARE(options(), (QStringList{"-display", "host name:0", "-i", "e"}));

        // Each option the Unix line builds, and all of them together, as the real interpreter takes them.
        const QString yabasic = QStandardPaths::findExecutable("yabasic");
        if (yabasic.isEmpty())
            QSKIP("The yabasic interpreter is not installed (Debian package yabasic).");
        QTemporaryDir tmp;
        touch(tmp.filePath("ok.yab"), "print \"ok\"\n");
        const YabSettingsValues all = {"red", "aliceblue", "swiss", 1, "roman", 4, "10", "48", "+1+2", ":9", ""};
        const QStringList args = unixArguments(all);
        QCOMPARE(args.size(), 12);
        QList<QStringList> runs{args};
        for (int i = 0; i < args.size(); i += 2)
            runs << args.mid(i, 2);
        runs << QStringList{"-zz"}; // the check itself: a refused option fails
        for (const QStringList &options : runs) {
            QProcess p;
            p.start(yabasic, options + QStringList{tmp.filePath("ok.yab")});
            QVERIFY(p.waitForFinished(30000));
            const bool accepted = p.exitCode() == 0 && p.readAllStandardOutput() == "ok\n";
            QVERIFY2(accepted == (options.first() != "-zz"), qPrintable(options.join(' ')));
        }
    }
};

QTEST_GUILESS_MAIN(tst_InterpreterTools)
#include "tst_interpretertools.moc"
