#include "app/RunMenuConnections.h"

#include "app/CentralArea.h"
#include "app/MainMenus.h"
#include "app/MainStatusBar.h"
#include "common/core/AppSettings.h"
#include "editor/CodeEditor.h"
#include "editor/EditorController.h"
#include "editor/GoToLine.h"
#include "platform/core/SettingsStore.h"
#include "run/RunController.h"

#include <QAction>
#include <QMenu>

namespace RunMenuConnections {

void connectAll(MainMenus &menus, RunController *run, CentralArea *area,
                EditorController *editor, MainStatusBar *statusBar, SettingsAccess &settings,
                IPrompter &prompter)
{
    CodeEditor *code = area->codeEditor();
    QObject::connect(menus.runProgram, &QAction::triggered, run, &RunController::runProgram);
    QObject::connect(menus.runStop, &QAction::triggered, run, &RunController::stopProgram);
    QObject::connect(menus.runCheckSyntax, &QAction::triggered, run, &RunController::checkSyntaxNow);
    QObject::connect(menus.runNextError, &QAction::triggered, run, &RunController::nextError);
    QObject::connect(menus.runPreviousError, &QAction::triggered, run, &RunController::previousError);
    QObject::connect(menus.runMakeStandalone, &QAction::triggered, run, &RunController::makeStandalone);
    const auto checkWhere = [&menus, run] {
        for (int i = 0; i < 3; ++i)
            menus.runWhere[i]->setChecked(i == run->runWhere());
    };
    for (int i = 0; i < 3; ++i)
        QObject::connect(menus.runWhere[i], &QAction::triggered, run, [run, i, checkWhere] {
            run->setRunWhere(i);
            checkWhere();
        });
    QObject::connect(menus.runMenu, &QMenu::aboutToShow, run, [&menus, run, checkWhere] {
        menus.checkInfoLevel(run->infoLevel());
        checkWhere();
    });
    QObject::connect(menus.runWhereMenu, &QMenu::aboutToShow, run, checkWhere);
    QObject::connect(menus.runInfoLevelMenu, &QMenu::aboutToShow, run, [&menus, run] { menus.checkInfoLevel(run->infoLevel()); });
    for (int i = 0; i < 5; ++i)
        QObject::connect(menus.runInfoLevels[i], &QAction::triggered, run, [&menus, run, i] {
            run->setInfoLevel(i);
            menus.checkInfoLevel(i);
        });
    QObject::connect(menus.runGeometry, &QAction::triggered, run, &RunController::showGeometryInput);
    QObject::connect(menus.runYabasicPath, &QAction::triggered, run, &RunController::showYabasicPathDialog);
    QObject::connect(menus.debugRefresh, &QAction::triggered, run, &RunController::refreshDebugArea);
    // F8 shows what it refreshed.
    QObject::connect(menus.debugRefresh, &QAction::triggered, area, [area] { area->setCurrentTab(CentralArea::DebugTab); });
    QObject::connect(area, &CentralArea::refreshDebugRequested, run, &RunController::refreshDebugArea);
    QObject::connect(menus.debugClear, &QAction::triggered, run, &RunController::clearDebug);
    QObject::connect(menus.debugAddOutput, &QAction::triggered, run, &RunController::showAddingDebugOutput);

    // What the run learns goes to the editor and the status bar.
    QObject::connect(run, &RunController::outputShown, area, [area] { area->setCurrentTab(CentralArea::OutputTab); });
    QObject::connect(run, &RunController::errorPlace, code, [code](int line, int column) {
        GoToLine::moveCaret(code, line, column);
    });
    QObject::connect(run, &RunController::errorLineMarked, code, &CodeEditor::setErrorLine);
    QObject::connect(run, &RunController::syntaxMark, code, &CodeEditor::setSyntaxMark);
    QObject::connect(run, &RunController::statusMessage, statusBar, [statusBar](const QString &text) {
        statusBar->setTabMessage(CentralArea::CodeTab, text);
        statusBar->setTabMessage(CentralArea::OutputTab, text);
    });
    QObject::connect(editor, &EditorController::linesChanged, run, &RunController::textChanged);

    QObject::connect(menus.editGoToLine, &QAction::triggered, code, [code, &prompter, area] {
        area->setCurrentTab(CentralArea::CodeTab);
        GoToLine::ask(code, prompter);
    });
    code->setLineNumbersShown(AppSettings::readLineNumbers(settings));
    menus.viewLineNumbers->setChecked(code->lineNumbersShown());
    QObject::connect(menus.viewLineNumbers, &QAction::toggled, code, [code, &settings](bool on) {
        code->setLineNumbersShown(on);
        settings.saveSetting(AppSettings::Edit, AppSettings::LineNumbers, on ? 1 : 0);
    });
}

} // namespace RunMenuConnections
