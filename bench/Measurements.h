#pragma once

#include "Measurement.h"

// The measurements, one function each. A new figure is a function here and a
// line in AllMeasurements().

// startup_first, startup (ms): the main window built, shown and started.
QList<BenchRow> MeasureStartup(BenchEnvironment &env);
// startup_process (ms): a fresh process of this program until its first window has started.
QList<BenchRow> MeasureStartupProcess(BenchEnvironment &env);
// The child side of MeasureStartupProcess: builds the window, says "ready", ends.
int RunStartupChild(int argc, char **argv);

// open_file (ms, per size): a program opened on a shown window and coloured, then one round of events.
QList<BenchRow> MeasureOpenFile(BenchEnvironment &env);
// read_decode (ms, per size): ReadTextFile alone.
QList<BenchRow> MeasureReadDecode(BenchEnvironment &env);

// open_colour (ms, per size): the whole text put into a shown editor and coloured.
QList<BenchRow> MeasureOpenColour(BenchEnvironment &env);
// keystroke_p50, keystroke_p99 (ms) and history_mem_500 (MB, resident growth),
// per size: 500 characters typed through the window's key handlers.
QList<BenchRow> MeasureKeystrokes(BenchEnvironment &env);
// keystroke_long_line_p50, _p99 (ms): 100 digits typed into the middle of a
// line of about a megabyte (the size column shows 1: one such line).
QList<BenchRow> MeasureLongLine(BenchEnvironment &env);
// keystroke_journal_p50, keystroke_journal_p99 (ms, per size): 500 characters
// typed steadily over 3.5 s, with the crash journal written as they come; each
// from the moment the key was due to the end of its events. typing_freeze (ms):
// the longest the window did not answer during that typing and 5 s after it.
QList<BenchRow> MeasureKeystrokesJournalled(BenchEnvironment &env);
// keystroke_check_p99 (ms, per size): keys typed in bursts after pauses that let
// the syntax check start, so that they meet a running check and its result;
// syntax_check_start (ms): the window's own share of starting one check.
QList<BenchRow> MeasureKeystrokesWithCheck(BenchEnvironment &env);
// output_flood_stall (ms): the longest wait of a 10 ms timer while a program
// writes a million lines (about 100 MB) into the output pane;
// output_flood_total (ms): from F5 to the end of that run.
QList<BenchRow> MeasureOutputFlood(BenchEnvironment &env);
// scan_throughput (MB/s of UTF-8 text, per size): the line scanner over every line.
QList<BenchRow> MeasureScanThroughput(BenchEnvironment &env);
// subs_labels_full (ms, per size): both lists rebuilt from the whole text.
QList<BenchRow> MeasureSubsLabelsFull(BenchEnvironment &env);
// html_export (ms, per size): the web page made from the editor text (temporary
// copy, page generator, page written).
QList<BenchRow> MeasureHtmlExport(BenchEnvironment &env);
// tight (ms, per size): the tight copy made and written.
QList<BenchRow> MeasureTight(BenchEnvironment &env);
