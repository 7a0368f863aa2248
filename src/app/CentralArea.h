#pragma once

#include <QWidget>

class CodeEditor;
class OutputPane;
class QComboBox;
class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabBar;

// The window's client area: the "Subroutines:" / "Labels:" panel on top, and
// below it the tab strip whose two pages are the code editor and the debug view
// (with its refresh button in the tab row), and the program's output pane. The hot-info box floats over the editor.
class CentralArea : public QWidget {
    Q_OBJECT
public:
    enum Tab { CodeTab = 0, DebugTab = 1, OutputTab = 2 };

    explicit CentralArea(QWidget *parent = nullptr);

    CodeEditor *codeEditor() const { return m_codeEditor; }
    QPlainTextEdit *debugView() const { return m_debugView; }
    OutputPane *outputPane() const { return m_outputPane; }
    QComboBox *subsList() const { return m_subsList; }
    QComboBox *labelsList() const { return m_labelsList; }
    QFrame *hotInfoBox() const { return m_hotInfoBox; }
    QLabel *hotInfoLabel() const { return m_hotInfoLabel; }

    int currentTab() const { return m_currentTab; }

    // A bar above the editor with a notice that needs no answer; its close
    // button hides it, and so does the next notice's arrival or an empty text.
    void showNotice(const QString &text);
    void setCurrentTab(int tab);

    // Places the parts for the window's inner size. toolbarHeight and
    // statusHeight are those of the visible bars; nothing moves while minimised.
    void layoutParts(int toolbarHeight, int statusHeight, bool minimized);

signals:
    // A tab was chosen (also when the current tab is clicked again).
    void tabClicked(int tab);
    void refreshDebugRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createListPanel();
    void createTabs();
    void showTab(int tab);
    void createNoticeBar();
    void relayout();

    QWidget *m_listPanel;
    QFrame *m_listPanelLine;
    QComboBox *m_subsList;
    QComboBox *m_labelsList;
    QWidget *m_tabStrip;
    QTabBar *m_tabBar;
    CodeEditor *m_codeEditor;
    QPlainTextEdit *m_debugView;
    OutputPane *m_outputPane;
    QWidget *m_debugButtons;
    QPushButton *m_refreshDebugButton;
    QFrame *m_noticeBar;
    QLabel *m_noticeText;
    QFrame *m_hotInfoBox;
    QLabel *m_hotInfoLabel;
    int m_currentTab = CodeTab;
    int m_toolbarHeight = 0;
    int m_statusHeight = 0;
    bool m_minimized = false;
};
