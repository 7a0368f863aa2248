#include "app/GraphicsConnections.h"

#include "app/CentralArea.h"
#include "app/MainMenus.h"
#include "app/MainToolbar.h"
#include "app/ToolWindows.h"
#include "common/core/AppSettings.h"
#include "documents/core/DocumentController.h"
#include "editor/CodeEditor.h"
#include "editor/EditorController.h"
#include "graphics/GraphicsTools.h"
#include "platform/core/Services.h"

#include <QAction>
#include <QMenu>
#include <QFileInfo>

namespace GraphicsConnections {

GraphicsTools *connectAll(MainMenus &menus, MainToolbar *toolBar, CentralArea *area, EditorController *editor,
                          DocumentController *documents, ToolWindows *toolWindows, Services &services,
                          QWidget *owner)
{
    CodeEditor *code = area->codeEditor();
    const auto documentFolder = [documents] {
        const Document &doc = documents->state();
        return doc.hasFileName ? QFileInfo(doc.currentFileName).absolutePath() : QString();
    };
    auto *tools = new GraphicsTools(code, *services.prompter, documentFolder, owner);
    QObject::connect(menus.tools[MainMenus::DrawPad], &QAction::triggered, tools, &GraphicsTools::showDrawPad);
    QObject::connect(menus.tools[MainMenus::PixPad], &QAction::triggered, tools, &GraphicsTools::showPixPad);
    QObject::connect(menus.fileOpenPixPad, &QAction::triggered, tools, &GraphicsTools::openPixPadFile);
    QObject::connect(menus.fileSavePixPad, &QAction::triggered, tools, &GraphicsTools::savePixPadAs);
    toolBar->bind(QStringLiteral("draw"), menus.tools[MainMenus::DrawPad]);
    QObject::connect(code, &CodeEditor::contextMenuOpening, tools, &GraphicsTools::addContextMenuItems);
    QObject::connect(tools, &GraphicsTools::toolWindowOpened, toolWindows, &ToolWindows::track);
    // What the tools write is coloured as typed text is.
    QObject::connect(tools, &GraphicsTools::linesInserted, editor, [editor](int first, int last) {
        for (int line = first; line <= last; ++line)
            editor->parseLine2(line);
    });
    return tools;
}

void showAtStart(GraphicsTools *tools, const SettingsAccess &settings)
{
    if (AppSettings::showDrawPadAtStart(settings))
        tools->showDrawPad();
}

} // namespace GraphicsConnections
