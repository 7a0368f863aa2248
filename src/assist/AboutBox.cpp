#include "assist/AboutBox.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

QString AboutBox::programVersion()
{
    return QStringLiteral("%1.%2.%3 Final").arg(VORMELD_VERSION_MAJOR).arg(VORMELD_VERSION_MINOR).arg(VORMELD_VERSION_PATCH);
}

namespace {
QGroupBox *versionFrame(const QString &title, const char *labelName, const QString &text, QWidget *parent)
{
    auto *frame = new QGroupBox(title, parent);
    auto *label = new QLabel(text, frame);
    label->setObjectName(QString::fromLatin1(labelName));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    (new QVBoxLayout(frame))->addWidget(label);
    return frame;
}

QLabel *terms(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}
} // namespace

AboutBox::AboutBox(const QString &yabasicVersion, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutBox"));
    setWindowTitle(QStringLiteral("About Vormeld"));
    setModal(true);

    auto *image = new QLabel(this);
    image->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(48, 48));
    image->setAlignment(Qt::AlignTop);
    auto *okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);

    auto *text = new QVBoxLayout;
    auto *heading = new QLabel(QStringLiteral("Vormeld - a workbench for Yabasic programs"), this);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    text->addWidget(heading);
    auto *versions = new QHBoxLayout;
    versions->addWidget(versionFrame(QStringLiteral("Vormeld version used"), "vormeldVersion", programVersion(), this));
    versions->addWidget(versionFrame(QStringLiteral("Yabasic version used"), "yabasicVersion",
                                     QStringLiteral("yabasic ") + yabasicVersion, this));
    text->addLayout(versions);
    text->addWidget(terms(QStringLiteral("Vormeld is free software (see Help > \"Vormeld's README File\"). "
                                         "It comes with no warranty of any kind."),
                          this));
    text->addWidget(terms(QStringLiteral("Yabasic is a separate program by Marc Ihm and others, distributed under "
                                         "its own licence (the MIT License); see Help > \"Yabasic's COPYING "
                                         "File\". Vormeld contains no part of it."),
                          this));
    auto *okRow = new QHBoxLayout;
    okRow->addStretch();
    okRow->addWidget(okButton);
    text->addLayout(okRow);

    auto *all = new QHBoxLayout(this);
    all->addWidget(image);
    all->addLayout(text, 1);
    resize(440, sizeHint().height());
}
