#pragma once

#include <QPoint>
#include <QString>
#include <QStringList>

// The draw pad's tools, in the order of its tool list.
enum class DrawTool { Line, Circle, Text, Rectangle, Dot, Arrow };

// The yabasic statements the draw pad writes. Coordinates are canvas pixels;
// every statement text is one line without its line break.
namespace DrawStatements {

// "Line", "Circle", "Text", "Rectangle", "Dot", "Arrow".
QStringList toolNames();

// The radius of the small circle at an arrow's end.
constexpr int ArrowHeadRadius = 5;

// A yabasic string expression that gives text exactly as typed: a double quote
// is chr$(34), backslashes and control characters are escapes, and a text too
// long for one literal of the interpreter is joined from several.
QString stringLiteral(const QString &text);

QString line(QPoint from, QPoint to);
QString circle(QPoint centre, int radius);
QString text(QPoint at, const QString &shown);
QString rectangle(QPoint corner, QPoint opposite);
QString dot(QPoint at);

// The statements a shape finished with the mouse writes (the Text tool writes
// at the press instead), each followed by '\n'. The circle's radius is the
// horizontal distance only; an arrow is its line and the circle at its end.
QString forShape(DrawTool tool, QPoint start, QPoint end);

// A circle's radius as the tool measures it.
inline int circleRadius(QPoint centre, QPoint pointer) { return qAbs(pointer.x() - centre.x()); }

} // namespace DrawStatements
