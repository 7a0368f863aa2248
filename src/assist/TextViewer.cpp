#include "assist/TextViewer.h"

#include "assist/core/TextViewerFile.h"
#include "common/Fonts.h"

#include <QPlainTextEdit>
#include <QShortcut>
#include <QVBoxLayout>

TextViewer::TextViewer(QWidget *owner) : QWidget(owner, Qt::Window)
{
    setObjectName(QStringLiteral("textViewer"));
    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("viewerText"));
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_text);
    resize(522, 347);
    auto *close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(close, &QShortcut::activated, this, &QWidget::close);
}

void TextViewer::showFile(const QString &fileName, const QString &title, const QStringList &pathsTried)
{
    setWindowTitle(title);
    const TextViewerFile::Contents file = TextViewerFile::read(fileName);
    m_text->setFont(namedOrFallbackFont(QStringLiteral("Arial"), 9.75, !file.ok, false));
    if (file.ok)
        m_text->setPlainText(file.text);
    else if (pathsTried.size() > 1)
        m_text->setPlainText(TextViewerFile::notFoundText(file.error, pathsTried));
    else
        m_text->setPlainText(file.text);
}
