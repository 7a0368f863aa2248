#include "graphics/core/DrawStatements.h"

namespace DrawStatements {

namespace {

// yabasic reads a string literal in one piece of its input buffer (16 KB); a
// longer one stops the program before it starts. Pieces stay well below that.
constexpr int LiteralPiece = 4000;

QString number(int n) { return QString::number(n); }

QString pair(QPoint p) { return number(p.x()) + QStringLiteral(", ") + number(p.y()); }

// Inside a literal: the backslash and control characters as escapes. A double
// quote never goes into a literal (it is chr$(34)), so that every reader of the
// program, not only the interpreter, sees where each literal ends.
QString escaped(QChar c)
{
    if (c == QLatin1Char('\\'))
        return QStringLiteral("\\\\");
    if (c.unicode() < 32 || c.unicode() == 127)
        return QStringLiteral("\\x%1").arg(int(c.unicode()), 2, 16, QLatin1Char('0'));
    return QString(c);
}

} // namespace

QStringList toolNames()
{
    return {QStringLiteral("Line"), QStringLiteral("Circle"), QStringLiteral("Text"),
            QStringLiteral("Rectangle"), QStringLiteral("Dot"), QStringLiteral("Arrow")};
}

QString stringLiteral(const QString &text)
{
    QStringList parts;
    QString piece;
    const auto endPiece = [&] {
        if (!piece.isEmpty())
            parts << QLatin1Char('"') + piece + QLatin1Char('"');
        piece.clear();
    };
    for (QChar c : text) {
        if (c == QLatin1Char('"')) {
            endPiece();
            parts << QStringLiteral("chr$(34)");
            continue;
        }
        const QString e = escaped(c);
        // A surrogate pair stays in one piece.
        if (piece.size() + e.size() > LiteralPiece && !c.isLowSurrogate())
            endPiece();
        piece += e;
    }
    endPiece();
    return parts.isEmpty() ? QStringLiteral("\"\"") : parts.join(QStringLiteral(" + "));
}

QString line(QPoint from, QPoint to)
{
    return QStringLiteral("Line ") + pair(from) + QStringLiteral(" to ") + pair(to);
}

QString circle(QPoint centre, int radius)
{
    return QStringLiteral("Circle ") + pair(centre) + QStringLiteral(", ") + number(radius);
}

QString text(QPoint at, const QString &shown)
{
    return QStringLiteral("Text ") + pair(at) + QStringLiteral(", ") + stringLiteral(shown);
}

QString rectangle(QPoint corner, QPoint opposite)
{
    return QStringLiteral("rectangle ") + pair(corner) + QStringLiteral(" to ") + pair(opposite);
}

QString dot(QPoint at)
{
    return QStringLiteral("dot ") + pair(at);
}

QString forShape(DrawTool tool, QPoint start, QPoint end)
{
    const QChar nl = QLatin1Char('\n');
    switch (tool) {
    case DrawTool::Line:
        return line(start, end) + nl;
    case DrawTool::Circle:
        return circle(start, circleRadius(start, end)) + nl;
    case DrawTool::Rectangle:
        return rectangle(start, end) + nl;
    case DrawTool::Dot:
        return dot(end) + nl;
    case DrawTool::Arrow:
        return line(start, end) + nl + circle(end, ArrowHeadRadius) + nl;
    case DrawTool::Text:
        break;
    }
    return QString();
}

} // namespace DrawStatements
