#pragma once

#include <QList>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTimer;

// The "Output" page: what the program writes, as it comes (errors in red,
// each error report a link to its place), an input line for the program's
// standard input and a Stop button. A program may write far faster than any
// view can show; the text is put in from a timer in pieces, only the last
// lines are kept, and text that comes faster than it can be shown is skipped
// with a note saying so.
class OutputPane : public QWidget {
    Q_OBJECT
public:
    enum Kind { Normal, Error, Status };
    static constexpr int KeptLines = 10000;

    explicit OutputPane(QWidget *parent = nullptr);

    QPlainTextEdit *view() const { return m_view; }

    void clear();
    // errorIndex >= 0 makes the text a link to that error.
    void append(const QString &text, Kind kind, int errorIndex = -1);
    // Shows everything still waiting.
    void flush();
    void setRunning(bool running);
    // Text waiting to be shown, in characters.
    qint64 pendingSize() const { return m_pendingSize; }

signals:
    void inputEntered(const QString &line);
    void stopRequested();
    void errorClicked(int errorIndex);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Piece {
        QString text;
        Kind kind;
        int error;
    };
    void showSome(qint64 budget);

    QPlainTextEdit *m_view;
    QLineEdit *m_input;
    QPushButton *m_stop;
    QLabel *m_note;
    QTimer *m_timer;
    QList<Piece> m_pending;
    qint64 m_pendingSize = 0;
    qint64 m_skipped = 0;
};
