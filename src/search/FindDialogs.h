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

    // Set on load and by Cancel; the title bar's close counts as Cancel.
    bool dialogCancelled() const { return m_cancelled; }
    QString searchText() const;
    bool matchCase() const;

signals:
    void helpRequested();

private:
    QLineEdit *m_findEdit = nullptr;
    QCheckBox *m_matchCaseCheck = nullptr;
    QPushButton *m_findButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QPushButton *m_helpButton = nullptr;
    bool m_cancelled = true;
};

// "Replace": modeless; finds and replaces one match at a time.
class ReplaceDialog : public QDialog {
    Q_OBJECT
public:
    explicit ReplaceDialog(QWidget *parent = nullptr);

    QString findText() const;
    QString replacementText() const;
    bool matchCase() const;
    // Find Next and Replace are offered only when they can do something.
    void setFindNextEnabled(bool enabled);
    void setReplaceEnabled(bool enabled);

signals:
    void findNextRequested();
    void replaceRequested();
    void helpRequested();

private:
    QLineEdit *m_findEdit = nullptr;
    QLineEdit *m_replaceEdit = nullptr;
    QCheckBox *m_matchCaseCheck = nullptr;
    QPushButton *m_findNextButton = nullptr;
    QPushButton *m_replaceButton = nullptr;
    QPushButton *m_closeButton = nullptr;
    QPushButton *m_helpButton = nullptr;
};
