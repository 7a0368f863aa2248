#include "assist/core/ExternalTools.h"

#include "platform/core/ProcessLauncher.h"
#include "platform/core/UserFiles.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace {

bool isBlank(QChar c) { return c == QLatin1Char(' ') || c == QLatin1Char('\t'); }

// The comma-separated fields of one line: a field is quoted (a doubled quote
// inside stands for one; text after the closing quote up to the comma is
// ignored) or runs unquoted up to the next comma, without its outer blanks.
QStringList fieldsOf(QStringView line)
{
    QStringList fields;
    qsizetype i = 0;
    const qsizetype n = line.size();
    for (;;) {
        while (i < n && isBlank(line[i]))
            ++i;
        QString field;
        if (i < n && line[i] == QLatin1Char('"')) {
            for (++i; i < n; ++i) {
                if (line[i] == QLatin1Char('"')) {
                    if (i + 1 < n && line[i + 1] == QLatin1Char('"')) {
                        field += QLatin1Char('"');
                        ++i;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i];
            }
            while (i < n && line[i] != QLatin1Char(','))
                ++i;
        } else {
            const qsizetype start = i;
            while (i < n && line[i] != QLatin1Char(','))
                ++i;
            field = line.mid(start, i - start).trimmed().toString();
        }
        fields << field;
        if (i >= n)
            return fields;
        ++i; // the comma
    }
}

QString quoted(QString field)
{
    // A field is one line of the file.
    field.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    field.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + field + QLatin1Char('"');
}

} // namespace

QList<int> ExternalTools::usedSlots() const
{
    QList<int> used;
    for (int i = 0; i < Size; ++i) {
        if (isUsed(i))
            used << i;
    }
    return used;
}

int ExternalTools::add()
{
    int slot = Size;
    while (slot > 0 && !isUsed(slot - 1))
        --slot;
    if (slot == Size) { // the last slot is taken: the first free one, if any
        for (slot = 0; slot < Size && isUsed(slot); ++slot) {
        }
        if (slot == Size)
            return -1;
    }
    setPath(slot, QStringLiteral("(New Tool)"));
    setName(slot, QStringLiteral("(Untitled)"));
    return slot;
}

void ExternalTools::remove(int slot)
{
    for (int i = slot; i < Size - 1; ++i) {
        m_paths[size_t(i)] = m_paths[size_t(i + 1)];
        m_names[size_t(i)] = m_names[size_t(i + 1)];
    }
    m_paths[Size - 1].clear();
    m_names[Size - 1].clear();
}

int ExternalTools::read(const QString &text)
{
    int slot = 0;
    m_beyond.clear();
    qsizetype start = 0;
    const qsizetype n = text.size();
    while (start < n) {
        qsizetype end = start;
        while (end < n && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
            ++end;
        const QStringView line = QStringView(text).mid(start, end - start);
        start = end + (end + 1 < n && text[end] == QLatin1Char('\r') && text[end + 1] == QLatin1Char('\n') ? 2 : 1);
        if (line.trimmed().isEmpty())
            continue;
        if (slot == Size) {
            m_beyond << line.toString();
            continue;
        }
        const QStringList fields = fieldsOf(line);
        if (fields.value(0).isEmpty())
            continue; // an unused slot is never written; a record without a program is nothing
        setPath(slot, fields.value(0));
        setName(slot, fields.value(1));
        ++slot;
    }
    return slot;
}

QString ExternalTools::write() const
{
    QString out;
    for (int i : usedSlots())
        out += quoted(path(i)) + QLatin1Char(',') + quoted(name(i)) + QLatin1String("\r\n");
    for (const QString &line : m_beyond)
        out += line + QLatin1String("\r\n");
    return out;
}

bool ExternalTools::load(const QString &programFolder)
{
    QByteArray bytes;
    if (!readWholeFile(UserFiles::readableDataFile(FileName, programFolder), &bytes).ok)
        return false;
    read(decodeBytes(bytes));
    return true;
}

FileResult ExternalTools::save() const
{
    FileResult r;
    const QString path = UserFiles::writableDataFile(FileName, &r.error);
    if (path.isEmpty())
        return r;
    r = writeWholeFileAtomic(path, write().toUtf8());
    if (!r.ok)
        r.error = QStringLiteral("%1: %2").arg(path, r.error);
    return r;
}

namespace ExternalToolCommand {

QString commandLine(const QString &toolPath, const QString &currentFile)
{
    const QString whole = toolPath.trimmed();
    if (!whole.contains(QLatin1Char('"')) && QFileInfo(whole).isFile())
        return quoteArgument(whole);
    QString line = toolPath;
    return line.replace(QLatin1String("%f"), currentFile.isEmpty() ? QStringLiteral("\"\"") : quoteArgument(currentFile));
}

int startError(const QString &commandLine)
{
    const QString program = splitCommandLine(commandLine).value(0);
    const bool exists = program.contains(QLatin1Char('/')) || program.contains(QLatin1Char('\\'))
        ? QFileInfo(program).exists()
        : !QStandardPaths::findExecutable(program).isEmpty() || QFileInfo(program).exists();
    return exists && !program.isEmpty() ? 75 : 53;
}

} // namespace ExternalToolCommand
