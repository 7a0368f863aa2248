#include "EditorText.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace EditorText {

int ModelPosition(const QTextDocument *doc, int qtPosition)
{
    const QTextBlock block = doc->findBlock(qtPosition);
    return qtPosition + (block.isValid() ? block.blockNumber() : 0);
}

int ModelPosition(const QTextCursor &cursor)
{
    return cursor.position() + cursor.blockNumber();
}

QString PlainText(const QTextDocument *doc)
{
    QString text;
    text.reserve(doc->characterCount());
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        if (b != doc->begin())
            text += QLatin1Char('\n');
        text += b.text();
    }
    return text;
}

} // namespace EditorText
