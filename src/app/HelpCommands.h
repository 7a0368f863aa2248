#pragma once

#include <QObject>
#include <QString>

class RunController;
struct Services;

// The Help menu and the toolbar's help button: pages shipped beside the
// executable, the interpreter's manual and the web addresses, opened with the
// desktop's default program (a failure is reported).
class HelpCommands : public QObject {
    Q_OBJECT
public:
    HelpCommands(Services &services, const RunController &run, QObject *parent = nullptr);

    // A help page from the program folder ("hlp00001.htm").
    void openPage(const QString &page);
    void openContents();
    void openYabasicDocumentation();
    void openGettingStarted();
    void openYabasicHomePage();
    void openVormeldHomePage();

private:
    void open(const QString &target);

    Services &m_svc;
    const RunController &m_run;
};
