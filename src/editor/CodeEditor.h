#pragma once

#include <QPlainTextEdit>
#include <functional>

class LineNumberArea;
class QMenu;
class QTextBlock;

// The code editor control: a plain-text editor that lets its owner prepare
// each line just before it is painted, shows line numbers in a gutter when
// asked, and marks errors: the line a run stopped at, and the place of a
// syntax error with a wavy underline whose tooltip is the message.
class CodeEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CodeEditor(QWidget *parent = nullptr);

    // Changing a line's colours marks it changed in the document, and the
    // document keeps that mark until the next edit, whose change it then seems
    // to span (from the first line ever coloured to the caret: at a million
    // lines a long pause on the first key). This reports such marks on their
    // own, at once; meanwhile reportingFormatChanges() is true.
    void reportFormatChanges();
    bool reportingFormatChanges() const { return m_reportingFormats; }

    // Shows `document` (filled elsewhere) in place of the current one, which is
    // deleted: marks go, as with a text put in whole.
    void adoptDocument(QTextDocument *document);

    void setBeforePaintLine(std::function<void(const QTextBlock &)> hook)
    {
        m_beforePaint = std::move(hook);
    }
    // Puts in text dropped or pasted by the editor's own means, at the caret.
    void setInsertText(std::function<void(const QString &)> insert) { m_insertText = std::move(insert); }

    void setLineNumbersShown(bool shown);
    bool lineNumbersShown() const { return m_lineNumbers; }
    int lineNumberAreaWidth() const;
    void paintLineNumbers(QPaintEvent *event);

    // line counted from 0; -1 removes the mark.
    void setErrorLine(int line);
    int errorLine() const { return m_errorLine; }
    // A wavy underline from column to the end of the word there; line -1 removes it.
    void setSyntaxMark(int line, int column, const QString &message);
    int syntaxMarkLine() const { return m_syntaxLine; }
    const QString &syntaxMessage() const { return m_syntaxMessage; }

    // The context menu for a point of the viewport, with the items others add
    // on contextMenuOpening; the caller owns it.
    QMenu *createContextMenu(const QPoint &pos);

signals:
    void contextMenuOpening(QMenu *menu);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void changeEvent(QEvent *event) override;
    QMimeData *createMimeDataFromSelection() const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    void watchDocument();
    void updateGutterWidth();
    void updateGutter(const QRect &rect, int dy);
    void updateMarks();
    void paintRowBreaks(const QRect &area);

    std::function<void(const QTextBlock &)> m_beforePaint;
    std::function<void(const QString &)> m_insertText;
    bool m_reportingFormats = false;
    LineNumberArea *m_gutter;
    bool m_lineNumbers = false;
    int m_gutterWidth = -1;
    int m_errorLine = -1;
    int m_syntaxLine = -1;
    int m_syntaxColumn = 0;
    QString m_syntaxMessage;
};
