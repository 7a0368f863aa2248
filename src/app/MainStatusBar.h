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
    void setMessagePanel(const QString &text);
    void setLinePanel(int lineFromOne);
    void setOverwrite(bool overwrite);

    // Rereads the lock keys and the clock.
    void refresh();

private:
    void setLit(QLabel *panel, std::optional<bool> on);

    IKeyState *m_keys;
    QLabel *m_panels[6] = {};
    QTimer *m_clock = nullptr;
};
