#include "ToolbarIcons.h"

#include <QApplication>
#include <QStyle>

QIcon ToolbarIcon(const QString &key)
{
    QStyle *s = QApplication::style();
    if (key == QLatin1String("new")) return s->standardIcon(QStyle::SP_FileIcon);
    if (key == QLatin1String("open")) return s->standardIcon(QStyle::SP_DialogOpenButton);
    if (key == QLatin1String("save")) return s->standardIcon(QStyle::SP_DialogSaveButton);
    if (key == QLatin1String("run")) return s->standardIcon(QStyle::SP_MediaPlay);
    if (key == QLatin1String("help")) return s->standardIcon(QStyle::SP_DialogHelpButton);
    return s->standardIcon(QStyle::SP_FileDialogInfoView);
}
