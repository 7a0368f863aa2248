#include "search/core/LineReferences.h"

#include <utility>

QString LineReferences::defaultCaption(qint32 lineNumber)
{
    return QStringLiteral("Line reference to Line ") + QString::number(lineNumber);
}

QString LineReferences::listText(const LineReference &reference)
{
    return reference.caption + QStringLiteral(" (line ") + QString::number(reference.lineNumber)
           + QLatin1Char(')');
}

int LineReferences::add(qint32 characterOffset, qint32 lineNumber)
{
    for (int i = 0; i < SlotCount; ++i) {
        if (!m_slots[i].isEmpty())
            continue;
        m_slots[i].characterOffset = characterOffset;
        m_slots[i].lineNumber = lineNumber;
        m_slots[i].caption = defaultCaption(lineNumber);
        return i;
    }
    return -1;
}

void LineReferences::remove(int index)
{
    if (inRange(index))
        m_slots[index] = LineReference();
}

QStringList LineReferences::refreshLineList()
{
    QStringList list;
    int write = 0;
    for (int read = 0; read < SlotCount; ++read) {
        if (m_slots[read].isEmpty())
            continue;
        if (read != write) {
            m_slots[write] = std::move(m_slots[read]);
            m_slots[read] = LineReference();
        }
        list << listText(m_slots[write]);
        ++write;
    }
    return list;
}

const LineReference &LineReferences::at(int index) const
{
    static const LineReference none;
    return inRange(index) ? m_slots[index] : none;
}

bool LineReferences::setCaption(int index, const QString &caption)
{
    if (!isUsed(index))
        return false;
    m_slots[index].caption = caption;
    return true;
}

int LineReferences::count() const
{
    int n = 0;
    for (const LineReference &r : m_slots)
        n += r.isEmpty() ? 0 : 1;
    return n;
}
