#include "assist/HelpViewer.h"

#include "common/core/ShellErrors.h"
#include "platform/DesktopShell.h"

#include <QApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QShortcut>
#include <QVBoxLayout>

HelpViewer::HelpViewer(IShell &shell, IPrompter &prompter, QWidget *owner)
    : QWidget(owner, Qt::Window), m_shell(shell), m_prompter(prompter)
{
    setObjectName(QStringLiteral("helpViewer"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    m_browser->setOpenLinks(false);
    auto *back = new QPushButton(QStringLiteral("< Back"), this);
    back->setObjectName(QStringLiteral("backButton"));
    back->setEnabled(false);
    auto *forward = new QPushButton(QStringLiteral("Forward >"), this);
    forward->setObjectName(QStringLiteral("forwardButton"));
    forward->setEnabled(false);
    auto *row = new QHBoxLayout;
    row->addWidget(back);
    row->addWidget(forward);
    row->addStretch();
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(m_browser);
    resize(720, 560);
    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);

    connect(back, &QPushButton::clicked, m_browser, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, m_browser, &QTextBrowser::forward);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(m_browser, &QTextBrowser::anchorClicked, this, &HelpViewer::linkClicked);
    connect(m_browser, &QTextBrowser::sourceChanged, this,
            [this] { setWindowTitle(m_browser->documentTitle().isEmpty() ? QStringLiteral("Vormeld Help")
                                                                           : m_browser->documentTitle()); });
}

void HelpViewer::showPage(const QString &path)
{
    m_browser->setSource(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}

void HelpViewer::linkClicked(const QUrl &link)
{
    const QUrl target = m_browser->source().resolved(link);
    if (target.isLocalFile() && QFileInfo(target.toLocalFile()).isFile())
        m_browser->setSource(target);
    else if (target.isLocalFile())
        shellOpen(m_shell, m_prompter, target.toLocalFile()); // told as a missing page
    else
        shellOpen(m_shell, m_prompter, target.toString());
}

bool HelpViewerShell::isLocalPage(const QString &target)
{
    if (DesktopShell::isAddress(target))
        return false;
    const QFileInfo info(QString(target).replace(QLatin1Char('\\'), QLatin1Char('/')));
    const QString suffix = info.suffix().toLower();
    return info.isFile() && (suffix == QLatin1String("htm") || suffix == QLatin1String("html"));
}

int HelpViewerShell::open(const QString &target)
{
    const int result = m_desktop.open(target);
    if (result != ShellResult::NoAssociation || !isLocalPage(target))
        return result;
    if (!m_viewer) {
        // While a modal dialog is up only its own windows can be used.
        QWidget *owner = QApplication::activeModalWidget();
        m_viewer = new HelpViewer(m_desktop, m_prompter, owner ? owner : m_owner.data());
    }
    m_viewer->showPage(QString(target).replace(QLatin1Char('\\'), QLatin1Char('/')));
    m_viewer->show();
    m_viewer->raise();
    m_viewer->activateWindow();
    return ShellResult::Success;
}
