// vormeld-bench: generates Yabasic programs and measures how the workbench
// copes with them. See README.md beside this file.

#include "BenchEnvironment.h"
#include "Measurements.h"
#include "ProgramGenerator.h"
#include "Report.h"

#include <QApplication>
#include <QFile>
#include <QStringList>
#include <algorithm>
#include <cstdio>

namespace {

const char kUsage[] =
    "Usage: vormeld-bench [options]\n"
    "       vormeld-bench --generate LINES FILE [--seed N]\n"
    "\n"
    "Measures start-up and file opening of the workbench and prints a table.\n"
    "\n"
    "  --tsv              one line per figure: metric<TAB>lines<TAB>value<TAB>unit\n"
    "  --sizes LIST       program sizes in lines, e.g. 1000,10000 (default 1000,10000,100000)\n"
    "  --million          adds a program of 1,000,000 lines (about 24 MB) to the sizes\n"
    "  --runs N           runs per figure; the median is reported (default 5)\n"
    "  --only LIST        only these measurements, e.g. startup,open_file\n"
    "  --seed N           seed of the generated programs (default 1)\n"
    "  --list             the measurements and what they measure\n"
    "  --generate LINES FILE   write a generated program to FILE and stop\n"
    "\n"
    "Runs on the offscreen platform unless QT_QPA_PLATFORM is set.\n";

struct CommandLine {
    BenchOptions options;
    bool tsv = false;
    bool list = false;
    bool help = false;
    QStringList only;
    int generateLines = -1;
    QString generateFile;
    QString error;
};

// The offscreen platform's notes about what it cannot do (size hints, the
// runtime folder) would bury the table; everything else gets through.
QtMessageHandler g_defaultHandler = nullptr;

void FilterPlatformNotes(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (message.contains(QLatin1String("does not support propagateSizeHints"))
        || message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    g_defaultHandler(type, context, message);
}

bool ToPositive(const QString &text, int *out)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n <= 0)
        return false;
    *out = n;
    return true;
}

CommandLine parse(const QStringList &args)
{
    CommandLine c;
    for (int i = 1; i < args.size() && c.error.isEmpty(); ++i) {
        const QString &a = args.at(i);
        const auto value = [&](int ahead = 1) -> QString {
            if (i + ahead >= args.size()) {
                c.error = a + QStringLiteral(" needs a value");
                return QString();
            }
            return args.at(i + ahead);
        };
        if (a == QLatin1String("--tsv")) {
            c.tsv = true;
        } else if (a == QLatin1String("--list")) {
            c.list = true;
        } else if (a == QLatin1String("--help") || a == QLatin1String("-h")) {
            c.help = true;
        } else if (a == QLatin1String("--million")) {
            if (!c.options.sizes.contains(1000000))
                c.options.sizes << 1000000;
        } else if (a == QLatin1String("--sizes")) {
            c.options.sizes.clear();
            for (const QString &part : value().split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                int n = 0;
                if (!ToPositive(part.trimmed(), &n))
                    c.error = QStringLiteral("not a size: ") + part;
                c.options.sizes << n;
            }
            ++i;
        } else if (a == QLatin1String("--runs")) {
            if (!ToPositive(value(), &c.options.runs) && c.error.isEmpty())
                c.error = QStringLiteral("--runs needs a positive number");
            ++i;
        } else if (a == QLatin1String("--seed")) {
            bool ok = false;
            c.options.seed = value().toULongLong(&ok);
            if (!ok && c.error.isEmpty())
                c.error = QStringLiteral("--seed needs a number");
            ++i;
        } else if (a == QLatin1String("--only")) {
            c.only = value().split(QLatin1Char(','), Qt::SkipEmptyParts);
            ++i;
        } else if (a == QLatin1String("--generate")) {
            const QString lines = value(1);
            c.generateFile = value(2);
            if (c.error.isEmpty() && !ToPositive(lines, &c.generateLines))
                c.error = QStringLiteral("--generate needs a number of lines");
            i += 2;
        } else {
            c.error = QStringLiteral("unknown option: ") + a;
        }
    }
    for (const QString &name : std::as_const(c.only)) {
        const QList<Measurement> &all = AllMeasurements();
        if (std::none_of(all.begin(), all.end(), [&](const Measurement &m) { return m.name == name; }))
            c.error = QStringLiteral("no such measurement: ") + name;
    }
    return c;
}

int Generate(const CommandLine &c)
{
    const QByteArray bytes = ProgramGenerator(c.options.seed).fileBytes(c.generateLines);
    QFile file(c.generateFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        std::fprintf(stderr, "vormeld-bench: cannot write %s: %s\n",
                     qPrintable(c.generateFile), qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}

void List()
{
    for (const Measurement &m : AllMeasurements())
        std::printf("%-16s %s\n", qPrintable(m.name), qPrintable(m.description));
}

int RunMeasurements(const CommandLine &c)
{
    BenchEnvironment env(c.options);
    if (!env.isValid()) {
        std::fprintf(stderr, "vormeld-bench: %s\n", qPrintable(env.errorString()));
        return 1;
    }
    Report report(c.tsv, stdout);
    report.begin();
    for (const Measurement &m : AllMeasurements()) {
        if (!c.only.isEmpty() && !c.only.contains(m.name))
            continue;
        std::fprintf(stderr, "measuring %s ...\n", qPrintable(m.name));
        report.add(m.run(env));
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    g_defaultHandler = qInstallMessageHandler(FilterPlatformNotes);

    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    if (args.size() == 2 && args.at(1) == QLatin1String("--startup-child"))
        return RunStartupChild(argc, argv);

    const CommandLine c = parse(args);
    if (!c.error.isEmpty()) {
        std::fprintf(stderr, "vormeld-bench: %s\n\n%s", qPrintable(c.error), kUsage);
        return 2;
    }
    if (c.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (c.list) {
        List();
        return 0;
    }
    if (c.generateLines > 0)
        return Generate(c);

    QApplication app(argc, argv);
    return RunMeasurements(c);
}
