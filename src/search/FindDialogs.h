#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// "Find": asks for the text to look for. A fresh dialog each time.
class FindDialog : public QDialog {
    Q_OBJECT
public:
    explicit FindDialog(QWidget *parent = nullptr);

    bool dialogCancelled = true; // set on load and by Cancel; the title bar's close counts as Cancel
    QString searchText() const;
    bool matchCase() const;

    QLineEdit *Text1 = nullptr;
    QCheckBox *Check1 = nullptr;
    QPushButton *FindButton = nullptr;
    QPushButton *CancelButton = nullptr;
    QPushButton *HelpButton = nullptr;

signals:
    void helpRequested();
};

// "Replace": modeless; finds and replaces one match at a time.
class ReplaceDialog : public QDialog {
    Q_OBJECT
public:
    explicit ReplaceDialog(QWidget *parent = nullptr);

    QLineEdit *FindBox = nullptr;
    QLineEdit *ReplaceBox = nullptr;
    QCheckBox *Check1 = nullptr;
    QPushButton *FindNextButton = nullptr;
    QPushButton *ReplaceButton = nullptr;
    QPushButton *CloseButton = nullptr;
    QPushButton *HelpButton = nullptr;

signals:
    void findNextRequested();
    void replaceRequested();
    void helpRequested();
};
