#include "BenchEnvironment.h"
#include "Measurements.h"

#include "app/MainWindow.h"
#include "support/WindowProbe.h"
#include "common/core/FileNames.h"
#include "platform/core/TextFile.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <cstdio>


QList<BenchRow> MeasureOpenFile(BenchEnvironment &env)
{
    MainWindow window(env.services());
    window.start();
    const QPlainTextEdit *code = codeEditor(window);

    QList<BenchRow> rows;
    for (const int lines : env.options().sizes) {
        const QString path = env.programFile(lines);
        if (path.isEmpty()) {
            Warn("open_file", lines, "the program could not be written");
            continue;
        }
        QList<double> times, freezes;
        bool ok = true;
        for (int i = 0; i < env.options().runs && ok; ++i) {
            // Each open starts from the state after start-up: the template shown.
            documents(window).loadTemplate();
            QCoreApplication::processEvents();
            StallWatch stalls;
            times << TimeMs([&] {
                documents(window).loadStartupFile(path);
                editor(window).parseAllLines();
                QCoreApplication::processEvents();
            });
            freezes << stalls.longestMs();
            if (ok && code->document()->blockCount() != lines) {
                Warn("open_file", lines, "the editor does not hold every line");
                ok = false;
            }
        }
        if (ok)
            rows << BenchRow{QStringLiteral("open_file"), lines, Median(times), QStringLiteral("ms")}
                 << BenchRow{QStringLiteral("open_freeze"), lines, Median(freezes), QStringLiteral("ms")};
        else
            Warn("open_file", lines, "the file did not open");
        // What Qt alone needs for the same text: a bare editor of the same size,
        // shown, given the text and painted once.
        TextFileContent content;
        if (!readTextFile(path, &content).ok)
            continue;
        QList<double> floor;
        for (int i = 0; i < env.options().runs; ++i) {
            QPlainTextEdit bare;
            bare.resize(code->size());
            bare.setLineWrapMode(code->lineWrapMode());
            bare.setFont(code->font());
            bare.show();
            QCoreApplication::processEvents();
            floor << TimeMs([&] {
                bare.setPlainText(content.text);
                bare.repaint();
                QCoreApplication::processEvents();
            });
        }
        rows << BenchRow{QStringLiteral("qt_floor_open"), lines, Median(floor), QStringLiteral("ms")};
    }
    return rows;
}

QList<BenchRow> MeasureReadDecode(BenchEnvironment &env)
{
    QList<BenchRow> rows;
    for (const int lines : env.options().sizes) {
        const QString path = env.programFile(lines);
        QList<double> times;
        bool ok = !path.isEmpty();
        for (int i = 0; i < env.options().runs && ok; ++i) {
            TextFileContent content;
            times << TimeMs([&] { ok = readTextFile(path, &content).ok; });
        }
        if (ok)
            rows << BenchRow{QStringLiteral("read_decode"), lines, Median(times), QStringLiteral("ms")};
        else
            Warn("read_decode", lines, "the file could not be read");
    }
    return rows;
}
