#include "search/LineReferenceDialog.h"

#include "common/core/FileNames.h"
#include "common/core/ShellErrors.h"
#include "search/core/LineReferences.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

LineReferenceDialog::LineReferenceDialog(LineReferences &references, IPrompter &prompter, IShell &shell,
                       QString programFolder, QWidget *parent)
    : QDialog(parent), m_references(references), m_prompter(prompter), m_shell(shell),
      m_programFolder(std::move(programFolder))
{
    setObjectName(QStringLiteral("frmLineGeo"));
    setWindowTitle(QStringLiteral("Line Reference Properties"));
    setModal(true);

    auto *label1 = new QLabel(QStringLiteral("Caption:"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    label1->setBuddy(Text1);

    auto *label2 = new QLabel(QStringLiteral("Line Geometry:"), this);
    label2->setObjectName(QStringLiteral("Label2"));
    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label4 = new QLabel(this);
    Label4->setObjectName(QStringLiteral("Label4"));

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("Cancel"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command3 = new QPushButton(QStringLiteral("&Help"), this);
    Command3->setObjectName(QStringLiteral("Command3"));

    auto *form = new QGridLayout;
    form->addWidget(label1, 0, 0);
    form->addWidget(Text1, 0, 1);
    form->setRowMinimumHeight(1, 8);
    form->addWidget(label2, 2, 0, 1, 2);
    auto *geometry = new QVBoxLayout;
    geometry->setContentsMargins(16, 0, 0, 0);
    geometry->addWidget(Label3);
    geometry->addWidget(Label4);
    form->addLayout(geometry, 3, 0, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Command3);
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(360, sizeHint().height());

    // Load: the slot's caption and where it points.
    const LineReference &r = m_references.at(m_references.LineRefEditIndex);
    Text1->setText(r.caption);
    Text1->selectAll();
    Label3->setText(QStringLiteral("Character Offset: ") + QString::number(r.characterOffset));
    Label4->setText(QStringLiteral("Line Number: ") + QString::number(r.lineNumber));

    connect(Command1, &QPushButton::clicked, this, &LineReferenceDialog::ok);
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
    connect(Command3, &QPushButton::clicked, this, [this] {
        shellOpen(m_shell, m_prompter,
                           programFile(m_programFolder, QStringLiteral("hlp00001.htm")));
    });
}

void LineReferenceDialog::ok()
{
    m_references.setCaption(m_references.LineRefEditIndex, Text1->text()); // empty is allowed
    accept();
}
