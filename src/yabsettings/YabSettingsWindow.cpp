#include "yabsettings/YabSettingsWindow.h"

#include "common/core/AppSettings.h"
#include "common/core/FileNames.h"
#include "common/core/ShellErrors.h"
#include "platform/core/InterpreterKey.h"
#include "platform/core/ProcessLauncher.h"
#include "platform/core/Prompter.h"
#include "platform/core/Services.h"
#include "platform/core/SettingsStore.h"
#include "platform/core/TextFile.h"
#include "run/core/RunCommand.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QVBoxLayout>

using namespace YabSettingsFile;

namespace {

const QString GeometryTip = QStringLiteral("e.g. +10+10 makes grafics window 10px and from left 10px from top");

QComboBox *combo(const char *name, const QStringList &items, int index, bool editable, QWidget *parent)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setEditable(editable);
    c->setMaxVisibleItems(20);
    c->addItems(items);
    c->setCurrentIndex(index);
    if (index < 0 && editable)
        c->setEditText(QString());
    return c;
}

QLineEdit *lineEdit(const char *name, QWidget *parent)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setToolTip(GeometryTip);
    return e;
}

// A level list's index set from a file or the program: -1 clears the selection.
void setLevel(QComboBox *c, int index)
{
    if (index >= -1 && index < c->count())
        c->setCurrentIndex(index);
}

void setText(QComboBox *c, const QString &text)
{
    c->setCurrentIndex(c->findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive));
    c->setEditText(text);
}

} // namespace

YabSettingsWindow::YabSettingsWindow(Services &services, SettingsAccess &settings, QWidget *owner)
    : QMainWindow(owner, Qt::Window), m_svc(services), m_settings(settings)
{
    setObjectName(QStringLiteral("yabSettingsWindow"));
    setWindowTitle(QStringLiteral("Yabasic Settings"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildMenus();
    auto *central = new QWidget(this);
    auto *groups = new QHBoxLayout;
    groups->addWidget(buildWindowsGroup(), 0, Qt::AlignTop);
    groups->addWidget(buildUnixGroup(), 0, Qt::AlignTop);
    m_noticeLabel = new QLabel(central);
    m_noticeLabel->setObjectName(QStringLiteral("noticeLabel"));
    m_noticeLabel->setWordWrap(true);
    m_noticeLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *layout = new QVBoxLayout(central);
    layout->addLayout(groups);
    layout->addWidget(m_noticeLabel);
    layout->addStretch();
    setCentralWidget(central);
}

void YabSettingsWindow::buildMenus()
{
    const auto item = [this](QMenu *menu, const char *name, const QString &caption, auto slot) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    item(file, "fileOpen", QStringLiteral("&Open Settings File"), &YabSettingsWindow::openSettingsFile);
    item(file, "fileSave", QStringLiteral("&Save Settings File"), &YabSettingsWindow::saveSettingsFile);
    file->addSeparator();
    item(file, "fileLoadRegistry", QStringLiteral("&Load Registry Settings"), &YabSettingsWindow::loadRegistrySettings);
    item(file, "fileSetRegistry", QStringLiteral("Set as &Registry Settings"), &YabSettingsWindow::setRegistrySettings);
    file->addSeparator();
    item(file, "fileClose", QStringLiteral("&Close"), &QWidget::close);
    QMenu *line = menuBar()->addMenu(QStringLiteral("&Line"));
    line->setObjectName(QStringLiteral("lineMenu"));
    item(line, "lineCopyUnix", QStringLiteral("&Copy Unix Line to Clipboard"), [this] { copyLine(0); });
    item(line, "lineCopyWindows", QStringLiteral("&Copy Windows Line to Clipboard"), [this] { copyLine(1); });
    line->addSeparator();
    item(line, "lineUseForRunning", QStringLiteral("&Use for Running"), &YabSettingsWindow::useForRunning)
        ->setToolTip(QStringLiteral("Runs (F5) pass the Unix options to the interpreter"));
    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("helpMenu"));
    item(help, "helpReference", QStringLiteral("&Reference"), [this] {
        shellOpen(*m_svc.shell, *m_svc.prompter, programFile(m_svc.programFolder, QStringLiteral("hlp00001.htm")));
    });
}

QWidget *YabSettingsWindow::buildWindowsGroup()
{
    auto *box = new QGroupBox(QStringLiteral("Windows Options"));
    m_windowsGeometryEdit = lineEdit("windowsGeometryEdit", box);
    m_windowsFontCombo = combo("windowsFontCombo", fontFamilies(), 1, true, box);
    m_windowsSizeCombo = combo("windowsSizeCombo", fontSizes(), 4, true, box);
    m_windowsSizeCombo->setToolTip(QStringLiteral("Font Size"));
    m_windowsLevelCombo = combo("windowsLevelCombo", levelCaptions(), 2, false, box);
    auto *grid = new QGridLayout(box);
    grid->addWidget(new QLabel(QStringLiteral("Geometry String:"), box), 0, 0);
    grid->addWidget(m_windowsGeometryEdit, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Font Name & Size:"), box), 1, 0);
    grid->addWidget(m_windowsFontCombo, 1, 1);
    grid->addWidget(m_windowsSizeCombo, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Initial Infolevel:"), box), 2, 0);
    grid->addWidget(m_windowsLevelCombo, 2, 1, 1, 2);
    return box;
}

QWidget *YabSettingsWindow::buildUnixGroup()
{
    auto *box = new QGroupBox(QStringLiteral("Unix Options"));
    m_foregroundCombo = combo("foregroundCombo", colourNames(), -1, true, box);
    m_backgroundCombo = combo("backgroundCombo", colourNames(), -1, true, box);
    m_unixGeometryEdit = lineEdit("unixGeometryEdit", box);
    m_displayEdit = new QLineEdit(box);
    m_displayEdit->setObjectName(QStringLiteral("displayEdit"));
    m_unixFontCombo = combo("unixFontCombo", fontFamilies(), 1, true, box);
    m_unixSizeCombo = combo("unixSizeCombo", fontSizes(), 4, true, box);
    m_unixLevelCombo = combo("unixLevelCombo", levelCaptions(), 2, false, box);
    auto *grid = new QGridLayout(box);
    const std::pair<const char *, QWidget *> rows[] = {
        {"Foreground Color:", m_foregroundCombo}, {"Background Color:", m_backgroundCombo},
        {"Geometry String:", m_unixGeometryEdit}, {"Name of Display:", m_displayEdit}};
    int row = 0;
    for (const auto &[label, field] : rows) {
        grid->addWidget(new QLabel(QLatin1String(label), box), row, 0);
        grid->addWidget(field, row++, 1, 1, 2);
    }
    grid->addWidget(new QLabel(QStringLiteral("Font Name & Size:"), box), row, 0);
    grid->addWidget(m_unixFontCombo, row, 1);
    grid->addWidget(m_unixSizeCombo, row++, 2);
    grid->addWidget(new QLabel(QStringLiteral("Initial Infolevel"), box), row, 0);
    grid->addWidget(m_unixLevelCombo, row, 1, 1, 2);
    return box;
}

YabSettingsValues YabSettingsWindow::values() const
{
    YabSettingsValues v;
    v.unixForeground = m_foregroundCombo->currentText();
    v.unixBackground = m_backgroundCombo->currentText();
    v.unixFontFamily = m_unixFontCombo->currentText();
    v.unixInfoLevel = m_unixLevelCombo->currentIndex();
    v.windowsFontFamily = m_windowsFontCombo->currentText();
    v.windowsInfoLevel = m_windowsLevelCombo->currentIndex();
    v.unixFontSize = m_unixSizeCombo->currentText();
    v.windowsFontSize = m_windowsSizeCombo->currentText();
    v.unixGeometry = m_unixGeometryEdit->text();
    v.unixDisplay = m_displayEdit->text();
    v.windowsGeometry = m_windowsGeometryEdit->text();
    return v;
}

void YabSettingsWindow::setValues(const YabSettingsValues &v)
{
    setText(m_foregroundCombo, v.unixForeground);
    setText(m_backgroundCombo, v.unixBackground);
    setText(m_unixFontCombo, v.unixFontFamily);
    setLevel(m_unixLevelCombo, v.unixInfoLevel);
    setText(m_windowsFontCombo, v.windowsFontFamily);
    setLevel(m_windowsLevelCombo, v.windowsInfoLevel);
    setText(m_unixSizeCombo, v.unixFontSize);
    setText(m_windowsSizeCombo, v.windowsFontSize);
    m_unixGeometryEdit->setText(v.unixGeometry);
    m_displayEdit->setText(v.unixDisplay);
    m_windowsGeometryEdit->setText(v.windowsGeometry);
}

void YabSettingsWindow::openSettingsFile()
{
    FileDialogRequest r = FileDialogRequest::of(FileDialogRequest::Open, QStringLiteral("Open Settings File"),
                                                QStringLiteral("*.yst"), QStringLiteral(".yst"),
                                                QStringLiteral("YaBasic Settings (*.yst)|*.yst|All files (*.*)|*.*"));
    const std::optional<QString> path = m_svc.prompter->fileDialog(r);
    if (!path)
        return;
    // Only the start of a file that is too big is read: enough to tell it is no settings file.
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly) || QFileInfo(*path).isDir()) {
        m_svc.prompter->ask(QStringLiteral("Open Settings File"),
                            *path + QStringLiteral("\r\ncould not be read: ") + file.errorString(), MsgButtons::OK,
                            MsgIcon::Exclamation);
        return;
    }
    const QByteArray bytes = file.read(MaxFileSize + 1);
    YabSettingsValues v = values();
    const ReadResult result = YabSettingsFile::read(bytes, &v);
    setValues(v);
    if (!result.problems.isEmpty())
        m_svc.prompter->ask(QStringLiteral("Open Settings File"),
                            *path + QStringLiteral("\r\n") + result.problems.join(QStringLiteral("\r\n")),
                            MsgButtons::OK, MsgIcon::Exclamation);
}

void YabSettingsWindow::saveSettingsFile()
{
    FileDialogRequest r = FileDialogRequest::of(FileDialogRequest::Save, QStringLiteral("Save Settings File"),
                                                QStringLiteral("*.yst"), QStringLiteral(".yst"),
                                                QStringLiteral("YaBasic Settings (*.yst)|*.yst|All Files (*.*)|*.*"));
    const std::optional<QString> path = m_svc.prompter->fileDialog(r);
    if (!path)
        return;
    const FileResult written = writeWholeFileAtomic(*path, YabSettingsFile::write(values()));
    if (!written.ok)
        m_svc.prompter->ask(QStringLiteral("Save Settings File"),
                            *path + QStringLiteral("\r\ncould not be written: ") + written.error, MsgButtons::OK,
                            MsgIcon::Exclamation);
}

void YabSettingsWindow::loadRegistrySettings()
{
    IInterpreterKey &key = *m_svc.interpreterKey;
    if (const std::optional<QString> geometry = key.readValue(QStringLiteral("geometry")))
        m_windowsGeometryEdit->setText(*geometry);
    if (const std::optional<QString> font = key.readValue(QStringLiteral("font"))) {
        const auto [family, size] = splitFont(*font);
        setText(m_windowsFontCombo, family);
        setText(m_windowsSizeCombo, size);
    }
}

void YabSettingsWindow::setRegistrySettings()
{
    IInterpreterKey &key = *m_svc.interpreterKey;
    const bool geometry = key.writeValue(QStringLiteral("geometry"), m_windowsGeometryEdit->text());
    const bool font =
        key.writeValue(QStringLiteral("font"), m_windowsFontCombo->currentText() + m_windowsSizeCombo->currentText());
    if (!geometry || !font)
        m_svc.prompter->ask(QStringLiteral("Set as Registry Settings"),
                            QStringLiteral("The interpreter's settings could not be written."), MsgButtons::OK,
                            MsgIcon::Exclamation);
}

void YabSettingsWindow::copyLine(int group)
{
    const QString line = group == 0 ? unixLine(values()) : windowsLine(values());
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->setText(line);
    if (clipboard->text() != line) {
        m_svc.prompter->ask(QStringLiteral("Yabasic Settings"),
                            QStringLiteral("The clipboard could not be used. The line is:\r\n") + line,
                            MsgButtons::OK, MsgIcon::Exclamation);
        return;
    }
    notice(QStringLiteral("Copied to the clipboard: ") + line);
}

void YabSettingsWindow::useForRunning()
{
    const QStringList arguments = unixArguments(values());
    m_settings.saveSetting(AppSettings::Run, AppSettings::YabOptions, RunCommand::joinArguments(arguments));
    m_settings.saveSetting(AppSettings::Run, AppSettings::UseYabSettings, 1);
    notice(QStringLiteral("Programs are now run with: ") + unixLine(values()));
}

void YabSettingsWindow::notice(const QString &text)
{
    m_noticeLabel->setText(text);
}
