#include "assist/TipWindow.h"

#include "assist/core/TipFile.h"
#include "common/core/AppSettings.h"
#include "common/core/FileNames.h"
#include "platform/core/SettingsStore.h"

#include <QCheckBox>
#include <QDateTime>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QStyle>
#include <QVBoxLayout>

TipWindow::TipWindow(SettingsAccess &settings, const QString &programFolder, QWidget *parent,
                     std::function<double()> random)
    : QDialog(parent), m_settings(settings), m_random(std::move(random))
{
    setObjectName(QStringLiteral("tipWindow"));
    setWindowTitle(QStringLiteral("Tip of the Day"));
    setModal(true);

    auto *panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("tipPanel"));
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setAutoFillBackground(true);
    QPalette white = panel->palette();
    white.setColor(QPalette::Window, Qt::white);
    white.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(white);
    auto *image = new QLabel(panel);
    image->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    auto *heading = new QLabel(QStringLiteral("Did you know..."), panel);
    heading->setObjectName(QStringLiteral("tipHeading"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    m_tipText = new QLabel(panel);
    m_tipText->setObjectName(QStringLiteral("tipText"));
    m_tipText->setWordWrap(true);
    m_tipText->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_tipText->setTextFormat(Qt::PlainText);
    m_tipText->setMinimumSize(217, 109);
    auto *panelLayout = new QGridLayout(panel);
    panelLayout->addWidget(image, 0, 0);
    panelLayout->addWidget(heading, 0, 1);
    panelLayout->addWidget(m_tipText, 1, 0, 1, 2);
    panelLayout->setRowStretch(1, 1);
    panelLayout->setColumnStretch(1, 1);

    auto *okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setDefault(true);
    auto *nextButton = new QPushButton(QStringLiteral("&Next Tip"), this);
    nextButton->setObjectName(QStringLiteral("nextTipButton"));
    nextButton->setAutoDefault(false);
    m_showAtStartup = new QCheckBox(QStringLiteral("&Show Tips at Startup"), this);
    m_showAtStartup->setObjectName(QStringLiteral("showTipsAtStartup"));

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(okButton);
    buttons->addWidget(nextButton);
    buttons->addStretch();
    auto *grid = new QGridLayout(this);
    grid->addWidget(panel, 0, 0);
    grid->addLayout(buttons, 0, 1);
    grid->addWidget(m_showAtStartup, 1, 0, 1, 2);
    resize(360, 219);

    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(nextButton, &QPushButton::clicked, this, &TipWindow::doNextTip);
    connect(m_showAtStartup, &QCheckBox::toggled, this, [this](bool on) {
        m_settings.saveSetting(AppSettings::Startup, AppSettings::Tips, on ? 1 : 0);
    });

    // Opening the window checks the box, and that counts as a click.
    m_showAtStartup->setChecked(true);
    if (!m_random) {
        auto generator = std::make_shared<QRandomGenerator>(quint32(QDateTime::currentMSecsSinceEpoch()));
        m_random = [generator] { return generator->generateDouble(); };
    }
    if (!loadTips(programFile(programFolder, TipFile::FileName)))
        m_tipText->setText(NotFoundText);
}

bool TipWindow::loadTips(const QString &fileName)
{
    if (!TipFile::load(fileName, &m_tips))
        return false;
    doNextTip();
    return true;
}

void TipWindow::doNextTip()
{
    m_currentTip = TipFile::pick(int(m_tips.size()), m_random());
    displayCurrentTip();
}

void TipWindow::displayCurrentTip()
{
    if (m_tips.isEmpty())
        return;
    // The panel holds a few lines; a runaway line (a damaged file) must not
    // stall the window laying it out.
    constexpr int Longest = 1000;
    const QString &tip = m_tips.at(m_currentTip - 1);
    m_tipText->setText(tip.size() > Longest ? tip.left(Longest) + QChar(0x2026) : tip);
}
