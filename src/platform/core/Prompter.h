#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Every question the program asks the user goes through this one interface:
// message boxes, the common file dialogs and input boxes. The real one shows Qt
// dialogs; tests install a scripted one that records and answers.

enum class MsgButtons { OK, OKCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgResult { OK, Cancel, Yes, No, Retry, Abort, Ignore };

struct MessageRequest {
    QString title; // empty: the program's default title
    QString text;
    MsgButtons buttons = MsgButtons::OK;
    MsgIcon icon = MsgIcon::None;
    // The button Enter presses; nothing: the toolkit's choice. A question that
    // can throw work away defaults to the answer that keeps it.
    std::optional<MsgResult> defaultButton;
};

// Filters are written as pairs of description and pattern separated by '|':
// "Yabasic Files (*.yab)|*.yab|All Files (*.*)|*.*".
struct FileDialogRequest {
    enum Kind { Open, Save, Folder }; // Folder: an existing folder is chosen
    Kind kind = Open;
    QString title;
    QString initialName;    // e.g. "*.yab"
    QString initialFolder;  // empty: the dialog's own choice
    QString filter;
    int filterIndex = 1;    // 1-based
    QString defaultExtension; // e.g. ".yab" or "yab"
    bool fileMustExist = true;      // open dialogs
    bool confirmOverwrite = true;   // save dialogs

    static FileDialogRequest of(Kind kind, const QString &title, const QString &initialName,
                                const QString &defaultExtension, const QString &filter)
    {
        FileDialogRequest r;
        r.kind = kind;
        r.title = title;
        r.initialName = initialName;
        r.defaultExtension = defaultExtension;
        r.filter = filter;
        return r;
    }
};

struct InputRequest {
    QString prompt;
    QString title; // empty: the program's default title
    QString defaultText;
};

class IPrompter {
public:
    virtual ~IPrompter() = default;
    virtual MsgResult message(const MessageRequest &request) = 0;
    // The chosen path, or nothing when cancelled.
    virtual std::optional<QString> fileDialog(const FileDialogRequest &request) = 0;
    // The typed text, or nothing when cancelled.
    virtual std::optional<QString> input(const InputRequest &request) = 0;

    // Shorthand for message().
    MsgResult ask(const QString &title, const QString &text, MsgButtons buttons, MsgIcon icon,
                  std::optional<MsgResult> defaultButton = std::nullopt)
    {
        return message(MessageRequest{title, text, buttons, icon, defaultButton});
    }
};

// The title a message box shows when it is given none.
QString defaultMessageTitle();

// "Desc (*.a)|*.a|All (*.*)|*.*" -> {"Desc (*.a)", "*.a", "All (*.*)", "*.*"} pairs
// as Qt name filters: "Desc (*.a)", "All (*.*)". A description that does not
// name its patterns gets them appended in parentheses.
QStringList qtNameFilters(const QString &filter);
