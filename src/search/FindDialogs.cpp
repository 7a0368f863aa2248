#include "search/FindDialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
QGroupBox *optionsBox(QCheckBox **check, QWidget *parent)
{
    auto *box = new QGroupBox(QStringLiteral("Options"), parent);
    *check = new QCheckBox(QStringLiteral("Match Case"), box);
    (*check)->setObjectName(QStringLiteral("matchCaseCheck"));
    auto *l = new QVBoxLayout(box);
    l->addWidget(*check);
    return box;
}

QPushButton *button(const QString &text, const char *name, QWidget *parent)
{
    auto *b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}
} // namespace

FindDialog::FindDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("findDialog"));
    setWindowTitle(QStringLiteral("Find"));
    setModal(true);
    m_findEdit = new QLineEdit(this);
    m_findEdit->setObjectName(QStringLiteral("findEdit"));
    m_findButton = button(QStringLiteral("Find"), "findButton", this);
    m_findButton->setDefault(true);
    m_cancelButton = button(QStringLiteral("Cancel"), "cancelButton", this);
    m_helpButton = button(QStringLiteral("&Help"), "helpButton", this);

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Find:"), this), 0, 0);
    grid->addWidget(m_findEdit, 0, 1);
    grid->addWidget(optionsBox(&m_matchCaseCheck, this), 1, 0, 1, 2);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_findButton);
    buttons->addWidget(m_cancelButton);
    buttons->addWidget(m_helpButton);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 2, 1);
    grid->setColumnMinimumWidth(1, 220);

    m_cancelled = true;
    m_findButton->setEnabled(false);
    connect(m_findEdit, &QLineEdit::textChanged, this,
            [this](const QString &t) { m_findButton->setEnabled(!t.isEmpty()); });
    connect(m_findButton, &QPushButton::clicked, this, [this] {
        if (m_findEdit->text().isEmpty())
            return;
        m_cancelled = false;
        accept();
    });
    connect(m_cancelButton, &QPushButton::clicked, this, [this] {
        m_cancelled = true;
        reject();
    });
    connect(m_helpButton, &QPushButton::clicked, this, &FindDialog::helpRequested);
}

QString FindDialog::searchText() const
{
    return m_findEdit->text();
}

bool FindDialog::matchCase() const
{
    return m_matchCaseCheck->isChecked();
}

ReplaceDialog::ReplaceDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("replaceDialog"));
    setWindowTitle(QStringLiteral("Replace"));
    setModal(false);
    m_findEdit = new QLineEdit(this);
    m_findEdit->setObjectName(QStringLiteral("findEdit"));
    m_replaceEdit = new QLineEdit(this);
    m_replaceEdit->setObjectName(QStringLiteral("replaceEdit"));
    m_findNextButton = button(QStringLiteral("Find Next"), "findNextButton", this);
    m_findNextButton->setDefault(true);
    m_replaceButton = button(QStringLiteral("Replace"), "replaceButton", this);
    m_closeButton = button(QStringLiteral("Close"), "closeButton", this);
    m_helpButton = button(QStringLiteral("&Help"), "helpButton", this);

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Find:"), this), 0, 0);
    grid->addWidget(m_findEdit, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Replace With:"), this), 1, 0);
    grid->addWidget(m_replaceEdit, 1, 1);
    grid->addWidget(optionsBox(&m_matchCaseCheck, this), 2, 0, 1, 2);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(m_findNextButton);
    buttons->addWidget(m_replaceButton);
    buttons->addWidget(m_closeButton);
    buttons->addWidget(m_helpButton);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 3, 1);
    grid->setColumnMinimumWidth(1, 220);

    connect(m_findNextButton, &QPushButton::clicked, this, &ReplaceDialog::findNextRequested);
    connect(m_replaceButton, &QPushButton::clicked, this, &ReplaceDialog::replaceRequested);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::close);
    connect(m_helpButton, &QPushButton::clicked, this, &ReplaceDialog::helpRequested);
}

QString ReplaceDialog::findText() const
{
    return m_findEdit->text();
}

QString ReplaceDialog::replacementText() const
{
    return m_replaceEdit->text();
}

bool ReplaceDialog::matchCase() const
{
    return m_matchCaseCheck->isChecked();
}

void ReplaceDialog::setFindNextEnabled(bool enabled)
{
    m_findNextButton->setEnabled(enabled);
}

void ReplaceDialog::setReplaceEnabled(bool enabled)
{
    m_replaceButton->setEnabled(enabled);
}
