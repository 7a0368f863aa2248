#include "FuzzTargets.h"

#include "common/core/AppSettings.h"
#include "app/core/ToolbarLayout.h"
#include "documents/core/CrashJournal.h"
#include "documents/core/CsvImport.h"
#include "documents/core/JournalKeeper.h"
#include "documents/core/RecentFileList.h"
#include "editor/core/HotInfo.h"
#include "editor/core/LineScanner.h"
#include "html/core/HtmlSettingsFile.h"
#include "platform/core/InterpreterKey.h"
#include "platform/core/SettingsStore.h"
#include "platform/core/TextFile.h"
#include "run/core/DebugLog.h"
#include "search/core/SubsLabelsIndex.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <csignal>
#include <cerrno>

namespace VormeldFuzz {

namespace {
void defaultHook(const char *target, const QString &reason)
{
    std::fprintf(stderr, "\n*** vormeld fuzz target '%s': %s\n", target, reason.toUtf8().constData());
    std::fflush(stderr);
    std::abort();
}

FailureHook g_hook = defaultHook;
} // namespace

FailureHook SetFailureHook(FailureHook hook)
{
    const FailureHook old = g_hook;
    g_hook = hook ? hook : defaultHook;
    return old;
}

void Fail(const char *target, const QString &reason)
{
    g_hook(target, reason);
}

const std::vector<Target> &Targets()
{
    static const std::vector<Target> targets = {
        {"settings", FuzzSettingsStore},
        {"interpreter_key", FuzzInterpreterKey},
        {"textfile", FuzzTextFile},
        {"hotinfo", FuzzHotInfo},
        {"csv", FuzzCsvImport},
        {"debuglog", FuzzDebugLog},
        {"crashjournal", FuzzCrashJournal},
        {"journalfolder", FuzzJournalFolder},
        {"toolbar", FuzzToolbarLayout},
        {"linescanner", FuzzLineScanner},
        {"subslabels", FuzzSubsLabels},
        {"htmlsettings", FuzzHtmlSettings},
    };
    return targets;
}

const Target *FindTarget(const QString &name)
{
    for (const Target &t : Targets()) {
        if (name == QLatin1String(t.name))
            return &t;
    }
    return nullptr;
}

} // namespace VormeldFuzz

using VormeldFuzz::Fail;
using VormeldFuzz::MaxInputSize;

// Reports a broken property and leaves the entry function.
#define FUZZ_CHECK(target, cond, reason)                                                           \
    do {                                                                                           \
        if (!(cond)) {                                                                             \
            Fail(target, reason);                                                                  \
            return 0;                                                                              \
        }                                                                                          \
    } while (0)

namespace {

QByteArray inputBytes(const uint8_t *data, size_t size)
{
    return QByteArray(reinterpret_cast<const char *>(data), qsizetype(size));
}

// A short printable picture of a text for failure reasons.
QString show(const QString &s)
{
    QString out;
    for (const QChar c : s.left(80)) {
        const ushort u = c.unicode();
        if (u >= 0x20 && u < 0x7F && u != '\\')
            out += c;
        else
            out += QStringLiteral("\\u%1").arg(u, 4, 16, QLatin1Char('0'));
    }
    if (s.size() > 80)
        out += QStringLiteral("...(%1 chars)").arg(s.size());
    return QLatin1Char('"') + out + QLatin1Char('"');
}

QString show(const std::optional<QString> &s)
{
    return s ? show(*s) : QStringLiteral("(nothing)");
}

QString showBytes(const QByteArray &b)
{
    QString hex = QString::fromLatin1(b.left(48).toHex(' '));
    if (b.size() > 48)
        hex += QStringLiteral(" ...(%1 bytes)").arg(b.size());
    return QLatin1Char('[') + hex + QLatin1Char(']');
}

// Takes values one after another from the input; past its end every value is 0 or empty.
class Reader {
public:
    explicit Reader(const QByteArray &bytes) : m_b(bytes) {}
    bool atEnd() const { return m_pos >= m_b.size(); }
    quint8 byte() { return atEnd() ? 0 : quint8(m_b.at(m_pos++)); }
    quint64 number(int bytes)
    {
        quint64 v = 0;
        for (int i = 0; i < bytes; ++i)
            v = (v << 8) | byte();
        return v;
    }
    bool flag() { return byte() & 1; }
    // A piece whose length (at most maxLen) is given by the next byte.
    QByteArray piece(int maxLen = 255)
    {
        const qsizetype n = std::min<qsizetype>(qsizetype(byte()) % (maxLen + 1), m_b.size() - m_pos);
        const QByteArray out = m_b.mid(m_pos, n);
        m_pos += n;
        return out;
    }
    QByteArray rest()
    {
        const QByteArray out = m_b.mid(m_pos);
        m_pos = m_b.size();
        return out;
    }

private:
    QByteArray m_b;
    qsizetype m_pos = 0;
};

// A file in a folder of this process that is removed (with what QSettings may
// leave beside it) when it goes out of scope.
class ScratchFile {
public:
    ScratchFile(const QString &suffix, const QByteArray &contents)
    {
        static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/vormeld-fuzz-XXXXXX"));
        static quint64 counter = 0;
        // A new name for every input: QSettings keeps a cache of the files it read.
        m_path = dir.path() + QStringLiteral("/in-%1%2").arg(++counter).arg(suffix);
        QFile f(m_path);
        m_ok = dir.isValid() && f.open(QIODevice::WriteOnly) && f.write(contents) == contents.size();
        f.close();
    }
    ~ScratchFile()
    {
        QFile::remove(m_path);
        QFile::remove(m_path + QStringLiteral(".lock"));
    }
    ScratchFile(const ScratchFile &) = delete;
    ScratchFile &operator=(const ScratchFile &) = delete;

    const QString &path() const { return m_path; }
    bool ok() const { return m_ok; }

private:
    QString m_path;
    bool m_ok = false;
};

bool sameDate(const QDateTime &a, const QDateTime &b)
{
    if (!a.isValid() || !b.isValid())
        return a.isValid() == b.isValid();
    return a.toMSecsSinceEpoch() == b.toMSecsSinceEpoch();
}

QString describe(const JournalEntry &e)
{
    return QStringLiteral("{path %1, named %2, saved %3, exists %4, size %5, modified %6, sha1 %7, "
                          "encoding %8, linebreak %9, finalbreak %10, text %11}")
        .arg(show(e.originalPath))
        .arg(e.hasFileName)
        .arg(e.savedAt.toString(Qt::ISODateWithMs))
        .arg(e.disk.exists)
        .arg(e.disk.size)
        .arg(e.disk.modified.toString(Qt::ISODateWithMs))
        .arg(QString::fromLatin1(e.disk.hash.toHex()))
        .arg(e.encoding)
        .arg(e.lineBreak)
        .arg(e.finalBreak)
        .arg(show(e.text));
}

bool sameEntry(const JournalEntry &a, const JournalEntry &b)
{
    return a.originalPath == b.originalPath && a.hasFileName == b.hasFileName
           && sameDate(a.savedAt, b.savedAt) && a.disk == b.disk
           && sameDate(a.disk.modified, b.disk.modified) && a.encoding == b.encoding
           && a.lineBreak == b.lineBreak && a.finalBreak == b.finalBreak && a.text == b.text;
}

QString describe(const HtmlSettingsFields &f)
{
    return QStringLiteral("{title %1, description %2, keywords %3, side bar %4, box %5}")
        .arg(show(f.title), show(f.description), show(f.keywords), show(f.sideBarText))
        .arg(f.sideBarOn);
}

QString describe(const std::vector<SubsLabelsIndex::Entry> &list)
{
    QStringList parts;
    for (const SubsLabelsIndex::Entry &e : list)
        parts << QStringLiteral("%1:%2").arg(e.line).arg(show(e.display));
    return QLatin1Char('[') + parts.join(QStringLiteral(", ")) + QLatin1Char(']');
}

bool sameList(const std::vector<SubsLabelsIndex::Entry> &a, const std::vector<SubsLabelsIndex::Entry> &b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](const SubsLabelsIndex::Entry &x, const SubsLabelsIndex::Entry &y) {
                          return x.line == y.line && x.display == y.display;
                      });
}

QStringList displays(const std::vector<SubsLabelsIndex::Entry> &list)
{
    QStringList out;
    for (const SubsLabelsIndex::Entry &e : list)
        out << e.display;
    return out;
}

} // namespace

// ---------------------------------------------------------------------------
// settings: the per-user INI file, read by every reader of the program, then
// written and read back.
int FuzzSettingsStore(const uint8_t *data, size_t size)
{
    static const char *T = "settings";
    if (size > MaxInputSize)
        return 0;
    const QByteArray bytes = inputBytes(data, size);
    ScratchFile file(QStringLiteral(".ini"), bytes);
    if (!file.ok())
        return 0;
    IniSettingsStore store(file.path());
    SettingsAccess s(store, QStringLiteral("vormeld"));

    // Every typed reader over whatever the file holds.
    AppSettings::readFirstDone(s);
    AppSettings::showLangHelpAtStart(s);
    AppSettings::showDrawPadAtStart(s);
    AppSettings::showTipsAtStart(s);
    AppSettings::readAutoIndent(s);
    AppSettings::readInfoLevel(s);
    AppSettings::readGeoString(s);
    AppSettings::readYABPath(s);
    AppSettings::readTempPath(s);
    parseToolbarLayout(s.getSetting(AppSettings::Toolbar, AppSettings::Toolbar1));
    RecentFileList recent;
    recent.loadRecentFiles(s, AppSettings::MostRecent);
    // The conversions keep to their ranges.
    if (const auto stored = s.stored(AppSettings::Run, AppSettings::InfoLevel)) {
        if (const auto n = AppSettings::toNumber(*stored))
            FUZZ_CHECK(T, std::isfinite(*n), QStringLiteral("ToNumber gave a value that is not finite"));
    }

    // A value that the program writes (a path the user typed) comes back as
    // written, and the other values of the file stay as they were.
    const QString geoBefore = AppSettings::readGeoString(s);
    const QString tempBefore = AppSettings::readTempPath(s);
    const QString value = QString::fromUtf8(bytes.left(2048));
    if (store.setValue(QStringLiteral("vormeld"), AppSettings::Run, AppSettings::YABPath, value)) {
        IniSettingsStore fresh(file.path());
        SettingsAccess again(fresh, QStringLiteral("vormeld"));
        const std::optional<QString> back = again.stored(AppSettings::Run, AppSettings::YABPath);
        FUZZ_CHECK(T, back && *back == value,
                   QStringLiteral("wrote YABPath %1, read back %2").arg(show(value), show(back)));
        FUZZ_CHECK(T, AppSettings::readGeoString(again) == geoBefore,
                   QStringLiteral("writing YABPath changed GeoString from %1 to %2")
                       .arg(show(geoBefore), show(AppSettings::readGeoString(again))));
        FUZZ_CHECK(T, AppSettings::readTempPath(again) == tempBefore,
                   QStringLiteral("writing YABPath changed TempPath from %1 to %2")
                       .arg(show(tempBefore), show(AppSettings::readTempPath(again))));

        // The recent files survive a save and a load.
        recent.addRecentFile(value);
        recent.saveRecentFiles(again, AppSettings::MostRecent);
        RecentFileList loaded;
        loaded.loadRecentFiles(again, AppSettings::MostRecent);
        for (int i = 0; i < RecentFileList::Size; ++i) {
            FUZZ_CHECK(T, loaded.at(i) == recent.at(i),
                       QStringLiteral("recent file %1 saved as %2, loaded as %3")
                           .arg(i)
                           .arg(show(recent.at(i)), show(loaded.at(i))));
        }
    }
    return 0;
}

// ---------------------------------------------------------------------------
// interpreter_key: the INI stand-in of the interpreter's key, with no
// interpreter installed, and the parsers of the interpreter's output.
int FuzzInterpreterKey(const uint8_t *data, size_t size)
{
    static const char *T = "interpreter_key";
    if (size > MaxInputSize)
        return 0;
    const QByteArray bytes = inputBytes(data, size);
    ScratchFile file(QStringLiteral(".ini"), bytes);
    if (!file.ok())
        return 0;
    static bool ran = false;
    ran = false;
    // No interpreter: the runner must never be called (and never runs anything).
    InstalledInterpreterProbe probe(QString(), [](const QString &, const QStringList &) {
        ran = true;
        return std::optional<QString>();
    });
    IniInterpreterKey key(file.path(), probe);
    for (const char *name : {"path", "version", "librarypath", "Path", "VERSION", "LibraryPath", "other"})
        key.readValue(QString::fromLatin1(name));
    FUZZ_CHECK(T, !ran, QStringLiteral("the probe without an interpreter tried to run one"));

    const QString value = QString::fromUtf8(bytes.left(1024));
    if (key.writeValue(QStringLiteral("path"), value)) {
        IniInterpreterKey again(file.path(), probe);
        const std::optional<QString> back = again.readValue(QStringLiteral("path"));
        FUZZ_CHECK(T, back && *back == value,
                   QStringLiteral("wrote path %1, read back %2").arg(show(value), show(back)));
    }
    FUZZ_CHECK(T, !ran, QStringLiteral("the probe without an interpreter tried to run one"));

    // What an interpreter might print.
    const QString output = decodeBytes(bytes);
    if (const auto v = InstalledInterpreterProbe::parseVersion(output)) {
        static const QRegularExpression shape(QStringLiteral("^\\d+(\\.\\d+)+$"));
        FUZZ_CHECK(T, shape.match(*v).hasMatch(),
                   QStringLiteral("parseVersion gave %1, not a version").arg(show(*v)));
    }
    if (const auto p = InstalledInterpreterProbe::parseLibraryPath(output)) {
        FUZZ_CHECK(T, p->endsWith(QLatin1Char('/')) || p->endsWith(QLatin1Char('\\')),
                   QStringLiteral("parseLibraryPath gave %1 without a trailing separator").arg(show(*p)));
        FUZZ_CHECK(T, !p->contains(QLatin1Char('\n')) && !p->contains(QLatin1Char('\r')),
                   QStringLiteral("parseLibraryPath gave %1 with a line break").arg(show(*p)));
    }
    return 0;
}

// ---------------------------------------------------------------------------
// textfile: decoding a file and writing it back.
int FuzzTextFile(const uint8_t *data, size_t size)
{
    static const char *T = "textfile";
    if (size > MaxInputSize)
        return 0;
    const QByteArray bytes = inputBytes(data, size);

    // Bytes to text and back give the same bytes, in the encoding that was found.
    TextEncoding found = TextEncoding::Utf8;
    const QString whole = decodeBytes(bytes, &found);
    const QByteArray wholeBack = found == TextEncoding::Utf8 ? whole.toUtf8() : whole.toLatin1();
    FUZZ_CHECK(T, wholeBack == bytes,
               QStringLiteral("DecodeBytes (%1) does not keep the bytes %2: gives back %3")
                   .arg(found == TextEncoding::Utf8 ? "UTF-8" : "Latin-1", showBytes(bytes),
                        showBytes(wholeBack)));

    const TextFileContent c = decodeTextFile(bytes);
    FUZZ_CHECK(T, c.encoding == found, QStringLiteral("DecodeTextFile and DecodeBytes disagree on the encoding"));
    FUZZ_CHECK(T, !c.text.contains(QLatin1Char('\r')),
               QStringLiteral("decoded text still holds a CR: %1").arg(showBytes(bytes)));

    QByteArray out;
    QChar bad;
    FUZZ_CHECK(T, encodeTextFile(c, &out, &bad),
               QStringLiteral("text decoded from %1 cannot be encoded back (character U+%2)")
                   .arg(showBytes(bytes))
                   .arg(bad.unicode(), 4, 16, QLatin1Char('0')));
    if (!c.mixedBreaks) {
        FUZZ_CHECK(T, out == bytes,
                   QStringLiteral("decode then encode changed the bytes %1 into %2")
                       .arg(showBytes(bytes), showBytes(out)));
    } else {
        // Mixed breaks are made one style; that result is then kept as it is.
        const TextFileContent again = decodeTextFile(out);
        FUZZ_CHECK(T, !again.mixedBreaks && again.text == c.text && again.finalBreak == c.finalBreak
                          && again.lineBreak == c.lineBreak && again.encoding == c.encoding,
                   QStringLiteral("mixed breaks of %1 normalised to %2 do not read back the same")
                       .arg(showBytes(bytes), showBytes(out)));
    }

    // Text as the editor may hold it (any UTF-16, '\n' between lines) written in
    // a chosen style: either the first character that cannot be written is
    // named and nothing is written, or the file reads back as the text.
    Reader r(bytes);
    TextFileContent w;
    const quint8 mode = r.byte();
    w.encoding = (mode & 1) ? TextEncoding::Latin1 : TextEncoding::Utf8;
    w.lineBreak = LineBreakStyle((mode >> 1) % 3);
    w.finalBreak = mode & 8;
    const QByteArray raw = r.rest();
    for (qsizetype i = 0; i + 1 < raw.size(); i += 2)
        w.text += QChar(char16_t(quint8(raw.at(i)) | (quint8(raw.at(i + 1)) << 8)));
    w.text.remove(QLatin1Char('\r'));
    QByteArray written = "untouched";
    QChar first;
    if (!encodeTextFile(w, &written, &first)) {
        FUZZ_CHECK(T, written == "untouched", QStringLiteral("a failed encode wrote to its output"));
        const bool unwritable = w.encoding == TextEncoding::Latin1 ? first.unicode() > 0xFF
                                                                    : first.isSurrogate();
        FUZZ_CHECK(T, unwritable && w.text.contains(first),
                   QStringLiteral("encode failed naming U+%1, which the encoding can hold or the text lacks")
                       .arg(first.unicode(), 4, 16, QLatin1Char('0')));
    } else {
        const TextFileContent back = decodeTextFile(written);
        // Latin-1 bytes that happen to be valid UTF-8 are read as UTF-8: only
        // compare when the encoding is recognised.
        // A text ending in '\n' without a final break and the same text with
        // one break less and a final break are the same file.
        const auto withFinal = [](const TextFileContent &c) {
            return c.finalBreak ? c.text + QLatin1Char('\n') : c.text;
        };
        if (back.encoding == w.encoding) {
            FUZZ_CHECK(T, withFinal(back) == withFinal(w) && !back.mixedBreaks,
                       QStringLiteral("text %1 (final break %2) written as %3 reads back as %4 (final break %5)")
                           .arg(show(w.text))
                           .arg(w.finalBreak)
                           .arg(showBytes(written), show(back.text))
                           .arg(back.finalBreak));
            if (w.text.contains(QLatin1Char('\n')) || w.finalBreak)
                FUZZ_CHECK(T, back.lineBreak == w.lineBreak,
                           QStringLiteral("line break style not kept for %1").arg(showBytes(written)));
        } else {
            FUZZ_CHECK(T, w.encoding == TextEncoding::Latin1,
                       QStringLiteral("text written as UTF-8 %1 reads back as Latin-1").arg(showBytes(written)));
        }
    }
    return 0;
}

// ---------------------------------------------------------------------------
// hotinfo: the hint table file and the look-up while typing.
int FuzzHotInfo(const uint8_t *data, size_t size)
{
    static const char *T = "hotinfo";
    if (size > MaxInputSize)
        return 0;
    const QString text = decodeBytes(inputBytes(data, size));
    const HotInfoTable table = HotInfoTable::parse(text);
    const int n = int(table.entries().size());
    FUZZ_CHECK(T, n <= HotInfoTable::Capacity, QStringLiteral("%1 entries past the capacity").arg(n));
    FUZZ_CHECK(T, table.ignoredRecords() >= 0, QStringLiteral("negative count of ignored records"));
    FUZZ_CHECK(T, table.ignoredRecords() == 0 || n == HotInfoTable::Capacity,
               QStringLiteral("records ignored while the table has room"));

    QStringList tails;
    for (int i = 0; i < std::min(n, 32); ++i) {
        const HotInfoEntry &e = table.entries()[size_t(i)];
        tails << (QStringLiteral("          ") + e.Word).right(10) << e.Word << e.text.left(12);
    }
    for (qsizetype k = 0; k < std::min<qsizetype>(text.size(), 64); k += 7)
        tails << text.mid(k, 10 + k % 5);
    for (const QString &tail : std::as_const(tails)) {
        const int found = table.lookup(tail);
        FUZZ_CHECK(T, found >= -1 && found < n,
                   QStringLiteral("Lookup(%1) gave %2 of %3 entries").arg(show(tail)).arg(found).arg(n));
        if (tail.size() < 10)
            FUZZ_CHECK(T, found == -1, QStringLiteral("a hint for a tail shorter than ten characters"));
        if (found >= 0) {
            const HotInfoEntry &e = table.entries()[size_t(found)];
            const QString upper = tail.right(10).toUpper();
            FUZZ_CHECK(T, !e.Word.isEmpty() && e.Length >= 0 && upper.right(e.Length) == e.Word,
                       QStringLiteral("Lookup(%1) chose entry %2 (%3, %4), which does not match")
                           .arg(show(tail))
                           .arg(found)
                           .arg(show(e.Word))
                           .arg(e.Length));
        }
    }
    return 0;
}

// ---------------------------------------------------------------------------
// csv: a CSV file turned into DATA lines.
int FuzzCsvImport(const uint8_t *data, size_t size)
{
    static const char *T = "csv";
    if (size > MaxInputSize)
        return 0;
    const QString csv = decodeBytes(inputBytes(data, size));
    const QString out = csvToDataLines(csv);

    // The lines end at CR LF or a lone CR; a lone LF stays in its line.
    QString joined = csv;
    joined.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    QStringList lines = joined.split(QLatin1Char('\r'));
    if (lines.last().isEmpty())
        lines.removeLast();
    QString expected;
    for (const QString &l : std::as_const(lines))
        expected += QStringLiteral("DATA ") + l + QLatin1Char('\n');
    FUZZ_CHECK(T, out == expected,
               QStringLiteral("CsvToDataLines(%1) gave %2, not %3").arg(show(csv), show(out), show(expected)));
    FUZZ_CHECK(T, !out.contains(QLatin1Char('\r')), QStringLiteral("a CR left in the DATA lines"));
    return 0;
}

// ---------------------------------------------------------------------------
// debuglog: the debug log file, whole and cut to its end.
int FuzzDebugLog(const uint8_t *data, size_t size)
{
    static const char *T = "debuglog";
    if (size > MaxInputSize)
        return 0;
    const QByteArray bytes = inputBytes(data, size);
    ScratchFile file(QStringLiteral(".dbg"), bytes);
    if (!file.ok())
        return 0;

    const DebugLog::Contents whole = DebugLog::read(file.path());
    FUZZ_CHECK(T, whole.ok && !whole.shortened, QStringLiteral("a small log was not read whole"));
    FUZZ_CHECK(T, whole.text == decodeBytes(bytes),
               QStringLiteral("the log %1 was read as %2").arg(showBytes(bytes), show(whole.text)));

    const qint64 limit = size == 0 ? 1 : 1 + qint64(data[0] % 64);
    const DebugLog::Contents cut = DebugLog::read(file.path(), limit);
    FUZZ_CHECK(T, cut.ok, QStringLiteral("the log could not be read with a limit of %1").arg(limit));
    FUZZ_CHECK(T, cut.shortened == (qint64(size) > limit),
               QStringLiteral("shortened is %1 for %2 bytes and a limit of %3").arg(cut.shortened).arg(size).arg(limit));
    if (!cut.shortened) {
        FUZZ_CHECK(T, cut.text == whole.text, QStringLiteral("a log within the limit read differently"));
    } else {
        const qsizetype noteEnd = cut.text.indexOf(QLatin1Char('\n'));
        FUZZ_CHECK(T, cut.text.startsWith(QStringLiteral("[The debug log holds")) && noteEnd > 0,
                   QStringLiteral("a shortened log has no note in front"));
        // What follows the note is the end of the log, from a whole line on where there is one.
        const QByteArray tail = bytes.right(limit);
        const QString shown = cut.text.mid(noteEnd + 1);
        const qsizetype nl = tail.indexOf('\n');
        const QByteArray expected = nl >= 0 && nl + 1 < tail.size() ? tail.mid(nl + 1) : tail;
        FUZZ_CHECK(T, shown == decodeBytes(expected),
                   QStringLiteral("the end of %1 with a limit of %2 was shown as %3")
                       .arg(showBytes(bytes))
                       .arg(limit)
                       .arg(show(shown)));
    }

    const ScratchFile none(QStringLiteral(".none"), QByteArray());
    QFile::remove(none.path());
    FUZZ_CHECK(T, !DebugLog::read(none.path()).ok, QStringLiteral("a missing log read as present"));
    return 0;
}

// ---------------------------------------------------------------------------
// crashjournal: a journal read back, and journals built from the input
// written and read back.
int FuzzCrashJournal(const uint8_t *data, size_t size)
{
    static const char *T = "crashjournal";
    if (size > MaxInputSize)
        return 0;
    const QByteArray bytes = inputBytes(data, size);

    if (const std::optional<JournalEntry> e = CrashJournal::parse(bytes)) {
        const QByteArray again = CrashJournal::serialize(*e);
        const std::optional<JournalEntry> e2 = CrashJournal::parse(again);
        FUZZ_CHECK(T, e2.has_value(),
                   QStringLiteral("the journal read from %1 is written as %2, which does not read")
                       .arg(showBytes(bytes), showBytes(again)));
        FUZZ_CHECK(T, sameEntry(*e, *e2),
                   QStringLiteral("the journal read from %1 is %2; written and read again %3")
                       .arg(showBytes(bytes), describe(*e), describe(*e2)));
        FUZZ_CHECK(T, CrashJournal::serialize(*e2) == again,
                   QStringLiteral("a journal is not written the same twice"));
    }

    // A journal as the program writes one, with its fields taken from the input.
    Reader r(bytes);
    JournalEntry e;
    const quint8 flags = r.byte();
    e.hasFileName = flags & 1;
    e.disk.exists = flags & 2;
    e.finalBreak = flags & 4;
    // Times from 1970 to 2100, to the millisecond, or none.
    const qint64 span = qint64(4102444800000);
    if (!(flags & 8))
        e.savedAt = QDateTime::fromMSecsSinceEpoch(qint64(r.number(6) % quint64(span)), Qt::UTC);
    if (!(flags & 16))
        e.disk.modified = QDateTime::fromMSecsSinceEpoch(qint64(r.number(6) % quint64(span)), Qt::UTC);
    e.disk.size = qint64(r.number(8));
    e.encoding = r.byte() % 2;
    e.lineBreak = r.byte() % 3;
    if (flags & 32)
        e.disk.hash = r.piece(20);
    e.originalPath = QString::fromUtf8(r.piece());
    e.text = QString::fromUtf8(r.rest());
    const QByteArray written = CrashJournal::serialize(e);
    const std::optional<JournalEntry> back = CrashJournal::parse(written);
    FUZZ_CHECK(T, back.has_value(),
               QStringLiteral("the journal %1 is written as %2, which does not read").arg(describe(e), showBytes(written)));
    FUZZ_CHECK(T, sameEntry(e, *back),
               QStringLiteral("the journal %1 reads back as %2").arg(describe(e), describe(*back)));

    // A journal cut short is never taken for a whole one.
    if (!written.isEmpty()) {
        const qsizetype cut = qsizetype(flags) * written.size() / 256;
        FUZZ_CHECK(T, !CrashJournal::parse(written.left(cut)).has_value(),
                   QStringLiteral("the journal %1 cut to %2 of %3 bytes still reads")
                       .arg(describe(e))
                       .arg(cut)
                       .arg(written.size()));
    }
    return 0;
}

// ---------------------------------------------------------------------------
// journalfolder: the journal folder read at start-up, with lock files of any
// contents beside the journals.
namespace {
// A scratch folder of this process, removed with all it holds.
class ScratchFolder {
public:
    ScratchFolder()
    {
        static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/vormeld-fuzz-XXXXXX"));
        static quint64 counter = 0;
        m_path = dir.path() + QStringLiteral("/folder-%1").arg(++counter);
        m_ok = dir.isValid() && QDir().mkpath(m_path);
    }
    ~ScratchFolder() { QDir(m_path).removeRecursively(); }
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    QString file(const QString &name) const { return m_path + QLatin1Char('/') + name; }
    const QString &path() const { return m_path; }
    bool ok() const { return m_ok; }

private:
    QString m_path;
    bool m_ok = false;
};

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Whether a lock file may belong to a program that still runs, read as
// leniently as possible: a pid line (as written, or with its last character cut
// off as QLockFile reads one without a final break) naming a live process of
// this boot, or a lock of another machine, which cannot be checked from here.
// A lock that holds no usable process number belongs to no running program.
bool mayBeLive(const QByteArray &lock)
{
    QList<QByteArray> lines = lock.split('\n');
    for (QByteArray &l : lines)
        l = l.trimmed();
    const QByteArray host = lines.value(2);
    if (!host.isEmpty() && host != QSysInfo::machineHostName().toUtf8())
        return true;
    const QByteArray hostId = lines.value(3);
    if (!hostId.isEmpty() && hostId != QSysInfo::machineUniqueId())
        return true;
    const QByteArray bootId = lines.value(4);
    if (!bootId.isEmpty() && bootId != QSysInfo::bootUniqueId())
        return false; // written before the machine started: nothing of it runs
    const QByteArray firstLine = lock.left(lock.indexOf('\n') < 0 ? lock.size() : lock.indexOf('\n'));
    for (const QByteArray &candidate : {lines.value(0), firstLine.chopped(firstLine.isEmpty() ? 0 : 1).trimmed()}) {
        bool ok = false;
        const qint64 pid = candidate.toLongLong(&ok);
        if (ok && pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM))
            return true;
    }
    return false;
}
} // namespace

int FuzzJournalFolder(const uint8_t *data, size_t size)
{
    static const char *T = "journalfolder";
    if (size > MaxInputSize)
        return 0;
    const QByteArray bytes = inputBytes(data, size);
    Reader r(bytes);
    const quint8 flags = r.byte();
    const QByteArray lockBytes = r.piece();
    const QByteArray other = r.piece();
    ScratchFolder folder;
    if (!folder.ok())
        return 0;

    // A journal as the program writes one, and maybe a lock file beside it.
    JournalEntry e;
    e.originalPath = QStringLiteral("/home/ann/yab/game.yab");
    e.hasFileName = true;
    e.savedAt = QDateTime::fromMSecsSinceEpoch(qint64(1700000000000) + flags, Qt::UTC);
    e.text = QString::fromUtf8(r.rest());
    const QString journal = folder.file(QStringLiteral("journal-4242-0badcafe.yjn"));
    const bool withLock = flags & 1;
    if (!writeFile(journal, CrashJournal::serialize(e))
        || (withLock && !writeFile(journal + QStringLiteral(".lock"), lockBytes)))
        return 0;
    if (withLock) {
        // Left behind by an earlier run: by the time a new start looks, the lock is
        // old (a lock made moments ago may still be being written by its owner).
        QFile lock(journal + QStringLiteral(".lock"));
        if (!lock.open(QIODevice::ReadWrite)
            || !lock.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime))
            return 0;
    }
    // Another file of the folder, a journal or not, with no lock.
    const QString otherPath = folder.file(QStringLiteral("journal-1-00000001.yjn"));
    if ((flags & 2) && !writeFile(otherPath, other))
        return 0;
    const std::optional<JournalEntry> otherEntry = (flags & 2) ? CrashJournal::parse(other) : std::nullopt;

    {
        const std::vector<JournalKeeper::Orphan> orphans = JournalKeeper::findOrphans(folder.path());
        const auto mine = std::find_if(orphans.begin(), orphans.end(),
                                       [&](const JournalKeeper::Orphan &o) { return o.path == journal; });
        const bool otherOffered = std::any_of(orphans.begin(), orphans.end(),
                                              [&](const JournalKeeper::Orphan &o) { return o.path == otherPath; });
        FUZZ_CHECK(T, orphans.size() <= 2, QStringLiteral("more journals offered than the folder holds"));
        if (!withLock || !mayBeLive(lockBytes)) {
            FUZZ_CHECK(T, mine != orphans.end(),
                       withLock ? QStringLiteral("a journal whose lock file holds %1 (no running program) is never offered")
                                      .arg(showBytes(lockBytes))
                                : QStringLiteral("a journal without a lock file is not offered"));
        }
        if (mine != orphans.end())
            FUZZ_CHECK(T, sameEntry(mine->entry, e),
                       QStringLiteral("the journal %1 is offered as %2").arg(describe(e), describe(mine->entry)));
        FUZZ_CHECK(T, otherOffered == otherEntry.has_value(),
                   QStringLiteral("the file %1 is %2 offered").arg(showBytes(other), otherOffered ? "" : "not"));
        for (size_t i = 1; i < orphans.size(); ++i)
            FUZZ_CHECK(T, !(orphans[i - 1].entry.savedAt < orphans[i].entry.savedAt),
                       QStringLiteral("the journals are not offered newest first"));

        // While they are offered here, nobody else offers them.
        const std::vector<JournalKeeper::Orphan> twice = JournalKeeper::findOrphans(folder.path());
        FUZZ_CHECK(T, twice.empty(), QStringLiteral("a journal on offer was offered a second time"));
    }
    // Released, they are there for the next start, and a removed one is gone.
    const std::vector<JournalKeeper::Orphan> again = JournalKeeper::findOrphans(folder.path());
    for (const JournalKeeper::Orphan &o : again)
        JournalKeeper::removeOrphan(o);
    for (const JournalKeeper::Orphan &o : again) {
        FUZZ_CHECK(T, !QFileInfo::exists(o.path) && !QFileInfo::exists(o.path + QStringLiteral(".lock")),
                   QStringLiteral("a removed journal or its lock is still there"));
    }
    return 0;
}

// ---------------------------------------------------------------------------
// toolbar: the stored toolbar layout.
int FuzzToolbarLayout(const uint8_t *data, size_t size)
{
    static const char *T = "toolbar";
    if (size > MaxInputSize)
        return 0;
    const QString stored = decodeBytes(inputBytes(data, size));
    const QStringList layout = parseToolbarLayout(stored);

    QSet<QString> seen;
    for (qsizetype i = 0; i < layout.size(); ++i) {
        const QString &entry = layout.at(i);
        if (entry == ToolbarSeparator) {
            FUZZ_CHECK(T, i > 0 && i + 1 < layout.size(),
                       QStringLiteral("a separator at an end of %1").arg(show(layout.join(','))));
            FUZZ_CHECK(T, layout.at(i - 1) != ToolbarSeparator,
                       QStringLiteral("two separators in a row in %1").arg(show(layout.join(','))));
        } else {
            FUZZ_CHECK(T, findToolbarButton(entry) != nullptr,
                       QStringLiteral("unknown button %1 kept").arg(show(entry)));
            FUZZ_CHECK(T, !seen.contains(entry), QStringLiteral("button %1 repeated").arg(show(entry)));
            seen.insert(entry);
        }
    }
    // The stored form of a layout gives the same layout.
    FUZZ_CHECK(T, parseToolbarLayout(serializeToolbarLayout(layout)) == layout,
               QStringLiteral("layout %1 does not survive its stored form").arg(show(layout.join(','))));
    FUZZ_CHECK(T, tidyToolbarLayout(layout) == layout, QStringLiteral("a tidy layout is tidied differently"));
    // The buttons left out and those in the layout are all the buttons, once each.
    const QStringList available = availableToolbarButtons(layout);
    FUZZ_CHECK(T, qsizetype(seen.size()) + available.size() == qsizetype(mainToolbarButtons().size()),
               QStringLiteral("%1 buttons in the layout and %2 available of %3")
                   .arg(seen.size())
                   .arg(available.size())
                   .arg(mainToolbarButtons().size()));
    for (const QString &k : available)
        FUZZ_CHECK(T, !seen.contains(k), QStringLiteral("button %1 both placed and available").arg(show(k)));
    return 0;
}

// ---------------------------------------------------------------------------
// linescanner: the colouring of every line of a program.
int FuzzLineScanner(const uint8_t *data, size_t size)
{
    static const char *T = "linescanner";
    if (size > MaxInputSize)
        return 0;
    const QString text = decodeBytes(inputBytes(data, size));
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype li = 0; li < lines.size(); ++li) {
        const QString &line = lines.at(li);
        const bool first = li == 0;
        const std::vector<LineScanner::Range> ranges = LineScanner::scanLine(line, first);
        int end = 0;
        for (const LineScanner::Range &rg : ranges) {
            const QString where = QStringLiteral("line %1 %2: range %3+%4 colour %5")
                                      .arg(li)
                                      .arg(show(line))
                                      .arg(rg.start)
                                      .arg(rg.length)
                                      .arg(int(rg.colour));
            FUZZ_CHECK(T, rg.start >= end, where + QStringLiteral(" overlaps or is out of order"));
            FUZZ_CHECK(T, rg.length > 0, where + QStringLiteral(" is empty"));
            FUZZ_CHECK(T, qsizetype(rg.start) + rg.length <= line.size(), where + QStringLiteral(" runs past the line"));
            FUZZ_CHECK(T, rg.colour != LineScanner::Colour::Plain
                              && int(rg.colour) <= int(LineScanner::Colour::Interpreter),
                       where + QStringLiteral(" has no colour"));
            FUZZ_CHECK(T, rg.colour != LineScanner::Colour::Interpreter || first,
                       where + QStringLiteral(" is an interpreter line past the first line"));
            end = rg.start + rg.length;
        }
        if (first && line.startsWith(QStringLiteral("#!"))) {
            FUZZ_CHECK(T, ranges.size() == 1 && ranges[0].start == 0 && ranges[0].length == line.size()
                              && ranges[0].colour == LineScanner::Colour::Interpreter,
                       QStringLiteral("the first line %1 is not one interpreter range").arg(show(line)));
        }
        // Keywords are the words of the table, in any case of their ASCII letters.
        for (const QString &word : line.split(QLatin1Char(' '))) {
            QString folded = word;
            for (QChar &c : folded) {
                if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
                    c = QChar(c.unicode() + 32);
            }
            const bool inTable = LineScanner::keywordTable().contains(folded);
            FUZZ_CHECK(T, LineScanner::isKeyword(word) == inTable,
                       QStringLiteral("IsKeyword(%1) is %2").arg(show(word)).arg(!inTable));
        }
    }
    return 0;
}

// ---------------------------------------------------------------------------
// subslabels: the definitions of subroutines and labels, and the index kept
// from changed lines against one built anew.
int FuzzSubsLabels(const uint8_t *data, size_t size)
{
    static const char *T = "subslabels";
    if (size > MaxInputSize)
        return 0;
    const QByteArray bytes = inputBytes(data, size);
    Reader r(bytes);
    const quint8 widenBefore = r.byte();
    const quint8 widenAfter = r.byte();
    const QString text = decodeBytes(r.rest());

    auto startsWithWord = [](const QString &s, QLatin1String word) {
        return s.size() > word.size() && s.at(word.size()) == QLatin1Char(' ')
               && s.left(word.size()).compare(word, Qt::CaseInsensitive) == 0;
    };
    const QStringList all = text.split(QLatin1Char('\n'));
    for (const QString &line : all) {
        qsizetype i = 0;
        while (i < line.size() && line.at(i) == QLatin1Char(' '))
            ++i;
        const QString s = line.mid(i);
        const auto def = SubsLabelsIndex::parseDefinition(line);
        if (startsWithWord(s, QLatin1String("sub"))) {
            FUZZ_CHECK(T, def && def->first == SubsLabelsIndex::Kind::Sub,
                       QStringLiteral("%1 is not taken for a subroutine").arg(show(line)));
        } else if (startsWithWord(s, QLatin1String("label"))) {
            FUZZ_CHECK(T, def && def->first == SubsLabelsIndex::Kind::Label,
                       QStringLiteral("%1 is not taken for a label").arg(show(line)));
        } else {
            FUZZ_CHECK(T, !def, QStringLiteral("%1 is taken for a definition").arg(show(line)));
        }
        if (def) {
            FUZZ_CHECK(T, line.endsWith(def->second) && !def->second.startsWith(QLatin1Char(' ')),
                       QStringLiteral("%1 shows as %2").arg(show(line), show(def->second)));
        }
    }

    // The text is an old and a new version, split at the first NUL.
    const qsizetype split = text.indexOf(QChar(0));
    const QString oldText = split < 0 ? text : text.left(split);
    const QString newText = split < 0 ? QString() : text.mid(split + 1);
    const QStringList oldLines = oldText.split(QLatin1Char('\n'));
    const QStringList newLines = newText.split(QLatin1Char('\n'));
    auto getter = [](const QStringList &lines) {
        return [&lines](int n) { return lines.at(n); };
    };

    SubsLabelsIndex byText;
    byText.rebuild(oldText, QLatin1Char('\n'));
    SubsLabelsIndex index;
    index.rebuild(int(oldLines.size()), getter(oldLines));
    FUZZ_CHECK(T, sameList(index.subs(), byText.subs()) && sameList(index.labels(), byText.labels()),
               QStringLiteral("the index of the lines differs from that of the text: %1 %2 / %3 %4")
                   .arg(describe(index.subs()), describe(index.labels()), describe(byText.subs()),
                        describe(byText.labels())));

    // The change: the lines between a common beginning and a common end,
    // widened as the editor may report it.
    const qsizetype most = std::min(oldLines.size(), newLines.size());
    qsizetype prefix = 0;
    while (prefix < most && oldLines.at(prefix) == newLines.at(prefix))
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < most - prefix
           && oldLines.at(oldLines.size() - 1 - suffix) == newLines.at(newLines.size() - 1 - suffix))
        ++suffix;
    prefix -= std::min<qsizetype>(prefix, widenBefore);
    suffix -= std::min<qsizetype>(suffix, widenAfter);
    const int firstLine = int(prefix);
    const int oldCount = int(oldLines.size() - prefix - suffix);
    const int newCount = int(newLines.size() - prefix - suffix);

    const QStringList subsBefore = displays(index.subs());
    const QStringList labelsBefore = displays(index.labels());
    const SubsLabelsIndex::Changed changed = index.applyChange(firstLine, oldCount, newCount, getter(newLines));
    SubsLabelsIndex fresh;
    fresh.rebuild(int(newLines.size()), getter(newLines));
    FUZZ_CHECK(T, sameList(index.subs(), fresh.subs()) && sameList(index.labels(), fresh.labels()),
               QStringLiteral("after replacing lines %1+%2 by %3 lines the index is %4 %5, built anew %6 %7")
                   .arg(firstLine)
                   .arg(oldCount)
                   .arg(newCount)
                   .arg(describe(index.subs()), describe(index.labels()), describe(fresh.subs()),
                        describe(fresh.labels())));
    if (displays(fresh.subs()) != subsBefore)
        FUZZ_CHECK(T, changed.subs, QStringLiteral("the subroutines changed but the change was not reported"));
    if (displays(fresh.labels()) != labelsBefore)
        FUZZ_CHECK(T, changed.labels, QStringLiteral("the labels changed but the change was not reported"));
    return 0;
}

// ---------------------------------------------------------------------------
// htmlsettings: the HTML options file (.khs).
int FuzzHtmlSettings(const uint8_t *data, size_t size)
{
    static const char *T = "htmlsettings";
    if (size > MaxInputSize)
        return 0;
    const QByteArray bytes = inputBytes(data, size);

    const HtmlSettingsFields f = HtmlSettingsFile::read(bytes);
    FUZZ_CHECK(T, f.sideBarOn >= 0, QStringLiteral("a negative check box value %1").arg(f.sideBarOn));
    // What was read, saved and read again is the same.
    const QByteArray saved = HtmlSettingsFile::write(f);
    const HtmlSettingsFields again = HtmlSettingsFile::read(saved);
    FUZZ_CHECK(T, again == f,
               QStringLiteral("%1 read as %2, saved and read again as %3")
                   .arg(showBytes(bytes), describe(f), describe(again)));

    // Fields as the options dialog may hold them: one-line texts, a side bar
    // text with any line breaks, a box value.
    Reader r(bytes);
    HtmlSettingsFields w;
    auto oneLine = [&r]() {
        QString s = QString::fromUtf8(r.piece());
        s.remove(QLatin1Char('\r'));
        s.remove(QLatin1Char('\n'));
        return s;
    };
    w.sideBarOn = int(r.number(3) % 1000001);
    w.title = oneLine();
    w.description = oneLine();
    w.keywords = oneLine();
    w.sideBarText = QString::fromUtf8(r.rest());
    w.sideBarText.remove(QChar(7));
    w.sideBarText.remove(QChar(8));
    const QByteArray file = HtmlSettingsFile::write(w);
    const HtmlSettingsFields back = HtmlSettingsFile::read(file);
    FUZZ_CHECK(T, back == w,
               QStringLiteral("%1 saved as %2 reads back as %3").arg(describe(w), showBytes(file), describe(back)));

    const HtmlSettingsFields none = HtmlSettingsFile::read(std::nullopt);
    FUZZ_CHECK(T, none == HtmlSettingsFields(), QStringLiteral("a file that could not be read gave values"));
    return 0;
}
