#include "BenchEnvironment.h"
#include "Measurements.h"

#include "html/HtmlExport.h"
#include "html/core/HtmlPage.h"
#include "platform/core/TextFile.h"
#include "html/core/TightCode.h"

#include <QFile>
#include <QTemporaryDir>

namespace {
// The generated program as the editor holds it: CR LF between lines, no final break.
QString editorText(BenchEnvironment &env, int lines)
{
    TextFileContent content;
    const QString path = env.programFile(lines);
    if (path.isEmpty() || !readTextFile(path, &content).ok)
        return QString();
    return content.text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
}
} // namespace

QList<BenchRow> MeasureHtmlExport(BenchEnvironment &env)
{
    QList<BenchRow> rows;
    QTemporaryDir dir;
    if (!dir.isValid()) {
        Warn("html_export", 0, "no temporary folder");
        return rows;
    }
    const QString page = dir.filePath(QStringLiteral("page.html"));
    HtmlSettings settings;
    settings.htmlTitle = QStringLiteral("program.yab - Yabasic Code");
    settings.htmlDescription = QStringLiteral("A generated program");
    settings.htmlKeywords = QStringLiteral("yabasic, benchmark");
    for (const int lines : env.options().sizes) {
        const QString text = editorText(env, lines);
        if (text.isEmpty()) {
            Warn("html_export", lines, "the program could not be read");
            continue;
        }
        // What the export does after its dialogs: the temporary copy of the
        // text, the page made from it, the copy removed.
        QList<double> times;
        bool ok = true;
        for (int i = 0; i < env.options().runs; ++i) {
            times << TimeMs([&] {
                const HtmlTempSource temp(dir.path(), HtmlPage::encodeText(text + QStringLiteral("\r\n"), TextEncoding::Utf8));
                ok = ok && HtmlPage::createHTMLFile(page, temp.path(), settings.htmlTitle, settings).ok;
            });
        }
        if (!ok || QFile(page).size() < text.size())
            Warn("html_export", lines, "the page was not written");
        rows << BenchRow{QStringLiteral("html_export"), lines, Median(times), QStringLiteral("ms")};
    }
    return rows;
}

QList<BenchRow> MeasureTight(BenchEnvironment &env)
{
    QList<BenchRow> rows;
    QTemporaryDir dir;
    if (!dir.isValid()) {
        Warn("tight", 0, "no temporary folder");
        return rows;
    }
    const QString target = dir.filePath(QStringLiteral("tight.yab"));
    for (const int lines : env.options().sizes) {
        const QString text = editorText(env, lines);
        if (text.isEmpty()) {
            Warn("tight", lines, "the program could not be read");
            continue;
        }
        // Splitting, the rules and writing the file.
        QList<double> times;
        bool ok = true;
        for (int i = 0; i < env.options().runs; ++i) {
            times << TimeMs([&] {
                const QString tight = TightCode::tightProgram(text);
                ok = ok && writeWholeFileAtomic(target, HtmlPage::encodeText(tight, TextEncoding::Utf8)).ok;
            });
        }
        if (!ok)
            Warn("tight", lines, "the copy was not written");
        rows << BenchRow{QStringLiteral("tight"), lines, Median(times), QStringLiteral("ms")};
    }
    return rows;
}
