#pragma once

#include <QByteArray>
#include <QString>

// Turns a program's output, as it arrives in pieces, into text. UTF-8 is read as
// UTF-8; anything else (binary bytes, another encoding) byte for byte as
// Latin-1, so that nothing is lost or replaced. A character split between two
// pieces waits for its rest.
class OutputDecoder {
public:
    QString decode(const QByteArray &piece);
    // What is left at the end of the output.
    QString finish();

private:
    QByteArray m_held;
};
