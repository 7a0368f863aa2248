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
    const QString &tabMessage(int tab) const { return m_tabMessages[tab == 1 ? 1 : 0]; }
    void setCurrentTab(int tab);
    void setLinePanel(int lineFromOne);
    void setOverwrite(bool overwrite);

    // Rereads the lock keys and the clock.
    void refresh();

private:
    void setLit(QLabel *panel, std::optional<bool> on);

    IKeyState *m_keys;
    QLabel *m_panels[6] = {};
    QTimer *m_clock = nullptr;
    QString m_tabMessages[2];
    int m_currentTab = 0;
};
