#pragma once

#include <QWidget>

class CodeEditor;

// The strip left of the code editor's text that shows the line numbers. The
// editor keeps room for it in its viewport margins and paints it.
class LineNumberArea : public QWidget {
    Q_OBJECT
public:
    explicit LineNumberArea(CodeEditor *editor);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    CodeEditor *m_editor;
};
