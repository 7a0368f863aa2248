#pragma once

// Reaches the parts of a main window the way a test needs them: widgets and
// subsystems are found by their object names, as a user finds them by what
// they show, so the window hands none of them out.

#include "app/MainStatusBar.h"
#include "app/MainToolbar.h"
#include "app/MainWindow.h"
#include "documents/core/DocumentController.h"
#include "documents/core/JournalKeeper.h"
#include "editor/CodeEditor.h"
#include "editor/EditorController.h"
#include "run/RunController.h"
#include "search/SearchCommands.h"
#include "search/SubsAndLabels.h"

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabBar>
#include <QtTest>

template <class T> T *part(const QObject &w, const char *name = nullptr)
{
    T *found = name ? w.findChild<T *>(QString::fromLatin1(name)) : w.findChild<T *>();
    if (!found)
        qFatal("the window has no part %s", name ? name : T::staticMetaObject.className());
    return found;
}

inline CodeEditor *codeEditor(const MainWindow &w) { return part<CodeEditor>(w, "codeEditor"); }
inline QPlainTextEdit *debugView(const MainWindow &w) { return part<QPlainTextEdit>(w, "debugView"); }
inline MainStatusBar *statusBar(const MainWindow &w) { return part<MainStatusBar>(w, "statusBar"); }
inline MainToolbar *toolBar(const MainWindow &w) { return part<MainToolbar>(w); }
inline QTabBar *tabBar(const MainWindow &w) { return part<QTabBar>(w, "tabBar"); }
inline QComboBox *subsList(const MainWindow &w) { return part<QComboBox>(w, "subsList"); }
inline QComboBox *labelsList(const MainWindow &w) { return part<QComboBox>(w, "labelsList"); }
inline QFrame *hotInfoBox(const MainWindow &w) { return part<QFrame>(w, "hotInfoBox"); }
inline QLabel *hotInfoLabel(const MainWindow &w) { return part<QLabel>(w, "hotInfoLabel"); }

inline DocumentController &documents(const MainWindow &w) { return *part<DocumentController>(w); }
inline EditorController &editor(const MainWindow &w) { return *part<EditorController>(w); }
inline SubsAndLabels &subsAndLabels(const MainWindow &w) { return *part<SubsAndLabels>(w); }
inline SearchCommands &search(const MainWindow &w) { return *part<SearchCommands>(w); }
inline JournalKeeper &journal(const MainWindow &w) { return *part<JournalKeeper>(w); }
inline RunController &run(const MainWindow &w) { return *part<RunController>(w); }

inline QString editorText(const MainWindow &w) { return editor(w).text(); }
inline QString panel(const MainWindow &w, int n) { return statusBar(w)->panel(n)->text(); }

// A menu item by its name; indexed groups by name and index.
inline QAction *action(const MainWindow &w, const char *name, int index = -1)
{
    const QList<QAction *> all = w.findChildren<QAction *>(QString::fromLatin1(name));
    for (QAction *a : all) {
        if (index < 0 || a->property("index").toInt() == index)
            return a;
    }
    qFatal("the window has no menu item %s %d", name, index);
    return nullptr;
}

// Whether a menu item is enabled as its opened menu offers it.
inline bool offered(const MainWindow &w, const char *menu, const char *item)
{
    emit part<QMenu>(w, menu)->aboutToShow();
    return action(w, item)->isEnabled();
}

// The texts of a drop-down list, in order.
inline QStringList comboItems(const QComboBox *c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

// The texts of a list's rows, in order.
inline QStringList listTexts(const QListWidget *l)
{
    QStringList out;
    for (int i = 0; i < l->count(); ++i)
        out << l->item(i)->text();
    return out;
}

// Index entries as "line:name", lines from 0.
inline QStringList indexLines(const std::vector<SubsLabelsIndex::Entry> &list)
{
    QStringList out;
    for (const SubsLabelsIndex::Entry &e : list)
        out << QString::number(e.line) + QLatin1Char(':') + e.display;
    return out;
}

// Clicks a toolbar button by its key (a key no button has does nothing).
inline void clickToolbar(MainWindow &w, const QString &key)
{
    if (QAction *button = toolBar(w)->button(key))
        button->trigger();
}
