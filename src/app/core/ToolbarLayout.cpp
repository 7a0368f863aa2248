#include "app/core/ToolbarLayout.h"

#include <QSet>

const std::vector<ToolbarButtonDef> &mainToolbarButtons()
{
    static const std::vector<ToolbarButtonDef> buttons = {
        {QStringLiteral("new"), QStringLiteral("New"), QStringLiteral("New Yabasic Program"), 1},
        {QStringLiteral("open"), QStringLiteral("Open"), QStringLiteral("Open Yabasic Program"), 1},
        {QStringLiteral("save"), QStringLiteral("Save"), QStringLiteral("Save Yabasic Program"), 1},
        {QStringLiteral("saveweb"), QStringLiteral("Save as Web Page"), QStringLiteral("Save as Web Page"), 1},
        {QStringLiteral("print"), QStringLiteral("Print"), QStringLiteral("Print Program"), 2},
        {QStringLiteral("undo"), QStringLiteral("Undo Last Action"), QStringLiteral("Undo"), 3},
        {QStringLiteral("redo"), QStringLiteral("Redo Last Action"), QStringLiteral("Redo"), 3},
        {QStringLiteral("cut"), QStringLiteral("Cut"), QStringLiteral("Cut"), 4},
        {QStringLiteral("copy"), QStringLiteral("Copy"), QStringLiteral("Copy"), 4},
        {QStringLiteral("paste"), QStringLiteral("Paste"), QStringLiteral("Paste"), 4},
        {QStringLiteral("run"), QStringLiteral("Run"), QStringLiteral("Run Program"), 5},
        {QStringLiteral("draw"), QStringLiteral("Drawing Pad"), QStringLiteral("Drawing Pad"), 6},
        {QStringLiteral("langhelp"), QStringLiteral("Language Helper"), QStringLiteral("Language Helper"), 6},
        {QStringLiteral("lines"), QStringLiteral("Line Browser"), QStringLiteral("Line Browser"), 6},
        {QStringLiteral("onlines"), QStringLiteral("Online Stuff"), QStringLiteral("Online Stuff"), 7},
        {QStringLiteral("help"), QStringLiteral("Help"), QStringLiteral("Help"), 7},
    };
    return buttons;
}

QStringList defaultToolbarLayout()
{
    QStringList layout;
    int group = -1;
    for (const ToolbarButtonDef &b : mainToolbarButtons()) {
        if (group != -1 && b.group != group)
            layout << ToolbarSeparator;
        group = b.group;
        layout << b.key;
    }
    return layout;
}

QString serializeToolbarLayout(const QStringList &layout)
{
    return layout.join(QLatin1Char(','));
}

QStringList parseToolbarLayout(const QString &stored)
{
    QSet<QString> known;
    for (const ToolbarButtonDef &b : mainToolbarButtons())
        known.insert(b.key);

    QStringList layout;
    QSet<QString> seen;
    for (const QString &raw : stored.split(QLatin1Char(','))) {
        const QString entry = raw.trimmed();
        if (entry == ToolbarSeparator) {
            if (!layout.isEmpty() && layout.last() != ToolbarSeparator)
                layout << entry;
        } else if (known.contains(entry) && !seen.contains(entry)) {
            seen.insert(entry);
            layout << entry;
        }
    }
    while (!layout.isEmpty() && layout.last() == ToolbarSeparator)
        layout.removeLast();
    return layout;
}

QStringList tidyToolbarLayout(const QStringList &layout)
{
    return parseToolbarLayout(serializeToolbarLayout(layout));
}

QStringList availableToolbarButtons(const QStringList &layout)
{
    QStringList keys;
    for (const ToolbarButtonDef &b : mainToolbarButtons()) {
        if (!layout.contains(b.key))
            keys << b.key;
    }
    return keys;
}

const ToolbarButtonDef *findToolbarButton(const QString &key)
{
    for (const ToolbarButtonDef &b : mainToolbarButtons()) {
        if (b.key == key)
            return &b;
    }
    return nullptr;
}
