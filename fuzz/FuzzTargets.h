#pragma once

// Entry functions that feed one input to one reader of the program's own files
// and data. Used by the libFuzzer executables (fuzz/FuzzMain.cpp) and by the
// replay test of the normal suite (tests/fuzz/tst_fuzz_regressions.cpp).
//
// Every entry function ignores inputs over MaxInputSize, never touches the
// network or starts a process, removes the temporary files it makes and
// returns 0. A broken property (a result that the reader's contract rules
// out) is reported through the failure hook: by default it prints the reason
// and calls abort(), which libFuzzer takes as a crash; the replay test installs
// a hook that records the reason instead.

#include <QString>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace VormeldFuzz {

constexpr size_t MaxInputSize = 64 * 1024;

using FailureHook = void (*)(const char *target, const QString &reason);

// Installs a hook (nullptr: the default one, print and abort) and returns the old one.
FailureHook SetFailureHook(FailureHook hook);

// Reports a broken property of the target.
void Fail(const char *target, const QString &reason);

using EntryFunction = int (*)(const uint8_t *data, size_t size);

struct Target {
    const char *name; // also the folder name of its corpus and regression files
    EntryFunction entry;
};

// Every target, in a fixed order.
const std::vector<Target> &Targets();

// The target of that name, or null.
const Target *FindTarget(const QString &name);

} // namespace VormeldFuzz

// The entry functions, one per reader.
int FuzzSettingsStore(const uint8_t *data, size_t size);   // settings
int FuzzInterpreterKey(const uint8_t *data, size_t size);  // interpreter_key
int FuzzTextFile(const uint8_t *data, size_t size);        // textfile
int FuzzHotInfo(const uint8_t *data, size_t size);         // hotinfo
int FuzzCsvImport(const uint8_t *data, size_t size);       // csv
int FuzzDebugLog(const uint8_t *data, size_t size);        // debuglog
int FuzzCrashJournal(const uint8_t *data, size_t size);    // crashjournal
int FuzzJournalFolder(const uint8_t *data, size_t size);   // journalfolder
int FuzzToolbarLayout(const uint8_t *data, size_t size);   // toolbar
int FuzzLineScanner(const uint8_t *data, size_t size);     // linescanner
int FuzzSubsLabels(const uint8_t *data, size_t size);      // subslabels
int FuzzHtmlSettings(const uint8_t *data, size_t size);    // htmlsettings
