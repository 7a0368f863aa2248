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
    setObjectName(QStringLiteral("lineReferenceDialog"));
    setWindowTitle(QStringLiteral("Line Reference Properties"));
    setModal(true);

    auto *captionLabel = new QLabel(QStringLiteral("Caption:"), this);
    captionLabel->setObjectName(QStringLiteral("captionLabel"));
    m_captionEdit = new QLineEdit(this);
    m_captionEdit->setObjectName(QStringLiteral("captionEdit"));
    captionLabel->setBuddy(m_captionEdit);

    auto *geometryLabel = new QLabel(QStringLiteral("Line Geometry:"), this);
    geometryLabel->setObjectName(QStringLiteral("geometryLabel"));
    m_offsetLabel = new QLabel(this);
    m_offsetLabel->setObjectName(QStringLiteral("offsetLabel"));
    m_lineNumberLabel = new QLabel(this);
    m_lineNumberLabel->setObjectName(QStringLiteral("lineNumberLabel"));

    m_okButton = new QPushButton(QStringLiteral("OK"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setDefault(true);
    m_cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancelButton->setObjectName(QStringLiteral("cancelButton"));
    m_helpButton = new QPushButton(QStringLiteral("&Help"), this);
    m_helpButton->setObjectName(QStringLiteral("helpButton"));

    auto *form = new QGridLayout;
    form->addWidget(captionLabel, 0, 0);
    form->addWidget(m_captionEdit, 0, 1);
    form->setRowMinimumHeight(1, 8);
    form->addWidget(geometryLabel, 2, 0, 1, 2);
    auto *geometry = new QVBoxLayout;
    geometry->setContentsMargins(16, 0, 0, 0);
    geometry->addWidget(m_offsetLabel);
    geometry->addWidget(m_lineNumberLabel);
    form->addLayout(geometry, 3, 0, 1, 2);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_helpButton);
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch();
    layout->addLayout(buttons);
    resize(360, sizeHint().height());

    // Load: the slot's caption and where it points.
    const LineReference &r = m_references.at(m_references.LineRefEditIndex);
    m_captionEdit->setText(r.caption);
    m_captionEdit->selectAll();
    m_offsetLabel->setText(QStringLiteral("Character Offset: ") + QString::number(r.characterOffset));
    m_lineNumberLabel->setText(QStringLiteral("Line Number: ") + QString::number(r.lineNumber));

    connect(m_okButton, &QPushButton::clicked, this, &LineReferenceDialog::ok);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_helpButton, &QPushButton::clicked, this, [this] {
        shellOpen(m_shell, m_prompter,
                           programFile(m_programFolder, QStringLiteral("hlp00001.htm")));
    });
}

void LineReferenceDialog::ok()
{
    m_references.setCaption(m_references.LineRefEditIndex, m_captionEdit->text()); // empty is allowed
    accept();
}
