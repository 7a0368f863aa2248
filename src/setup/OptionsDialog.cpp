#include "setup/OptionsDialog.h"

#include "common/core/AppSettings.h"
#include "common/core/FileNames.h"
#include "common/core/ShellErrors.h"
#include "platform/core/FileAssociation.h"
#include "platform/core/SettingsStore.h"
#include "setup/core/VormeldAssociation.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QCheckBox *check(const QString &caption, const char *name, bool on, QWidget *parent)
{
    auto *c = new QCheckBox(caption, parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setChecked(on);
    return c;
}

QPushButton *button(const QString &caption, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}
} // namespace

OptionsDialog::OptionsDialog(SettingsAccess &settings, IPrompter &prompter, IShell &shell,
                             FileAssociation &association, QString programFolder, QString programPath,
                             QWidget *parent)
    : QDialog(parent), m_settings(settings), m_prompter(prompter), m_shell(shell), m_association(association),
      m_programFolder(std::move(programFolder)), m_programPath(std::move(programPath))
{
    setObjectName(QStringLiteral("optionsDialog"));
    setWindowTitle(QStringLiteral("Options"));
    setModal(true);

    // Each box shows what the program does with the stored value (missing: the default).
    auto *general = new QGroupBox(QStringLiteral("General"), this);
    general->setObjectName(QStringLiteral("generalGroup"));
    m_langHelp = check(QStringLiteral("Show Language Helper at Startup"), "langHelpCheck",
                       AppSettings::showLangHelpAtStart(settings), general);
    m_drawPad = check(QStringLiteral("Show Draw Pad at Startup"), "drawPadCheck",
                      AppSettings::showDrawPadAtStart(settings), general);
    m_tips = check(QStringLiteral("Show Tips of the Day at Startup"), "tipsCheck",
                   AppSettings::showTipsAtStart(settings), general);
    m_autoIndent = check(QStringLiteral("Automatically indent lines"), "autoIndentCheck",
                         AppSettings::readAutoIndent(settings), general);
    m_everyKeyword = check(QStringLiteral("Colour every Yabasic keyword"), "everyKeywordCheck",
                           AppSettings::readEveryKeyword(settings), general);
    auto *generalLayout = new QVBoxLayout(general);
    for (QCheckBox *c : {m_langHelp, m_drawPad, m_tips, m_autoIndent, m_everyKeyword})
        generalLayout->addWidget(c);

    auto *explorer = new QGroupBox(QStringLiteral("Explorer"), this);
    explorer->setObjectName(QStringLiteral("explorerGroup"));
    auto *editorLabel = new QLabel(QStringLiteral("Editor used for editing yabasic files on system:"), explorer);
    m_commandLabel = new QLabel(m_association.currentCommand(), explorer);
    m_commandLabel->setObjectName(QStringLiteral("commandLabel"));
    m_commandLabel->setWordWrap(true);
    m_commandLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *setButton = button(QStringLiteral("Set for Vormeld"), "setForVormeldButton", explorer);
    auto *explorerLayout = new QVBoxLayout(explorer);
    explorerLayout->addWidget(editorLabel);
    explorerLayout->addWidget(m_commandLabel);
    explorerLayout->addWidget(setButton, 0, Qt::AlignLeft);

    auto *okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    auto *cancelButton = button(QStringLiteral("Cancel"), "cancelButton", this);
    auto *helpButton = button(QStringLiteral("&Help"), "helpButton", this);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton);
    buttons->addWidget(cancelButton);
    buttons->addWidget(helpButton);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(general);
    layout->addWidget(explorer);
    layout->addLayout(buttons);
    resize(420, sizeHint().height());

    connect(okButton, &QPushButton::clicked, this, &OptionsDialog::ok);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton, &QPushButton::clicked, this, [this] {
        shellOpen(m_shell, m_prompter, programFile(m_programFolder, QStringLiteral("hlp00001.htm")));
    });
    connect(setButton, &QPushButton::clicked, this, [this] {
        m_commandLabel->setText(VormeldAssociation::makeDefault(m_association, m_prompter, m_programPath));
    });
}

bool OptionsDialog::autoIndent() const { return m_autoIndent->isChecked(); }
bool OptionsDialog::everyKeyword() const { return m_everyKeyword->isChecked(); }

void OptionsDialog::ok()
{
    const std::pair<const QString &, QCheckBox *> stored[] = {
        {AppSettings::LangHelp, m_langHelp}, {AppSettings::DrawPad, m_drawPad}, {AppSettings::Tips, m_tips}};
    for (const auto &[key, box] : stored)
        m_settings.saveSetting(AppSettings::Startup, key, box->isChecked() ? 1 : 0);
    m_settings.saveSetting(AppSettings::Edit, AppSettings::AutoIndent, m_autoIndent->isChecked() ? 1 : 0);
    m_settings.saveSetting(AppSettings::Edit, AppSettings::EveryKeyword, m_everyKeyword->isChecked() ? 1 : 0);
    accept();
}
