#include "BenchEnvironment.h"
#include "Measurements.h"
#include "Report.h"

#include "app/MainWindow.h"
#include "support/WindowProbe.h"
#include "editor/CodeEditor.h"
#include "editor/EditorController.h"
#include "editor/core/LineScanner.h"
#include "editor/core/YabasicLexer.h"
#include "common/core/AppSettings.h"
#include "platform/core/SettingsStore.h"
#include "platform/core/TextFile.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QFile>
#include <QAction>
#include <QKeyEvent>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>

namespace {
// A window started as a user starts it, then the program opened and coloured.
void openForTyping(MainWindow &window, const QString &path)
{
    window.start();
    documents(window).loadStartupFile(path);
    editor(window).parseAllLines();
    QCoreApplication::processEvents();
}

QString programText(BenchEnvironment &env, int lines)
{
    TextFileContent content;
    const QString path = env.programFile(lines);
    if (path.isEmpty() || !readTextFile(path, &content).ok)
        return QString();
    return content.text;
}

// Resident memory of this process, in MB (Linux; 0 elsewhere).
double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

// One key as the user types it: press and release through the window's handlers,
// then the events that follow (painting).
void typeKey(QWidget *editor, int key, const QString &text)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QCoreApplication::sendEvent(editor, &press);
    QCoreApplication::sendEvent(editor, &release);
    QCoreApplication::processEvents();
}

struct TypingResult {
    QList<double> times;
    double memoryGrowthMb = 0;
};

// Types `count` characters into the middle of the program: words, blanks and
// now and then Enter, the way a line of code is typed.
TypingResult typeInto(MainWindow &window, int count)
{
    CodeEditor *editor = codeEditor(window);
    QTextCursor c(editor->document()->findBlockByNumber(editor->document()->blockCount() / 2));
    editor->setTextCursor(c);
    const QString line = QStringLiteral("print \"total\"; x\n");
    TypingResult r;
    // Warm the paths up once, then measure from a settled state.
    typeKey(editor, Qt::Key_A, QStringLiteral("a"));
    const double before = residentMb();
    for (int i = 0; i < count; ++i) {
        const QChar ch = line.at(i % line.size());
        const bool enter = ch == QLatin1Char('\n');
        const int key = enter ? int(Qt::Key_Return) : int(ch.toUpper().unicode());
        const QString text = enter ? QStringLiteral("\r") : QString(ch);
        r.times << TimeMs([&] { typeKey(editor, key, text); });
    }
    r.memoryGrowthMb = residentMb() - before;
    return r;
}
} // namespace

namespace {
// every: the colouring of the whole vocabulary (Options), else the classic one.
QList<BenchRow> openColour(BenchEnvironment &env, bool every)
{
    QList<BenchRow> rows;
    const QString metric = every ? QStringLiteral("open_colour_every_keyword") : QStringLiteral("open_colour");
    MainWindow window(env.services());
    window.start();
    editor(window).colouring().setEveryKeyword(every);
    for (const int lines : env.options().sizes) {
        const QString text = programText(env, lines);
        if (text.isEmpty()) {
            Warn("open_colour", lines, "the program could not be read");
            continue;
        }
        QList<double> times;
        for (int i = 0; i < env.options().runs; ++i) {
            editor(window).setText(QString());
            QCoreApplication::processEvents();
            times << TimeMs([&] {
                editor(window).setText(text);
                editor(window).parseAllLines();
                QCoreApplication::processEvents();
            });
        }
        rows << BenchRow{metric, lines, Median(times), QStringLiteral("ms")};
    }
    // The text was changed: a clean end takes its journal along, so that the
    // next window does not stop to offer it back.
    journal(window).close();
    return rows;
}
} // namespace

QList<BenchRow> MeasureOpenColour(BenchEnvironment &env)
{
    return openColour(env, false) + openColour(env, true);
}

QList<BenchRow> MeasureKeystrokesWithCheck(BenchEnvironment &env)
{
    QList<BenchRow> rows;
    const QString yabasic = QStandardPaths::findExecutable(QStringLiteral("yabasic"));
    if (yabasic.isEmpty()) {
        Warn("keystroke_check", 0, "yabasic is not installed: no syntax check to measure");
        return rows;
    }
    SettingsAccess settings(*env.services().settingsStore, env.services().appName);
    const QString before = settings.getSetting(AppSettings::Run, AppSettings::YABPath);
    settings.saveSetting(AppSettings::Run, AppSettings::YABPath, yabasic);
    for (const int lines : env.options().sizes) {
        const QString path = env.programFile(lines);
        if (path.isEmpty())
            continue;
        MainWindow window(env.services());
        openForTyping(window, path);
        CodeEditor *code = codeEditor(window);
        code->setTextCursor(QTextCursor(code->document()->findBlockByNumber(code->document()->blockCount() / 2)));
        // The window's own part of starting a check: taking the text and writing its copy.
        QList<double> starts;
        for (int i = 0; i < 5; ++i)
            starts << TimeMs([&] { run(window).checkSyntaxNow(); });
        // Typing in bursts with pauses long enough for the check to start, so that
        // the keys typed next meet a check running and its result arriving.
        QList<double> times;
        const QString line = QStringLiteral("print \"total\"; x\n");
        for (int burst = 0; burst < 5; ++burst) {
            QElapsedTimer pause;
            pause.start();
            while (pause.elapsed() < 600)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            for (int i = 0; i < 100; ++i) {
                const QChar ch = line.at(i % line.size());
                const bool enter = ch == QLatin1Char('\n');
                const int key = enter ? int(Qt::Key_Return) : int(ch.toUpper().unicode());
                const QString text = enter ? QStringLiteral("\r") : QString(ch);
                times << TimeMs([&] { typeKey(code, key, text); });
            }
        }
        rows << BenchRow{QStringLiteral("keystroke_check_p99"), lines, Percentile(times, 0.99), QStringLiteral("ms")};
        rows << BenchRow{QStringLiteral("syntax_check_start"), lines, Median(starts), QStringLiteral("ms")};
        // The typing is given up: no journal left for the next window to offer back.
        journal(window).close();
    }
    settings.saveSetting(AppSettings::Run, AppSettings::YABPath, before);
    return rows;
}

QList<BenchRow> MeasureLongLine(BenchEnvironment &env)
{
    // A program whose middle line holds about a megabyte: a data line of numbers.
    QTemporaryDir dir;
    QString program = QStringLiteral("print \"start\"\n");
    QString data = QStringLiteral("data 0");
    for (int i = 1; data.size() < 1024 * 1024; ++i)
        data += QLatin1Char(',') + QString::number(i);
    program += data + QStringLiteral("\nprint \"end\"\n");
    const QString path = dir.filePath(QStringLiteral("long.yab"));
    TextFileContent content;
    content.text = program;
    if (!dir.isValid() || !writeTextFile(path, content).ok)
        return {};
    MainWindow window(env.services());
    // The longest the window does not answer: opening, typing, leaving the line
    // (coloured again), pasting the line once more, and 1 s after.
    StallWatch stalls;
    openForTyping(window, path);
    CodeEditor *code = codeEditor(window);
    QTextCursor c(code->document()->findBlockByNumber(1));
    c.setPosition(c.position() + int(data.size() / 2));
    code->setTextCursor(c);
    QList<double> times;
    for (int i = 0; i < 100; ++i)
        times << TimeMs([&] { typeKey(code, Qt::Key_1, QStringLiteral("1")); });
    typeKey(code, Qt::Key_Up, QString());
    QCoreApplication::processEvents();
    QGuiApplication::clipboard()->setText(data);
    const double paste = TimeMs([&] {
        code->paste();
        QCoreApplication::processEvents();
    });
    {
        QEventLoop after;
        QTimer::singleShot(1000, &after, &QEventLoop::quit);
        after.exec();
    }
    const double freeze = stalls.longestMs();
    journal(window).close();
    return {BenchRow{QStringLiteral("keystroke_long_line_p50"), 1, Median(times), QStringLiteral("ms")},
            BenchRow{QStringLiteral("keystroke_long_line_p99"), 1, Percentile(times, 0.99), QStringLiteral("ms")},
            BenchRow{QStringLiteral("paste_long_line"), 1, paste, QStringLiteral("ms")},
            BenchRow{QStringLiteral("long_line_freeze"), 1, freeze, QStringLiteral("ms")}};
}

QList<BenchRow> MeasureKeystrokes(BenchEnvironment &env)
{
    QList<BenchRow> rows;
    for (const bool every : {false, true}) {
        const QString prefix = every ? QStringLiteral("keystroke_every_keyword") : QStringLiteral("keystroke");
        for (const int lines : env.options().sizes) {
            const QString path = env.programFile(lines);
            if (path.isEmpty())
                continue;
            // A fresh window per size, so that the history holds only this typing.
            MainWindow window(env.services());
            editor(window).colouring().setEveryKeyword(every);
            openForTyping(window, path);
            const TypingResult typed = typeInto(window, 500);
            if (editor(window).history().undoStack.count() < 400)
                Warn("keystroke", lines, "typing did not reach the history");
            rows << BenchRow{prefix + QStringLiteral("_p50"), lines, Median(typed.times), QStringLiteral("ms")};
            rows << BenchRow{prefix + QStringLiteral("_p99"), lines, Percentile(typed.times, 0.99), QStringLiteral("ms")};
            if (!every)
                rows << BenchRow{QStringLiteral("history_mem_500"), lines, typed.memoryGrowthMb, QStringLiteral("MB")};
            journal(window).close();
        }
    }
    return rows;
}

QList<BenchRow> MeasureKeystrokesJournalled(BenchEnvironment &env)
{
    QList<BenchRow> rows;
    for (const int lines : env.options().sizes) {
        const QString path = env.programFile(lines);
        QTemporaryDir journals;
        if (path.isEmpty() || !journals.isValid())
            continue;
        Services services = env.services();
        services.journalFolder = journals.path();
        MainWindow window(services);
        openForTyping(window, path);
        CodeEditor *code = codeEditor(window);
        code->setTextCursor(QTextCursor(code->document()->findBlockByNumber(code->document()->blockCount() / 2)));
        typeKey(code, Qt::Key_A, QStringLiteral("a"));
        // 500 keys, one every 7 ms: steady typing for 3.5 s, during which the
        // journal is written every second. Each key counts from the moment it
        // was due, so time the GUI thread spent on the journal just before it
        // (taking the snapshot, hearing that a write is done) is counted too.
        const QString line = QStringLiteral("print \"total\"; x\n");
        constexpr int Keys = 500;
        constexpr qint64 EveryNs = 7000000;
        QList<double> times;
        // The longest the window does not answer, while typing and for 5 s after.
        StallWatch stalls;
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < Keys; ++i) {
            const qint64 due = i * EveryNs;
            // Events go on while waiting (timers, the worker's word); the last
            // fraction of a millisecond is waited out exactly.
            if (const int waitMs = int((due - clock.nsecsElapsed()) / 1000000); waitMs > 0) {
                QEventLoop pause;
                QTimer::singleShot(waitMs, Qt::PreciseTimer, &pause, &QEventLoop::quit);
                pause.exec();
            }
            while (clock.nsecsElapsed() < due) {
            }
            const QChar ch = line.at(i % line.size());
            const bool enter = ch == QLatin1Char('\n');
            typeKey(code, enter ? int(Qt::Key_Return) : int(ch.toUpper().unicode()),
                    enter ? QStringLiteral("\r") : QString(ch));
            times << double(clock.nsecsElapsed() - due) / 1e6;
        }
        {
            QEventLoop after;
            QTimer::singleShot(5000, &after, &QEventLoop::quit);
            after.exec();
        }
        const double freeze = stalls.longestMs();
        if (clock.elapsed() < 3000)
            Warn("keystroke_journal", lines, "the typing took less than 3 s");
        if (!journal(window).hasJournal())
            Warn("keystroke_journal", lines, "no journal was written while typing");
        rows << BenchRow{QStringLiteral("keystroke_journal_p50"), lines, Median(times), QStringLiteral("ms")};
        rows << BenchRow{QStringLiteral("keystroke_journal_p99"), lines, Percentile(times, 0.99), QStringLiteral("ms")};
        rows << BenchRow{QStringLiteral("typing_freeze"), lines, freeze, QStringLiteral("ms")};
        journal(window).close();
    }
    return rows;
}

QList<BenchRow> MeasureScanThroughput(BenchEnvironment &env)
{
    QList<BenchRow> rows;
    for (const int lines : env.options().sizes) {
        const QString text = programText(env, lines);
        if (text.isEmpty())
            continue;
        const QList<QStringView> split = QStringView(text).split(QLatin1Char('\n'));
        const double mb = double(text.toUtf8().size()) / (1024.0 * 1024.0);
        for (const bool every : {false, true}) {
            size_t ranges = 0;
            QList<double> times;
            for (int i = 0; i < env.options().runs; ++i) {
                times << TimeMs([&] {
                    bool first = true;
                    std::vector<LineScanner::Range> found;
                    for (const QStringView line : split) {
                        if (every) {
                            ranges += YabasicLexer::scanLine(line, first).size();
                        } else {
                            LineScanner::scanLine(line, first, found);
                            ranges += found.size();
                        }
                        first = false;
                    }
                });
            }
            const double ms = Median(times);
            rows << BenchRow{every ? QStringLiteral("scan_throughput_every_keyword") : QStringLiteral("scan_throughput"),
                             lines, ms > 0 ? mb / (ms / 1000.0) : 0, QStringLiteral("MB/s")};
            if (ranges == 0)
                Warn("scan_throughput", lines, "the scanner found nothing to colour");
        }
    }
    return rows;
}

QList<BenchRow> MeasureSubsLabelsFull(BenchEnvironment &env)
{
    QList<BenchRow> rows;
    MainWindow window(env.services());
    window.start();
    for (const int lines : env.options().sizes) {
        const QString path = env.programFile(lines);
        if (path.isEmpty())
            continue;
        documents(window).loadStartupFile(path);
        QCoreApplication::processEvents();
        QList<double> times;
        for (int i = 0; i < env.options().runs; ++i)
            times << TimeMs([&] { subsAndLabels(window).updateSubsAndLabels(); });
        if (action(window, "viewDisableUpdating")->isChecked())
            Warn("subs_labels_full", lines, "the rebuild switched automatic updating off");
        rows << BenchRow{QStringLiteral("subs_labels_full"), lines, Median(times), QStringLiteral("ms")};
    }
    journal(window).close();
    return rows;
}
