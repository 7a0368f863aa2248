#include "LineReferences.h"

#include <utility>

QString LineReferences::DefaultCaption(qint32 lineNumber)
{
    return QStringLiteral("Line reference to Line ") + QString::number(lineNumber);
}

QString LineReferences::ListText(const LineReference &reference)
{
    return reference.caption + QStringLiteral(" (line ") + QString::number(reference.lineNumber)
           + QLatin1Char(')');
}

int LineReferences::Add(qint32 characterOffset, qint32 lineNumber)
{
    for (int i = 0; i < SlotCount; ++i) {
        if (!m_slots[i].isEmpty())
            continue;
        m_slots[i].characterOffset = characterOffset;
        m_slots[i].lineNumber = lineNumber;
        m_slots[i].caption = DefaultCaption(lineNumber);
        return i;
    }
    return -1;
}

void LineReferences::Remove(int index)
{
    if (inRange(index))
        m_slots[index] = LineReference();
}

QStringList LineReferences::RefreshLineList()
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
        list << ListText(m_slots[write]);
        ++write;
    }
    return list;
}

const LineReference &LineReferences::at(int index) const
{
    static const LineReference none;
    return inRange(index) ? m_slots[index] : none;
}

bool LineReferences::SetCaption(int index, const QString &caption)
{
    if (!IsUsed(index))
        return false;
    m_slots[index].caption = caption;
    return true;
}

int LineReferences::Count() const
{
    int n = 0;
    for (const LineReference &r : m_slots)
        n += r.isEmpty() ? 0 : 1;
    return n;
}
