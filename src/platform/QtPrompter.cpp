#include "platform/QtPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMap>
#include <QMessageBox>

namespace {
QWidget *owner()
{
    return QApplication::activeWindow();
}

QString titleOr(const QString &title)
{
    return title.isEmpty() ? defaultMessageTitle() : title;
}
} // namespace

MsgResult QtPrompter::message(const MessageRequest &r)
{
    QMessageBox box(owner());
    box.setWindowTitle(titleOr(r.title));
    box.setText(r.text);
    switch (r.icon) {
    case MsgIcon::None: box.setIcon(QMessageBox::NoIcon); break;
    case MsgIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    case MsgIcon::Question: box.setIcon(QMessageBox::Question); break;
    case MsgIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MsgIcon::Information: box.setIcon(QMessageBox::Information); break;
    }
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton escape = QMessageBox::NoButton;
    switch (r.buttons) {
    case MsgButtons::OK: buttons = QMessageBox::Ok; escape = QMessageBox::Ok; break;
    case MsgButtons::OKCancel: buttons = QMessageBox::Ok | QMessageBox::Cancel; escape = QMessageBox::Cancel; break;
    case MsgButtons::YesNo: buttons = QMessageBox::Yes | QMessageBox::No; escape = QMessageBox::No; break;
    case MsgButtons::YesNoCancel: buttons = QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel; escape = QMessageBox::Cancel; break;
    case MsgButtons::RetryCancel: buttons = QMessageBox::Retry | QMessageBox::Cancel; escape = QMessageBox::Cancel; break;
    case MsgButtons::AbortRetryIgnore: buttons = QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore; escape = QMessageBox::Abort; break;
    }
    box.setStandardButtons(buttons);
    box.setEscapeButton(escape);
    if (r.defaultButton) {
        static const QMap<MsgResult, QMessageBox::StandardButton> standard = {
            {MsgResult::OK, QMessageBox::Ok},       {MsgResult::Cancel, QMessageBox::Cancel},
            {MsgResult::Yes, QMessageBox::Yes},     {MsgResult::No, QMessageBox::No},
            {MsgResult::Retry, QMessageBox::Retry}, {MsgResult::Abort, QMessageBox::Abort},
            {MsgResult::Ignore, QMessageBox::Ignore}};
        box.setDefaultButton(standard.value(*r.defaultButton, QMessageBox::NoButton));
    }
    switch (box.exec()) {
    case QMessageBox::Ok: return MsgResult::OK;
    case QMessageBox::Yes: return MsgResult::Yes;
    case QMessageBox::No: return MsgResult::No;
    case QMessageBox::Retry: return MsgResult::Retry;
    case QMessageBox::Abort: return MsgResult::Abort;
    case QMessageBox::Ignore: return MsgResult::Ignore;
    default: return r.buttons == MsgButtons::OK ? MsgResult::OK : MsgResult::Cancel;
    }
}

std::optional<QString> QtPrompter::fileDialog(const FileDialogRequest &r)
{
    QFileDialog dialog(owner(), r.title);
    dialog.setAcceptMode(r.kind == FileDialogRequest::Save ? QFileDialog::AcceptSave
                                                           : QFileDialog::AcceptOpen);
    dialog.setFileMode(r.kind == FileDialogRequest::Open && r.fileMustExist
                           ? QFileDialog::ExistingFile
                           : QFileDialog::AnyFile);
    if (r.kind == FileDialogRequest::Folder) {
        dialog.setFileMode(QFileDialog::Directory);
        dialog.setOption(QFileDialog::ShowDirsOnly);
    }
    if (r.kind == FileDialogRequest::Save && !r.confirmOverwrite)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setOption(QFileDialog::ReadOnly, false);
    const QStringList filters = qtNameFilters(r.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = std::clamp(r.filterIndex, 1, int(filters.size())) - 1;
        dialog.selectNameFilter(filters.at(index));
    }
    QString suffix = r.defaultExtension;
    if (suffix.startsWith(QLatin1Char('.')))
        suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    if (!r.initialFolder.isEmpty())
        dialog.setDirectory(r.initialFolder);
    // An initial name made of a wildcard only selects the filter, as on Windows.
    if (!r.initialName.isEmpty() && !r.initialName.contains(QLatin1Char('*')))
        dialog.selectFile(r.initialName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtPrompter::input(const InputRequest &r)
{
    bool ok = false;
    const QString text = QInputDialog::getText(owner(), titleOr(r.title), r.prompt,
                                               QLineEdit::Normal, r.defaultText, &ok);
    if (!ok)
        return std::nullopt;
    return text;
}
