#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

class QCheckBox;
class QLabel;
class SettingsAccess;

// "Tip of the Day": a random tip from TIPS.DAT, "Next Tip" for another, and the
// check box that decides whether the window opens at start-up.
class TipWindow : public QDialog {
    Q_OBJECT
public:
    // random: the next value in [0, 1) (the generator seeded from the clock
    // when not given).
    TipWindow(SettingsAccess &settings, const QString &programFolder, QWidget *parent = nullptr,
              std::function<double()> random = {});

    static inline const QString NotFoundText = QStringLiteral("That the TIPS.DAT file was not found?");

    bool loadTips(const QString &fileName);
    void doNextTip();
    void displayCurrentTip();
    int currentTip() const { return m_currentTip; }

private:
    SettingsAccess &m_settings;
    std::function<double()> m_random;
    QStringList m_tips;
    int m_currentTip = 0;
    QLabel *m_tipText = nullptr;
    QCheckBox *m_showAtStartup = nullptr;
};
