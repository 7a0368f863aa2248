#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>

// A named bookmark into the editor text. Both numbers are taken when the
// reference is added and do not follow later edits.
struct LineReference {
    QString caption;
    qint32 lineNumber = 0;      // 1-based; 0 marks an empty slot
    qint32 characterOffset = 0; // 0-based program position (CR LF counts two)

    bool isEmpty() const { return lineNumber == 0; }
};

// The line references of the whole run: 100 slots, the used ones packed at the
// front in the order the Line Browser lists them, so a list index is a slot
// index. They are not saved and belong to no document.
class LineReferences {
public:
    static constexpr int SlotCount = 100;

    // "Line reference to Line 12".
    static QString defaultCaption(qint32 lineNumber);
    // "Line reference to Line 12 (line 12)".
    static QString listText(const LineReference &reference);

    // Fills the first empty slot with a reference to the given place, captioned
    // by default, and returns its index; -1 (nothing added) when all are used.
    int add(qint32 characterOffset, qint32 lineNumber);
    // Empties a slot; an index outside the table does nothing. The table is
    // packed again by the next refreshLineList().
    void remove(int index);
    // Packs the used slots to the front, keeping their order, and returns the
    // list texts, one per used slot.
    QStringList refreshLineList();

    // An index outside the table gives an empty reference.
    const LineReference &at(int index) const;
    bool isUsed(int index) const { return !at(index).isEmpty(); }
    // Sets the caption of a used slot (any text, empty too); false otherwise.
    bool setCaption(int index, const QString &caption);
    int count() const;

    // The slot that the properties dialog shows and edits.
    qint16 LineRefEditIndex = 0;

private:
    static bool inRange(int index) { return index >= 0 && index < SlotCount; }
    std::array<LineReference, SlotCount> m_slots;
};
