#pragma once

#include "assist/core/ExternalTools.h"

#include <QList>
#include <QObject>
#include <functional>

class QAction;
class QMenu;
class QWidget;
struct Services;

// The extra tools at the bottom of the Tools menu: the table, its menu items,
// starting a tool and the "Extra Tools" dialog that edits them.
class ExternalToolsMenu : public QObject {
    Q_OBJECT
public:
    // items: the menu's tool items, made as needed after the menu's last entry.
    // currentFile: the program's file, or empty while it has none.
    ExternalToolsMenu(Services &services, QMenu *toolsMenu, QList<QAction *> &items,
                      std::function<QString()> currentFile, QWidget *window);

    // Loads Tools.Dat (when reload) and shows one item per used slot.
    void buildExtraToolsMenu(bool reload = true);
    void showExtraToolsDialog();
    void startTool(int slot);

    ExternalTools &tools() { return m_tools; }

    static inline const QString StartFailedTitle = QStringLiteral("Couldn't Start Tool");
    static inline const QString StartFailedText = QStringLiteral("Could not start the tool, check the path please.");

signals:
    // For the code tab's status message.
    void statusMessage(const QString &text);

private:
    Services &m_svc;
    QMenu *m_menu;
    QList<QAction *> &m_items;
    std::function<QString()> m_currentFile;
    QWidget *m_window;
    ExternalTools m_tools;
};
