#include "MainStatusBar.h"

#include "platform/core/KeyState.h"

#include <QLabel>
#include <QLocale>
#include <QTime>
#include <QTimer>

MainStatusBar::MainStatusBar(IKeyState *keyState, QWidget *parent)
    : QStatusBar(parent), m_keys(keyState)
{
    setObjectName(QStringLiteral("statusBar"));
    setSizeGripEnabled(true);
    const QString texts[6] = {QString(), QStringLiteral("INS"), QStringLiteral("NUM"),
                              QStringLiteral("CAPS"), QStringLiteral("Line 1, Col 1"), QString()};
    for (int i = 0; i < 6; ++i) {
        auto *label = new QLabel(texts[i], this);
        label->setObjectName(QStringLiteral("Panel%1").arg(i + 1));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setContentsMargins(4, 0, 4, 0);
        if (i == 0) {
            label->setMinimumWidth(40);
            addWidget(label, 1); // takes the width the others leave
        } else {
            label->setAlignment(Qt::AlignCenter);
            const int chars = (i == 4) ? 18 : (i == 5 ? 9 : 5);
            label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QLatin1Char('0')) * chars);
            addPermanentWidget(label);
        }
        m_panels[i] = label;
    }
    setOverwrite(false);
    m_clock = new QTimer(this);
    m_clock->setInterval(1000);
    connect(m_clock, &QTimer::timeout, this, &MainStatusBar::refresh);
    m_clock->start();
    refresh();
}

QLabel *MainStatusBar::panel(int number) const
{
    return (number >= 1 && number <= 6) ? m_panels[number - 1] : nullptr;
}

void MainStatusBar::setTabMessage(int tab, const QString &text)
{
    m_tabMessages[slot(tab)] = text;
    if (slot(tab) == m_currentTab)
        m_panels[0]->setText(text);
}

void MainStatusBar::setCurrentTab(int tab)
{
    m_currentTab = slot(tab);
    m_panels[0]->setText(m_tabMessages[m_currentTab]);
}

void MainStatusBar::setLinePanel(int lineFromOne, int columnFromOne)
{
    m_panels[4]->setText(QStringLiteral("Line %1, Col %2").arg(lineFromOne).arg(columnFromOne));
}

void MainStatusBar::setOverwrite(bool overwrite)
{
    // INS is lit while the Insert key has switched the editor to overwriting.
    setLit(m_panels[1], overwrite);
}

void MainStatusBar::setLit(QLabel *panel, std::optional<bool> on)
{
    panel->setEnabled(on.value_or(false));
    panel->setToolTip(on ? QString() : QStringLiteral("Not known on this system"));
}

void MainStatusBar::refresh()
{
    if (m_keys) {
        setLit(m_panels[2], m_keys->numLock());
        setLit(m_panels[3], m_keys->capsLock());
    }
    m_panels[5]->setText(QLocale().toString(QTime::currentTime(), QLocale::ShortFormat));
}
