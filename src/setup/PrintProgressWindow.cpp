#include "setup/PrintProgressWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

PrintProgressWindow::PrintProgressWindow(QWidget *owner) : QDialog(owner)
{
    setObjectName(QStringLiteral("printProgressWindow"));
    setWindowTitle(QStringLiteral("Printing..."));
    setModal(false);
    auto *now = new QLabel(QStringLiteral("Now Printing..."), this);
    now->setObjectName(QStringLiteral("nowPrintingLabel"));
    auto *status = new QLabel(this);
    status->setObjectName(QStringLiteral("statusLabel"));
    status->setMinimumWidth(220);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(now);
    layout->addWidget(status);
    layout->addLayout(buttons);
    connect(cancel, &QPushButton::clicked, this, &PrintProgressWindow::cancelRequested);
}

void PrintProgressWindow::setStatus(const QString &text)
{
    findChild<QLabel *>(QStringLiteral("statusLabel"))->setText(text);
}

void PrintProgressWindow::reject()
{
    emit cancelRequested();
}
