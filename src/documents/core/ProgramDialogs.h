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
    FileDialogRequest r;
    r.kind = FileDialogRequest::Open;
    r.title = title;
    r.initialName = initial;
    r.defaultExtension = ext;
    r.filter = filter;
    r.filterIndex = 1;
    r.fileMustExist = true;
    return r;
}
} // namespace ProgramDialogs
