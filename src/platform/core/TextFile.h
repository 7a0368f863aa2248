#pragma once

#include <QByteArray>
#include <QString>

enum class TextEncoding { Utf8, Latin1 };
enum class LineBreakStyle { CrLf, Lf, Cr };

// A text file as the editor holds it: every line break is one '\n', and what is
// needed to write the same bytes back.
struct TextFileContent {
    QString text;                              // '\n' between lines, no final break
    TextEncoding encoding = TextEncoding::Utf8;
    LineBreakStyle lineBreak = nativeLineBreak();
    bool finalBreak = true;                    // the file ended with a line break
    bool mixedBreaks = false;                  // more than one break style was found

    static LineBreakStyle nativeLineBreak();
};

// Decodes bytes: UTF-8 when they are valid UTF-8 (a leading byte-order mark is
// kept as a character, so it is written back), otherwise Latin-1. Line breaks
// become '\n'; one final break is taken off.
TextFileContent decodeTextFile(const QByteArray &bytes);

// The reverse. Returns false, with the first character that the encoding cannot
// hold in *badChar (when given), and writes nothing to *out in that case.
bool encodeTextFile(const TextFileContent &content, QByteArray *out, QChar *badChar = nullptr);

// Bytes to text without touching line breaks (data files read whole).
QString decodeBytes(const QByteArray &bytes, TextEncoding *encoding = nullptr);

struct FileResult {
    bool ok = false;
    QString error; // the system's reason when !ok
};

// Reads a whole file. Folders, missing files and files over maxBytes fail.
FileResult readWholeFile(const QString &path, QByteArray *bytes,
                         qint64 maxBytes = qint64(256) * 1024 * 1024);

// Writes a whole file atomically: the old file stays as it was unless every byte
// of the new one was written and the replacement succeeded.
FileResult writeWholeFileAtomic(const QString &path, const QByteArray &bytes);

// Convenience: read and decode / encode and write.
FileResult readTextFile(const QString &path, TextFileContent *content);
FileResult writeTextFile(const QString &path, const TextFileContent &content);
