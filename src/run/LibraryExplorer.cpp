#include "run/LibraryExplorer.h"

#include "common/core/AppSettings.h"
#include "common/core/FileNames.h"
#include "platform/core/InterpreterKey.h"
#include "platform/core/Prompter.h"
#include "platform/core/ProcessLauncher.h"
#include "platform/core/Services.h"
#include "run/core/DocuColouring.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QVBoxLayout>

namespace {
QLabel *wrappedLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}
} // namespace

LibraryExplorer::LibraryExplorer(Services &services, const SettingsAccess &settings,
                                 const QString &programFile, QWidget *parent)
    : QWidget(parent), m_svc(services), m_settings(settings), m_request(new DocuRequest(this))
{
    setObjectName(QStringLiteral("libraryExplorer"));
    setWindowTitle(QStringLiteral("Library Explorer"));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(760, 440);

    m_libraryList = new QListWidget(this);
    m_libraryList->setObjectName(QStringLiteral("libraryList"));
    m_libraryList->setMaximumWidth(220);

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("libraryTabs"));
    auto *general = new QGroupBox(QStringLiteral("General"));
    auto *pathFrame = new QGroupBox(QStringLiteral("Library Path"), general);
    m_libraryPathEdit = new QLineEdit(pathFrame);
    m_libraryPathEdit->setObjectName(QStringLiteral("libraryPathEdit"));
    m_libraryPathEdit->setReadOnly(true);
    auto *pathLayout = new QVBoxLayout(pathFrame);
    pathLayout->addWidget(wrappedLabel(QStringLiteral("The library path is retrieved from yabasic's registry "
                                                      "settings. The current settings are:"),
                                       pathFrame));
    pathLayout->addWidget(m_libraryPathEdit);
    auto *insertFrame = new QGroupBox(QStringLiteral("To Insert in your Project"), general);
    m_importEdit = new QLineEdit(insertFrame);
    m_importEdit->setObjectName(QStringLiteral("importEdit"));
    m_importEdit->setReadOnly(true);
    auto *insertLayout = new QVBoxLayout(insertFrame);
    insertLayout->addWidget(wrappedLabel(QStringLiteral("To insert this library in your project, insert the "
                                                        "following line beneath the #! line (if there is one) "
                                                        "and on top of everything else:"),
                                         insertFrame));
    insertLayout->addWidget(m_importEdit);
    m_openButton = new QPushButton(QStringLiteral("Open in New Instance"), general);
    m_openButton->setObjectName(QStringLiteral("openButton"));
    auto *generalLayout = new QVBoxLayout(general);
    generalLayout->addWidget(pathFrame);
    generalLayout->addWidget(insertFrame);
    generalLayout->addWidget(m_openButton, 0, Qt::AlignRight);
    generalLayout->addStretch();
    m_docuView = new QTextEdit;
    m_docuView->setObjectName(QStringLiteral("docuView"));
    m_docuView->setReadOnly(true);
    m_docuView->setLineWrapMode(QTextEdit::NoWrap);
    m_tabs->addTab(general, QStringLiteral("General"));
    m_tabs->setTabToolTip(0, QStringLiteral("General Library Information"));
    m_tabs->addTab(m_docuView, QStringLiteral("Embedded Docu"));
    m_tabs->setTabToolTip(1, QStringLiteral("Embedded Docu Information of the Library"));

    m_statusLabel = new QLabel(this);
    m_statusLabel->setObjectName(QStringLiteral("statusLabel"));
    m_statusLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *statusRow = new QHBoxLayout;
    statusRow->addWidget(new QLabel(QStringLiteral("Status:"), this));
    statusRow->addWidget(m_statusLabel, 1);
    auto *top = new QHBoxLayout;
    top->addWidget(m_libraryList);
    top->addWidget(m_tabs, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(statusRow);

    connect(m_libraryList, &QListWidget::currentRowChanged, this, &LibraryExplorer::showLibrary);
    connect(m_openButton, &QPushButton::clicked, this, &LibraryExplorer::openInNewInstance);
    connect(m_request, &DocuRequest::answered, this, &LibraryExplorer::showDocu);

    m_libraryPathEdit->setText(
        LibraryList::libraryFolder(m_svc.interpreterKey->readValue(QStringLiteral("librarypath")).value_or(QString())));
    fillLibraryList(programFile);
}

QString LibraryExplorer::interpreterPath() const
{
    const QString yabPath = AppSettings::readYABPath(m_settings);
    if (!yabPath.isEmpty())
        return yabPath;
    const QString folder = m_svc.interpreterKey->readValue(QStringLiteral("path")).value_or(QString());
    return folder + interpreterExecutableName();
}

void LibraryExplorer::fillLibraryList(const QString &programFile)
{
    m_libraries = LibraryList::fillLibraryList(m_libraryPathEdit->text(), programFile, m_svc.programFolder,
                                               interpreterImportsFromProgramFolders(), &m_folderProblem);
    m_libraryList->clear();
    if (m_libraries.isEmpty()) {
        m_libraryList->addItem(LibraryList::NoLibrary);
        m_openButton->setEnabled(false);
        setStatus(m_folderProblem, !m_folderProblem.isEmpty());
        return;
    }
    for (const LibraryEntry &library : std::as_const(m_libraries)) {
        auto *item = new QListWidgetItem(library.displayText(), m_libraryList);
        item->setToolTip(library.filePath());
    }
    m_libraryList->setCurrentRow(0);
}

void LibraryExplorer::showLibrary(int index)
{
    if (index < 0 || index >= m_libraries.size())
        return;
    const LibraryEntry &library = m_libraries.at(index);
    m_shownFile = QStringLiteral("File is known as ") + library.fileName;
    m_importEdit->setText(QStringLiteral("import ") + library.name);
    setStatus(m_shownFile + QStringLiteral(" - waiting for its documentation..."));
    m_request->request(interpreterPath(), library.filePath(), m_docuLimitMs);
}

void LibraryExplorer::showDocu(const QString &text, DocuRequest::End end, const QString &reason)
{
    if (end == DocuRequest::End::NotStarted) {
        setStatus(QStringLiteral("Err: YABASIC.EXE -lib failed"), true);
        m_statusLabel->setToolTip(interpreterPath() + QStringLiteral(": ") + reason);
        return;
    }
    m_statusLabel->setToolTip(QString());
    setStatus(end == DocuRequest::End::TimedOut
                  ? m_shownFile + QStringLiteral(" - the interpreter did not finish within %1 seconds and was "
                                                 "stopped; its documentation may be incomplete")
                                      .arg(m_docuLimitMs / 1000.0)
                  : m_shownFile,
              end == DocuRequest::End::TimedOut);
    m_docuView->setPlainText(text);
    QTextCursor cursor(m_docuView->document());
    // The whole text black and not bold first: a new text would take on the format at the old caret.
    QTextCharFormat plain;
    plain.setForeground(QColor(0, 0, 0));
    plain.setFontWeight(QFont::Normal);
    cursor.select(QTextCursor::Document);
    cursor.setCharFormat(plain);
    for (const DocuColouring::Range &range : DocuColouring::ranges(text)) {
        cursor.setPosition(int(range.start));
        cursor.setPosition(int(range.start + range.length), QTextCursor::KeepAnchor);
        QTextCharFormat format;
        if (range.kind == DocuColouring::Range::Usage)
            format.setFontWeight(QFont::Bold);
        else
            format.setForeground(range.kind == DocuColouring::Range::Title ? QColor(0, 140, 0) : QColor(0, 0, 191));
        cursor.mergeCharFormat(format);
    }
    m_docuView->moveCursor(QTextCursor::Start);
}

void LibraryExplorer::openInNewInstance()
{
    const int index = m_libraryList->currentRow();
    if (index < 0 || index >= m_libraries.size())
        return;
    const QString command = quoteArgument(programFile(m_svc.programFolder, programExecutableName()))
                            + QLatin1Char(' ') + quoteArgument(m_libraries.at(index).filePath());
    if (!m_svc.launcher->start(command, WindowStyle::NormalFocus))
        m_svc.prompter->ask(QStringLiteral("Open in New Instance"),
                            QStringLiteral("Vormeld could not be started:\r\n") + command, MsgButtons::OK,
                            MsgIcon::Critical);
}

void LibraryExplorer::setStatus(const QString &text, bool failed)
{
    m_statusLabel->setText(text);
    QPalette palette = m_statusLabel->palette();
    palette.setColor(QPalette::WindowText, failed ? QColor(255, 0, 0) : this->palette().color(QPalette::ButtonText));
    m_statusLabel->setPalette(palette);
}
