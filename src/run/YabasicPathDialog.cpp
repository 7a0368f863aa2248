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
    setObjectName(QStringLiteral("yabasicPathDialog"));
    setWindowTitle(QStringLiteral("Yabasic Path"));
    setModal(true);

    auto *interpreterGroup = new QGroupBox(QStringLiteral("Yabasic \"Interpreter\" Path and Name"), this);
    interpreterGroup->setObjectName(QStringLiteral("interpreterGroup"));
    m_interpreterEdit = new QLineEdit(interpreterGroup);
    m_interpreterEdit->setObjectName(QStringLiteral("interpreterEdit"));
    m_browseButton = new QPushButton(QStringLiteral("Browse..."), interpreterGroup);
    m_browseButton->setObjectName(QStringLiteral("browseButton"));
    m_registryButton = new QPushButton(QStringLiteral("Check in Registry"), interpreterGroup);
    m_registryButton->setObjectName(QStringLiteral("registryButton"));
    auto *browseRow = new QHBoxLayout;
    browseRow->addWidget(m_browseButton);
    browseRow->addWidget(m_registryButton);
    browseRow->addStretch();
    auto *interpreterLayout = new QVBoxLayout(interpreterGroup);
    interpreterLayout->addWidget(m_interpreterEdit);
    interpreterLayout->addLayout(browseRow);

    auto *tempFileGroup = new QGroupBox(QStringLiteral("Temporary Storage Path and Name"), this);
    tempFileGroup->setObjectName(QStringLiteral("tempFileGroup"));
    m_tempFileEdit = new QLineEdit(tempFileGroup);
    m_tempFileEdit->setObjectName(QStringLiteral("tempFileEdit"));
    auto *tempFileHint = new QLabel(QStringLiteral("(Optional, Filename used to run the program)"), tempFileGroup);
    tempFileHint->setObjectName(QStringLiteral("tempFileHint"));
    auto *spacesNote = new QLabel(
        QStringLiteral("With some older versions of yabasic, yabasic cannot run programs stored in "
                       "folders containing spaces. This setting allows you to set the temporary file "
                       "in a folder containing no spaces. In case Vormeld is stored in \"Program Files\""),
        tempFileGroup);
    spacesNote->setObjectName(QStringLiteral("spacesNote"));
    spacesNote->setWordWrap(true);
    auto *tempFileLayout = new QVBoxLayout(tempFileGroup);
    tempFileLayout->addWidget(m_tempFileEdit);
    tempFileLayout->addWidget(tempFileHint);
    tempFileLayout->addWidget(spacesNote);

    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_helpButton = new QPushButton(QStringLiteral("&Help"), this);
    m_helpButton->setObjectName(QStringLiteral("helpButton"));
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_helpButton);
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(interpreterGroup);
    layout->addWidget(tempFileGroup);
    layout->addLayout(buttons);
    resize(480, sizeHint().height());

    // Load: the stored values; the dialog counts as cancelled until OK.
    m_interpreterEdit->setText(AppSettings::readYABPath(m_settings));
    m_tempFileEdit->setText(AppSettings::readTempPath(m_settings));
    m_cancelled = true;

    connect(m_okButton, &QPushButton::clicked, this, &YabasicPathDialog::ok);
    connect(m_cancelButton, &QPushButton::clicked, this, [this] {
        m_cancelled = true;
        reject();
    });
    connect(m_helpButton, &QPushButton::clicked, this, [this] {
        shellOpen(m_shell, m_prompter, programFile(m_programFolder, QStringLiteral("hlp00001.htm")));
    });
    connect(m_browseButton, &QPushButton::clicked, this, &YabasicPathDialog::browse);
    connect(m_registryButton, &QPushButton::clicked, this, &YabasicPathDialog::checkRegistry);
}

void YabasicPathDialog::ok()
{
    m_cancelled = false;
    // Stored exactly as typed; whether the files exist is seen at the next run.
    m_settings.saveSetting(AppSettings::Run, AppSettings::YABPath, m_interpreterEdit->text());
    m_settings.saveSetting(AppSettings::Run, AppSettings::TempPath, m_tempFileEdit->text());
    accept();
}

void YabasicPathDialog::browse()
{
    const InterpreterBrowseSetup setup = interpreterBrowse();
    FileDialogRequest r = FileDialogRequest::of(FileDialogRequest::Open, QStringLiteral("Select YaBasic Interpreter"),
                                                setup.initialName, setup.defaultExtension, setup.filter);
    if (const std::optional<QString> path = m_prompter.fileDialog(r))
        m_interpreterEdit->setText(*path);
}

void YabasicPathDialog::checkRegistry()
{
    if (const std::optional<QString> folder = m_key.readValue(QStringLiteral("path")))
        m_interpreterEdit->setText(*folder + interpreterExecutableName());
}
