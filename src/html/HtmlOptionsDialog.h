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
    bool dialogCancelled() const { return m_cancelled; }

    // The sketch of the page with or without the side bar.
    static QImage previewPicture(bool withSideBar);
    bool showsSideBarPreview() const { return m_showsSideBar; }

    // The dialog's fields as a settings file holds them.
    HtmlSettingsFields fields() const;
    void setFields(const HtmlSettingsFields &fields);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void applySideBarState();
    void ok();
    void loadSettings();
    void saveSettings();

    QLineEdit *m_titleEdit = nullptr;
    QLineEdit *m_descriptionEdit = nullptr;
    QLineEdit *m_keywordsEdit = nullptr;
    QPlainTextEdit *m_sideBarTextEdit = nullptr;
    QCheckBox *m_sideBarCheck = nullptr;
    QLabel *m_layoutPreview = nullptr; // the sketch of the page
    QLabel *m_newLineHint = nullptr;   // beside the side bar text
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
    QPushButton *m_helpButton = nullptr;
    QPushButton *m_loadButton = nullptr;
    QPushButton *m_saveButton = nullptr;

    HtmlSettings &m_settings;
    IPrompter &m_prompter;
    IShell &m_shell;
    QString m_programFolder;
    bool m_showsSideBar = false;
    bool m_cancelled = true;
};
