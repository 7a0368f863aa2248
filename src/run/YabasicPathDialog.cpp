#include "run/YabasicPathDialog.h"

#include "common/core/AppSettings.h"
#include "common/core/FileNames.h"
#include "common/core/ShellErrors.h"
#include "platform/core/InterpreterKey.h"
#include "platform/core/Prompter.h"
#include "platform/core/SettingsStore.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

YabasicPathDialog::YabasicPathDialog(SettingsAccess &settings, IInterpreterKey &key, IPrompter &prompter,
                               IShell &shell, QString programFolder, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_key(key), m_prompter(prompter), m_shell(shell),
      m_programFolder(std::move(programFolder))
{
    setObjectName(QStringLiteral("frmYabasicPath"));
    setWindowTitle(QStringLiteral("Yabasic Path"));
    setModal(true);

    auto *frame1 = new QGroupBox(QStringLiteral("Yabasic \"Interpreter\" Path and Name"), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    Text1 = new QLineEdit(frame1);
    Text1->setObjectName(QStringLiteral("Text1"));
    Command4 = new QPushButton(QStringLiteral("Browse..."), frame1);
    Command4->setObjectName(QStringLiteral("Command4"));
    Command5 = new QPushButton(QStringLiteral("Check in Registry"), frame1);
    Command5->setObjectName(QStringLiteral("Command5"));
    auto *row1 = new QHBoxLayout;
    row1->addWidget(Command4);
    row1->addWidget(Command5);
    row1->addStretch();
    auto *f1 = new QVBoxLayout(frame1);
    f1->addWidget(Text1);
    f1->addLayout(row1);

    auto *frame2 = new QGroupBox(QStringLiteral("Temporary Storage Path and Name"), this);
    frame2->setObjectName(QStringLiteral("Frame2"));
    Text2 = new QLineEdit(frame2);
    Text2->setObjectName(QStringLiteral("Text2"));
    auto *label3 = new QLabel(QStringLiteral("(Optional, Filename used to run the program)"), frame2);
    label3->setObjectName(QStringLiteral("Label3"));
    auto *label1 = new QLabel(
        QStringLiteral("With some older versions of yabasic, yabasic cannot run programs stored in "
                       "folders containing spaces. This setting allows you to set the temporary file "
                       "in a folder containing no spaces. In case Vormeld is stored in \"Program Files\""),
        frame2);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setWordWrap(true);
    auto *f2 = new QVBoxLayout(frame2);
    f2->addWidget(Text2);
    f2->addWidget(label3);
    f2->addWidget(label1);

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("Cancel"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command3 = new QPushButton(QStringLiteral("&Help"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Command3);
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(frame1);
    layout->addWidget(frame2);
    layout->addLayout(buttons);
    resize(480, sizeHint().height());

    // Load: the stored values; the dialog counts as cancelled until OK.
    Text1->setText(AppSettings::readYABPath(m_settings));
    Text2->setText(AppSettings::readTempPath(m_settings));
    dialogCancelled = true;

    connect(Command1, &QPushButton::clicked, this, &YabasicPathDialog::ok);
    connect(Command2, &QPushButton::clicked, this, [this] {
        dialogCancelled = true;
        reject();
    });
    connect(Command3, &QPushButton::clicked, this, [this] {
        shellOpen(m_shell, m_prompter, programFile(m_programFolder, QStringLiteral("hlp00001.htm")));
    });
    connect(Command4, &QPushButton::clicked, this, &YabasicPathDialog::browse);
    connect(Command5, &QPushButton::clicked, this, &YabasicPathDialog::checkRegistry);
}

void YabasicPathDialog::ok()
{
    dialogCancelled = false;
    // Stored exactly as typed; whether the files exist is seen at the next run.
    m_settings.saveSetting(AppSettings::Run, AppSettings::YABPath, Text1->text());
    m_settings.saveSetting(AppSettings::Run, AppSettings::TempPath, Text2->text());
    accept();
}

void YabasicPathDialog::browse()
{
    const InterpreterBrowseSetup setup = interpreterBrowse();
    FileDialogRequest r;
    r.kind = FileDialogRequest::Open;
    r.title = QStringLiteral("Select YaBasic Interpreter");
    r.initialName = setup.initialName;
    r.defaultExtension = setup.defaultExtension;
    r.filter = setup.filter;
    r.filterIndex = 1;
    r.fileMustExist = true;
    if (const std::optional<QString> path = m_prompter.fileDialog(r))
        Text1->setText(*path);
}

void YabasicPathDialog::checkRegistry()
{
    if (const std::optional<QString> folder = m_key.readValue(QStringLiteral("path")))
        Text1->setText(*folder + interpreterExecutableName());
}
