#include "assist/ExternalToolsMenu.h"

#include "assist/ExternalToolsDialog.h"
#include "platform/core/ProcessLauncher.h"
#include "platform/core/Prompter.h"
#include "platform/core/Services.h"

#include <QAction>
#include <QMenu>

ExternalToolsMenu::ExternalToolsMenu(Services &services, QMenu *toolsMenu, QList<QAction *> &items,
                                     std::function<QString()> currentFile, QWidget *window)
    : QObject(window), m_svc(services), m_menu(toolsMenu), m_items(items),
      m_currentFile(std::move(currentFile)), m_window(window)
{
}

void ExternalToolsMenu::buildExtraToolsMenu(bool reload)
{
    if (reload)
        m_tools.load(m_svc.programFolder);
    for (QAction *item : std::as_const(m_items))
        item->setVisible(false);
    int n = 0;
    for (int slot : m_tools.usedSlots()) {
        if (n == m_items.size()) {
            QAction *item = m_menu->addAction(QString());
            item->setObjectName(QStringLiteral("toolsExternal"));
            item->setProperty("index", n);
            connect(item, &QAction::triggered, this, [this, item] { startTool(item->data().toInt()); });
            m_items << item;
        }
        QAction *item = m_items.at(n++);
        item->setText(m_tools.name(slot));
        item->setData(slot);
        item->setEnabled(true);
        item->setVisible(true);
    }
}

void ExternalToolsMenu::startTool(int slot)
{
    const QString line = ExternalToolCommand::commandLine(m_tools.path(slot), m_currentFile());
    if (m_svc.launcher->start(line, WindowStyle::NormalFocus))
        return;
    m_svc.prompter->ask(StartFailedTitle, StartFailedText, MsgButtons::OK, MsgIcon::Information);
    emit statusMessage(QStringLiteral("Tool start failed - Error: ")
                       + QString::number(ExternalToolCommand::startError(line)));
}

void ExternalToolsMenu::showExtraToolsDialog()
{
    bool keepTable = false;
    {
        ExternalToolsDialog dialog(m_tools, *m_svc.prompter, *m_svc.shell, m_svc.programFolder, m_window);
        dialog.exec();
        // Tools that could not be saved stay usable until the program ends.
        keepTable = dialog.closedWithClose() && !dialog.saveResult().ok;
    }
    buildExtraToolsMenu(!keepTable);
}
