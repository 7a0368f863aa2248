#pragma once

#include "html/core/HtmlSettingsFile.h"

#include <QDialog>
#include <QImage>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class IPrompter;
class IShell;
struct HtmlSettings;

// "HTML Options": title, description, keywords and side bar of the page being
// exported, with a sketch of the page's layout. "OK" fills the settings; the
// fields can be saved to and loaded from a .khs file.
class HtmlOptionsDialog : public QDialog {
    Q_OBJECT
public:
    HtmlOptionsDialog(HtmlSettings &settings, IPrompter &prompter, IShell &shell,
                   QString programFolder, QWidget *parent = nullptr);

    // True unless OK closed the dialog (the title bar's close counts as Cancel).
    bool dialogCancelled = true;

    QLineEdit *Text1 = nullptr;      // title
    QLineEdit *Text2 = nullptr;      // description
    QLineEdit *Text3 = nullptr;      // keywords
    QPlainTextEdit *Text4 = nullptr; // side bar text
    QCheckBox *Check1 = nullptr;     // include side bar
    QLabel *Picture1 = nullptr;      // the layout sketch
    QLabel *Label5 = nullptr;        // the hint beside the side bar text
    QPushButton *Command1 = nullptr; // OK
    QPushButton *Command2 = nullptr; // Cancel
    QPushButton *Command3 = nullptr; // Help
    QPushButton *Command4 = nullptr; // Load Settings...
    QPushButton *Command5 = nullptr; // Save Settings...

    // The sketch of the page with or without the side bar.
    static QImage previewPicture(bool withSideBar);
    bool showsSideBarPreview() const { return m_showsSideBar; }

    // The dialog's fields as a settings file holds them.
    HtmlSettingsFields Fields() const;
    void setFields(const HtmlSettingsFields &fields);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applySideBarState();
    void ok();
    void loadSettings();
    void saveSettings();

    HtmlSettings &m_settings;
    IPrompter &m_prompter;
    IShell &m_shell;
    QString m_programFolder;
    bool m_showsSideBar = false;
};
