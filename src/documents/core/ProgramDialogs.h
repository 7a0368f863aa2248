#pragma once

#include "platform/core/Prompter.h"

#include <QString>

// The file dialogs of the file commands: their filters and the Open kind.
namespace ProgramDialogs {
inline const QString OpenFilter = QStringLiteral(
    "YaBasic Program (*.yab)|*.yab|Basic Program (*.bas)|*.bas|All files (*.*)|*.*");
inline const QString SaveFilter = QStringLiteral(
    "YaBasic Program (*.yab)|*.yab|Basic Program (*.bas)|*.bas|All Files (*.*)|*.*");
inline const QString CsvFilter = QStringLiteral("CSV File (*.csv)|*.csv|All files (*.*)|*.*");

inline FileDialogRequest openDialog(const QString &title, const QString &initial, const QString &ext,
                                    const QString &filter)
{
    return FileDialogRequest::of(FileDialogRequest::Open, title, initial, ext, filter);
}
} // namespace ProgramDialogs
