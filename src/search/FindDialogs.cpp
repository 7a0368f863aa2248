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
    (*check)->setObjectName(QStringLiteral("Check1"));
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
    setObjectName(QStringLiteral("frmFind"));
    setWindowTitle(QStringLiteral("Find"));
    setModal(true);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    FindButton = button(QStringLiteral("Find"), "FindButton", this);
    FindButton->setDefault(true);
    CancelButton = button(QStringLiteral("Cancel"), "CancelButton", this);
    HelpButton = button(QStringLiteral("&Help"), "HelpButton", this);

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Find:"), this), 0, 0);
    grid->addWidget(Text1, 0, 1);
    grid->addWidget(optionsBox(&Check1, this), 1, 0, 1, 2);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(FindButton);
    buttons->addWidget(CancelButton);
    buttons->addWidget(HelpButton);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 2, 1);
    grid->setColumnMinimumWidth(1, 220);

    dialogCancelled = true;
    FindButton->setEnabled(false);
    connect(Text1, &QLineEdit::textChanged, this,
            [this](const QString &t) { FindButton->setEnabled(!t.isEmpty()); });
    connect(FindButton, &QPushButton::clicked, this, [this] {
        if (Text1->text().isEmpty())
            return;
        dialogCancelled = false;
        accept();
    });
    connect(CancelButton, &QPushButton::clicked, this, [this] {
        dialogCancelled = true;
        reject();
    });
    connect(HelpButton, &QPushButton::clicked, this, &FindDialog::helpRequested);
}

QString FindDialog::searchText() const
{
    return Text1->text();
}

bool FindDialog::matchCase() const
{
    return Check1->isChecked();
}

ReplaceDialog::ReplaceDialog(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmReplace"));
    setWindowTitle(QStringLiteral("Replace"));
    setModal(false);
    FindBox = new QLineEdit(this);
    FindBox->setObjectName(QStringLiteral("FindBox"));
    ReplaceBox = new QLineEdit(this);
    ReplaceBox->setObjectName(QStringLiteral("ReplaceBox"));
    FindNextButton = button(QStringLiteral("Find Next"), "FindNextButton", this);
    FindNextButton->setDefault(true);
    ReplaceButton = button(QStringLiteral("Replace"), "ReplaceButton", this);
    CloseButton = button(QStringLiteral("Close"), "CloseButton", this);
    HelpButton = button(QStringLiteral("&Help"), "HelpButton", this);

    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Find:"), this), 0, 0);
    grid->addWidget(FindBox, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Replace With:"), this), 1, 0);
    grid->addWidget(ReplaceBox, 1, 1);
    grid->addWidget(optionsBox(&Check1, this), 2, 0, 1, 2);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(FindNextButton);
    buttons->addWidget(ReplaceButton);
    buttons->addWidget(CloseButton);
    buttons->addWidget(HelpButton);
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 3, 1);
    grid->setColumnMinimumWidth(1, 220);

    connect(FindNextButton, &QPushButton::clicked, this, &ReplaceDialog::findNextRequested);
    connect(ReplaceButton, &QPushButton::clicked, this, &ReplaceDialog::replaceRequested);
    connect(CloseButton, &QPushButton::clicked, this, &QDialog::close);
    connect(HelpButton, &QPushButton::clicked, this, &ReplaceDialog::helpRequested);
}
