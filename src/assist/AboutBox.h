#pragma once

#include <QDialog>

// "About Vormeld": the program's version from the build, the interpreter's
// version as its key tells it now, and the terms both come under.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(const QString &yabasicVersion, QWidget *parent = nullptr);

    // major.minor.revision followed by " Final".
    static QString programVersion();
};
