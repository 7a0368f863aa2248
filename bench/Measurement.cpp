#include "Measurement.h"

#include "Measurements.h"

#include <algorithm>
#include <cstdio>
#include <cmath>

const QList<Measurement> &AllMeasurements()
{
    // Start-up first: it wants the first window the process creates.
    static const QList<Measurement> all = {
        {QStringLiteral("startup"),
         QStringLiteral("main window constructed, shown and started, in this process"),
         MeasureStartup},
        {QStringLiteral("startup_process"),
         QStringLiteral("a new process, from its start until its first window has started"),
         MeasureStartupProcess},
        {QStringLiteral("open_file"),
         QStringLiteral("Opening a generated program on a shown window: read, show, colour and lay out; the longest the window does not answer meanwhile"),
         MeasureOpenFile},
        {QStringLiteral("read_decode"),
         QStringLiteral("reading and decoding the same file, without the editor"),
         MeasureReadDecode},
        {QStringLiteral("open_colour"),
         QStringLiteral("the whole text put into a shown editor and coloured (classic, then every keyword)"),
         MeasureOpenColour},
        {QStringLiteral("keystroke"),
         QStringLiteral("500 characters typed through the key handlers (classic colouring, then every keyword): median, 99th percentile, memory"),
         MeasureKeystrokes},
        {QStringLiteral("keystroke_long_line"),
         QStringLiteral("100 digits typed into the middle of a line of about a megabyte: median, 99th percentile; "
                        "pasting the line again; the longest the window does not answer meanwhile"),
         MeasureLongLine},
        {QStringLiteral("keystroke_journal"),
         QStringLiteral("500 characters typed steadily over 3.5 s with the crash journal on: median, 99th percentile"),
         MeasureKeystrokesJournalled},
        {QStringLiteral("keystroke_check"),
         QStringLiteral("keys typed while the syntax check runs in the background: 99th percentile, start cost"),
         MeasureKeystrokesWithCheck},
        {QStringLiteral("output_flood"),
         QStringLiteral("a million lines written into the output pane: longest stall of the window, whole run"),
         MeasureOutputFlood},
        {QStringLiteral("scan_throughput"),
         QStringLiteral("the line scanner, then the whole-vocabulary lexer, over every line of the program"),
         MeasureScanThroughput},
        {QStringLiteral("subs_labels_full"),
         QStringLiteral("the subroutine and label lists rebuilt from the whole text"),
         MeasureSubsLabelsFull},
        {QStringLiteral("html_export"),
         QStringLiteral("File > Save as Web Page after its dialogs: temporary copy, page made and written"),
         MeasureHtmlExport},
        {QStringLiteral("tight"),
         QStringLiteral("File > Save as Tight Code after its dialog: tight copy made and written"),
         MeasureTight},
    };
    return all;
}

void Warn(const char *metric, int lines, const char *what)
{
    std::fprintf(stderr, "%s %d: %s\n", metric, lines, what);
}

double Median(QList<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype n = values.size();
    return n % 2 ? values.at(n / 2) : (values.at(n / 2 - 1) + values.at(n / 2)) / 2;
}

double Percentile(QList<double> values, double share)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const qsizetype rank = qsizetype(std::ceil(share * double(values.size())));
    return values.at(std::clamp<qsizetype>(rank - 1, 0, values.size() - 1));
}
