#include "BenchEnvironment.h"
#include "Measurements.h"
#include "Report.h"

#include "app/MainWindow.h"
#include "common/core/AppSettings.h"
#include "platform/core/SettingsStore.h"
#include "support/WindowProbe.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>

QList<BenchRow> MeasureOutputFlood(BenchEnvironment &env)
{
    QList<BenchRow> rows;
    const QString yabasic = QStandardPaths::findExecutable(QStringLiteral("yabasic"));
    if (yabasic.isEmpty()) {
        Warn("output_flood", 0, "yabasic is not installed");
        return rows;
    }
    SettingsAccess settings(*env.services().settingsStore, env.services().appName);
    const QString oldPath = settings.getSetting(AppSettings::Run, AppSettings::YABPath);
    const QString oldWhere = settings.getSetting(AppSettings::Run, AppSettings::RunWhere);
    settings.saveSetting(AppSettings::Run, AppSettings::YABPath, yabasic);
    settings.saveSetting(AppSettings::Run, AppSettings::RunWhere, int(AppSettings::RunInVormeld));
    const int lines = 1000000; // about 100 MB: a hundred characters a line
    MainWindow window(env.services());
    window.start();
    editor(window).setText(QStringLiteral("a$ = \"%1\"\nfor i = 1 to %2\n  print i, a$\nnext i\n")
                               .arg(QString(90, QLatin1Char('x')))
                               .arg(lines));
    // The window's responsiveness: the longest it does not answer while the program floods the pane.
    StallWatch stalls;
    QElapsedTimer clock;
    clock.start();
    run(window).runProgram();
    while (run(window).isRunning() && clock.elapsed() < 300000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    const double total = double(clock.elapsed());
    rows << BenchRow{QStringLiteral("output_flood_stall"), lines, stalls.longestMs(), QStringLiteral("ms")};
    rows << BenchRow{QStringLiteral("output_flood_total"), lines, total, QStringLiteral("ms")};
    // The program is given up: no journal left for the next window to offer back.
    journal(window).close();
    settings.saveSetting(AppSettings::Run, AppSettings::YABPath, oldPath);
    settings.saveSetting(AppSettings::Run, AppSettings::RunWhere, oldWhere);
    return rows;
}
