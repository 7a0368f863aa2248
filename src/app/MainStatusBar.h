#pragma once

#include <QStatusBar>

class QLabel;
class QTimer;
class IKeyState;

// The six panels: message, INS, NUM, CAPS, line, clock.
class MainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    MainStatusBar(IKeyState *keyState, QWidget *parent = nullptr);

    QLabel *panel(int number) const; // 1 to 6
    // Each tab of the window has a message of its own; the message panel shows
    // the current tab's.
    void setTabMessage(int tab, const QString &text);
    // The program tab's message (the first tab).
    void setCodeMessage(const QString &text) { setTabMessage(0, text); }
    const QString &tabMessage(int tab) const { return m_tabMessages[slot(tab)]; }
    void setCurrentTab(int tab);
    // "Line N, Col M", both counted from 1.
    void setLinePanel(int lineFromOne, int columnFromOne = 1);
    void setOverwrite(bool overwrite);

    // Rereads the lock keys and the clock.
    void refresh();

private:
    void setLit(QLabel *panel, std::optional<bool> on);
    static int slot(int tab) { return (tab >= 0 && tab <= 2) ? tab : 0; }

    IKeyState *m_keys;
    QLabel *m_panels[6] = {};
    QTimer *m_clock = nullptr;
    QString m_tabMessages[3];
    int m_currentTab = 0;
};
