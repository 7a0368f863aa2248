#include "BenchEnvironment.h"
#include "Measurements.h"

#include "app/MainWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <cstdio>

namespace {

const char *const kReady = "ready";

// Lets the deleted window's deferred deletions and pending events run.
void Settle()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// One start: construct, then start (which shows the window and lets it paint).
double OneStartup(Services &services)
{
    double ms = 0;
    {
        QElapsedTimer timer;
        timer.start();
        MainWindow window(services);
        window.start();
        ms = double(timer.nsecsElapsed()) / 1e6;
    }
    Settle();
    return ms;
}

} // namespace

QList<BenchRow> MeasureStartup(BenchEnvironment &env)
{
    // The first window pays for what the process does once: fonts, styles,
    // and the interpreter's version, which is asked of `yabasic --version`.
    const double first = OneStartup(env.services());
    QList<double> times;
    for (int i = 0; i < env.options().runs; ++i)
        times << OneStartup(env.services());
    return {
        {QStringLiteral("startup_first"), 0, first, QStringLiteral("ms")},
        {QStringLiteral("startup"), 0, Median(times), QStringLiteral("ms")},
    };
}

QList<BenchRow> MeasureStartupProcess(BenchEnvironment &env)
{
    QList<double> times;
    for (int i = 0; i < env.options().runs; ++i) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        QElapsedTimer timer;
        timer.start();
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--startup-child")});
        double ms = -1;
        while (child.waitForReadyRead(30000)) {
            if (child.readAll().contains(kReady)) {
                ms = double(timer.nsecsElapsed()) / 1e6;
                break;
            }
        }
        child.closeReadChannel(QProcess::StandardOutput);
        if (!child.waitForFinished(30000))
            child.kill();
        if (ms < 0) {
            std::fprintf(stderr, "startup_process: the child did not report\n");
            return {};
        }
        times << ms;
    }
    return {{QStringLiteral("startup_process"), 0, Median(times), QStringLiteral("ms")}};
}

int RunStartupChild(int argc, char **argv)
{
    // The settings folder and the platform come from the parent's environment.
    QApplication app(argc, argv);
    BenchServices services(QCoreApplication::applicationDirPath());
    MainWindow window(services.services());
    window.start();
    std::fputs(kReady, stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
    return 0;
}
