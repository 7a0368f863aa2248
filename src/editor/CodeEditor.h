#pragma once

#include <QPlainTextEdit>
#include <functional>

class QTextBlock;

// The code editor control: a plain-text editor that lets its owner prepare
// each line just before it is painted.
class CodeEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CodeEditor(QWidget *parent = nullptr);

    void setBeforePaintLine(std::function<void(const QTextBlock &)> hook)
    {
        m_beforePaint = std::move(hook);
    }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::function<void(const QTextBlock &)> m_beforePaint;
};
