#pragma once

#include <QStringList>
#include <QWidget>

class QPlainTextEdit;

// Shows a text file (the README and licence files) read-only. A file it cannot
// read is told inside it, in bold.
class TextViewer : public QWidget {
    Q_OBJECT
public:
    explicit TextViewer(QWidget *owner = nullptr);

    // Shows the file with the caption. pathsTried: where a file that was looked
    // for in several places was sought (named when none of them had it).
    void showFile(const QString &fileName, const QString &title, const QStringList &pathsTried = {});

    QPlainTextEdit *textBox() const { return m_text; }

private:
    QPlainTextEdit *m_text;
};
