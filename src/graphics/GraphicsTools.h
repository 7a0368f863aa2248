#pragma once

#include <QObject>
#include <QPointer>
#include <QTextCursor>

#include <functional>

#include "graphics/DrawPad.h"
#include "graphics/PixPad.h"

class IPrompter;
class QMenu;
class QPlainTextEdit;
class QWidget;

// The draw pad and PixPad beside the program: opens them, types what they
// write into the program at the caret, reads a bitmap back from the caret's
// line, and loads and saves PixPad's .ypp files.
class GraphicsTools : public QObject {
    Q_OBJECT
public:
    // documentFolder gives the folder a relative .ypp name on a line is read from.
    GraphicsTools(QPlainTextEdit *editor, IPrompter &prompter, std::function<QString()> documentFolder,
                  QWidget *owner);

    DrawPad *showDrawPad();
    // Opens PixPad; a new or empty pad takes the bitmap on the caret's line.
    PixPad *showPixPad();
    // Loads the bitmap on the caret's line into PixPad, whatever it holds.
    void editBitmapOnCaretLine();
    bool caretLineHasBitmap() const;
    // The editor's context menu gets "Edit Bitmap in PixPad".
    void addContextMenuItems(QMenu *menu);

    void openPixPadFile();
    void savePixPadAs();

    DrawPad *drawPad() const { return m_drawPad; }
    PixPad *pixPad() const { return m_pixPad; }

signals:
    void toolWindowOpened(QWidget *window);
    // Lines first to last (from 0) of the program were written by a tool.
    void linesInserted(int first, int last);

private:
    PixPad *pixPadWindow(); // created when needed, not shown
    void insertAtCaret(const QString &text);
    void insertBitmap(const QString &bitmap);
    bool boundLiteralUnchanged() const;
    void unbind();
    // Shows why the caret's line cannot be loaded; false when it was not.
    bool loadFromCaretLine();
    bool loadPictureFile(const QString &path, const QString &title);

    QPlainTextEdit *m_editor;
    IPrompter &m_prompter;
    std::function<QString()> m_documentFolder;
    QWidget *m_owner;
    QPointer<DrawPad> m_drawPad;
    QPointer<PixPad> m_pixPad;
    // The contents of the string literal the pad's bitmap came from.
    QTextCursor m_boundLiteral;
    QString m_boundText;
};
