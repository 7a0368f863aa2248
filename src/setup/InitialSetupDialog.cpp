#include "setup/InitialSetupDialog.h"

#include "common/core/Addresses.h"
#include "common/core/AppSettings.h"
#include "common/core/FileNames.h"
#include "common/core/ShellErrors.h"
#include "platform/core/FileAssociation.h"
#include "platform/core/InterpreterKey.h"
#include "platform/core/Prompter.h"
#include "platform/core/SettingsStore.h"
#include "setup/core/VormeldAssociation.h"

#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
QPushButton *button(const QString &caption, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QLabel *label(const QString &text, const char *name, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setWordWrap(true);
    return l;
}

bool isProgram(const QString &path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}
} // namespace

InitialSetupDialog::InitialSetupDialog(SettingsAccess &settings, IInterpreterKey &key, IPrompter &prompter,
                                       IShell &shell, FileAssociation &association, QString programFolder,
                                       QString programPath, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_key(key), m_prompter(prompter), m_shell(shell),
      m_association(association), m_programFolder(std::move(programFolder)),
      m_programPath(std::move(programPath))
{
    setObjectName(QStringLiteral("initialSetupDialog"));
    setWindowTitle(QStringLiteral("Initial Vormeld Setup"));
    setModal(true);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("setupTabs"));

    auto *generalPage = new QWidget(m_tabs);
    auto *general = new QGroupBox(QStringLiteral("General"), generalPage);
    general->setObjectName(QStringLiteral("generalGroup"));
    m_pathEdit = new QLineEdit(general);
    m_pathEdit->setObjectName(QStringLiteral("pathEdit"));
    auto *browseButton = button(QStringLiteral("Browse..."), "browseButton", general);
    auto *registryButton = button(QStringLiteral("Registry Path"), "registryButton", general);
    auto *installButton = button(QStringLiteral("It's still in yabbin.exe!"), "installButton", general);
    auto *elseButton = button(QStringLiteral("I need something else?"), "somethingElseButton", general);
    auto *generalLayout = new QGridLayout(general);
    generalLayout->addWidget(label(QStringLiteral("Vormeld uses yabasic.exe to run the files that are being edited. "
                                                  "Vormeld does not contain an internal interpreter."),
                                   "generalText", general), 0, 0, 1, 2);
    generalLayout->addWidget(label(QStringLiteral("Yabasic Path:"), "pathLabel", general), 1, 0, 1, 2);
    generalLayout->addWidget(m_pathEdit, 2, 0, 1, 2);
    generalLayout->addWidget(browseButton, 3, 0);
    generalLayout->addWidget(registryButton, 3, 1);
    generalLayout->addWidget(installButton, 4, 0);
    generalLayout->addWidget(elseButton, 4, 1);
    auto *generalPageLayout = new QVBoxLayout(generalPage);
    generalPageLayout->addWidget(general);
    generalPageLayout->addStretch();
    m_tabs->addTab(generalPage, QStringLiteral("General"));

    m_tabs->addTab(new QWidget(m_tabs), QStringLiteral("[Empty]"));

    auto *explorerPage = new QWidget(m_tabs);
    auto *explorer = new QGroupBox(QStringLiteral("Explorer"), explorerPage);
    explorer->setObjectName(QStringLiteral("explorerGroup"));
    m_commandLabel = label(QString(), "commandLabel", explorer);
    m_commandLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *defaultButton = button(QStringLiteral("Make Vormeld your default"), "makeDefaultButton", explorer);
    auto *explorerLayout = new QVBoxLayout(explorer);
    explorerLayout->addWidget(label(QStringLiteral("This is the editor that you invoke by right clicking a .yab "
                                                   "file and choosing \"Edit\""), "explorerText", explorer));
    explorerLayout->addWidget(label(QStringLiteral("Your current Yabasic editor is:"), "currentLabel", explorer));
    explorerLayout->addWidget(m_commandLabel);
    explorerLayout->addWidget(defaultButton, 0, Qt::AlignLeft);
    auto *explorerPageLayout = new QVBoxLayout(explorerPage);
    explorerPageLayout->addWidget(explorer);
    explorerPageLayout->addStretch();
    m_tabs->addTab(explorerPage, QStringLiteral("Explorer"));

    auto *okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    auto *helpButton = button(QStringLiteral("&Help"), "helpButton", this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(helpButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addLayout(buttons);
    resize(460, sizeHint().height());

    m_tabs->setCurrentIndex(0);
    m_commandLabel->setText(m_association.currentCommand());
    fillFromRegistry();

    connect(okButton, &QPushButton::clicked, this, &InitialSetupDialog::ok);
    connect(helpButton, &QPushButton::clicked, this, [this] {
        shellOpen(m_shell, m_prompter, programFile(m_programFolder, QStringLiteral("strthelp.html")));
    });
    connect(browseButton, &QPushButton::clicked, this, &InitialSetupDialog::browse);
    connect(registryButton, &QPushButton::clicked, this, &InitialSetupDialog::fillFromRegistry);
    connect(installButton, &QPushButton::clicked, this, &InitialSetupDialog::installInterpreter);
    connect(elseButton, &QPushButton::clicked, this,
            [this] { shellOpen(m_shell, m_prompter, Addresses::YabasicHomePage); });
    connect(defaultButton, &QPushButton::clicked, this, &InitialSetupDialog::makeDefault);
}

void InitialSetupDialog::ok()
{
    m_settings.saveSetting(AppSettings::Startup, AppSettings::FirstDone, true);
    m_settings.saveSetting(AppSettings::Run, AppSettings::YABPath, m_pathEdit->text());
    accept();
}

void InitialSetupDialog::browse()
{
    const InterpreterBrowseSetup setup = interpreterBrowse();
    FileDialogRequest r;
    r.title = QStringLiteral("Select YaBasic Interpreter");
    r.initialName = setup.initialName;
    r.defaultExtension = setup.defaultExtension;
    r.filter = setup.filter;
    if (const std::optional<QString> path = m_prompter.fileDialog(r))
        m_pathEdit->setText(*path);
}

void InitialSetupDialog::fillFromRegistry()
{
    if (const std::optional<QString> folder = m_key.readValue(QStringLiteral("path")))
        m_pathEdit->setText(*folder + interpreterExecutableName());
}

void InitialSetupDialog::installInterpreter()
{
    // The interpreter comes from the system's packages; a downloaded setup
    // program is never unpacked or run.
    const QString exe = interpreterExecutableName();
    const QString installed = QStandardPaths::findExecutable(exe);
    QString text = QStringLiteral(
        "Vormeld does not unpack or run downloaded setup programs. Install the Yabasic "
        "interpreter with your system's package manager, for example:\n\n"
        "    sudo apt-get install yabasic\n\n"
        "or install your distribution's yabasic package.\n\n");
    if (!installed.isEmpty())
        text += QStringLiteral("It is installed here: %1\n\n").arg(QDir::toNativeSeparators(installed));
    text += QStringLiteral("Then show Vormeld where it is.\n"
                           "Yes: choose the yabasic program. No: choose the folder that holds it.");
    const MsgResult answer = m_prompter.ask(QStringLiteral("Setup Prompt"), text, MsgButtons::YesNoCancel,
                                            MsgIcon::Information, MsgResult::Yes);
    if (answer == MsgResult::Yes) {
        FileDialogRequest r;
        r.title = QStringLiteral("Select the yabasic program");
        r.filter = interpreterBrowse().filter;
        const std::optional<QString> path = m_prompter.fileDialog(r);
        if (!path)
            return;
        if (isProgram(*path))
            m_pathEdit->setText(*path);
        else
            m_prompter.ask(QStringLiteral("Setup Prompt"),
                           QStringLiteral("%1 is not a program that can be run.").arg(QDir::toNativeSeparators(*path)),
                           MsgButtons::OK, MsgIcon::Exclamation);
    } else if (answer == MsgResult::No) {
        FileDialogRequest r;
        r.kind = FileDialogRequest::Folder;
        r.title = QStringLiteral("Select the folder that holds yabasic");
        const std::optional<QString> folder = m_prompter.fileDialog(r);
        if (!folder)
            return;
        const QString path = QDir(*folder).filePath(exe);
        if (isProgram(path))
            m_pathEdit->setText(path);
        else
            m_prompter.ask(QStringLiteral("Setup Prompt"),
                           QStringLiteral("There is no %1 program in %2.").arg(exe, QDir::toNativeSeparators(*folder)),
                           MsgButtons::OK, MsgIcon::Exclamation);
    }
}

void InitialSetupDialog::makeDefault()
{
    m_commandLabel->setText(VormeldAssociation::makeDefault(m_association, m_prompter, m_programPath));
}
