#pragma once

#include <QString>
#include <QStringList>
#include <vector>

// The main toolbar's buttons and the layout the user may customise.
struct ToolbarButtonDef {
    QString key;
    QString tooltip;
    QString description; // what the customise dialog lists
    int group;
};

// The built-in buttons, in their built-in order.
const std::vector<ToolbarButtonDef> &mainToolbarButtons();

// A layout is a list of button keys and separators ("|").
inline const QString ToolbarSeparator = QStringLiteral("|");

// The built-in layout: every button, a separator between groups.
QStringList defaultToolbarLayout();

// The stored form: the entries joined by commas.
QString serializeToolbarLayout(const QStringList &layout);

// Reads a stored layout. Unknown keys and repeated buttons are dropped, runs of
// separators folded and separators at either end removed. An empty or
// unusable text gives an empty list (the caller then keeps the built-in layout).
QStringList parseToolbarLayout(const QString &stored);

// The layout as it comes back from its stored form (see ParseToolbarLayout).
QStringList tidyToolbarLayout(const QStringList &layout);

// The keys of the buttons a layout leaves out, in their built-in order.
QStringList availableToolbarButtons(const QStringList &layout);

// The definition of a button, or null for an unknown key.
const ToolbarButtonDef *findToolbarButton(const QString &key);
