#include "app/CentralArea.h"

#include "app/core/MainLayout.h"
#include "common/Fonts.h"
#include "editor/CodeEditor.h"
#include "run/OutputPane.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QToolButton>

namespace {
constexpr int ListPanelHeight = 30;
constexpr int TabRowHeight = 23; // the tabs sit at the bottom of the strip
} // namespace

CentralArea::CentralArea(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("centralArea"));
    createListPanel();
    createTabs();

    m_codeEditor = new CodeEditor(this);
    m_codeEditor->setObjectName(QStringLiteral("codeEditor"));
    QFont codeFont = namedOrFallbackFont(QStringLiteral("Courier New"), 9.75, false, true);
    codeFont.setStyleStrategy(QFont::PreferNoShaping);
    m_codeEditor->setFont(codeFont);
    m_codeEditor->setLineWrapMode(QPlainTextEdit::NoWrap);

    m_debugView = new QPlainTextEdit(this);
    m_debugView->setObjectName(QStringLiteral("debugView"));
    m_debugView->setFont(namedOrFallbackFont(QStringLiteral("Arial"), 9, true, false));
    m_debugView->setReadOnly(true);

    m_outputPane = new OutputPane(this);

    m_debugButtons = new QWidget(this);
    auto *strip = new QHBoxLayout(m_debugButtons);
    strip->setContentsMargins(0, 0, 0, 0);
    m_refreshDebugButton = new QPushButton(QStringLiteral("Refresh Debug Window"), m_debugButtons);
    m_refreshDebugButton->setObjectName(QStringLiteral("refreshDebugButton"));
    connect(m_refreshDebugButton, &QPushButton::clicked, this, &CentralArea::refreshDebugRequested);
    strip->addWidget(m_refreshDebugButton);

    createNoticeBar();

    m_hotInfoBox = new QFrame(this);
    m_hotInfoBox->setObjectName(QStringLiteral("hotInfoBox"));
    m_hotInfoBox->setFrameShape(QFrame::Box);
    m_hotInfoBox->setAutoFillBackground(true);
    QPalette tip = m_hotInfoBox->palette();
    tip.setColor(QPalette::Window, QColor(255, 255, 225));
    m_hotInfoBox->setPalette(tip);
    m_hotInfoLabel = new QLabel(m_hotInfoBox);
    m_hotInfoLabel->setObjectName(QStringLiteral("hotInfoLabel"));
    m_hotInfoBox->hide();

    showTab(CodeTab);
}

void CentralArea::createListPanel()
{
    m_listPanel = new QWidget(this);
    m_listPanel->setObjectName(QStringLiteral("listPanel"));
    m_listPanel->setFixedHeight(ListPanelHeight);
    auto *row = new QHBoxLayout(m_listPanel);
    row->setContentsMargins(6, 2, 6, 4);
    m_subsList = new QComboBox(m_listPanel);
    m_subsList->setObjectName(QStringLiteral("subsList"));
    m_labelsList = new QComboBox(m_listPanel);
    m_labelsList->setObjectName(QStringLiteral("labelsList"));
    for (QComboBox *c : {m_subsList, m_labelsList}) {
        c->setMinimumContentsLength(24);
        c->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    }
    row->addWidget(new QLabel(QStringLiteral("Subroutines:"), m_listPanel));
    row->addWidget(m_subsList, 1);
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("Labels:"), m_listPanel));
    row->addWidget(m_labelsList, 1);
    m_listPanelLine = new QFrame(m_listPanel);
    m_listPanelLine->setFrameShape(QFrame::HLine);
    m_listPanelLine->setFrameShadow(QFrame::Sunken);
    m_listPanel->installEventFilter(this);
}

void CentralArea::createTabs()
{
    m_tabStrip = new QWidget(this);
    m_tabStrip->setObjectName(QStringLiteral("tabStrip"));
    m_tabBar = new QTabBar(m_tabStrip);
    m_tabBar->setObjectName(QStringLiteral("tabBar"));
    m_tabBar->setShape(QTabBar::RoundedSouth);
    m_tabBar->setDrawBase(true);
    m_tabBar->setExpanding(false);
    m_tabBar->addTab(QStringLiteral("Code Editor"));
    m_tabBar->setTabToolTip(CodeTab, QStringLiteral("Vormeld Code Editor"));
    m_tabBar->addTab(QStringLiteral("Debug Window"));
    m_tabBar->setTabToolTip(DebugTab, QStringLiteral("Debug Window"));
    m_tabBar->addTab(QStringLiteral("Output"));
    m_tabBar->setTabToolTip(OutputTab, QStringLiteral("The program's output and input"));
    connect(m_tabBar, &QTabBar::currentChanged, this, [this](int index) {
        showTab(index);
        emit tabClicked(index);
    });
    connect(m_tabBar, &QTabBar::tabBarClicked, this, [this](int index) {
        if (index == m_tabBar->currentIndex())
            emit tabClicked(index);
    });
}

void CentralArea::createNoticeBar()
{
    m_noticeBar = new QFrame(this);
    m_noticeBar->setObjectName(QStringLiteral("noticeBar"));
    m_noticeBar->setFrameShape(QFrame::StyledPanel);
    m_noticeBar->setAutoFillBackground(true);
    QPalette calm = m_noticeBar->palette();
    calm.setColor(QPalette::Window, QColor(255, 249, 214));
    m_noticeBar->setPalette(calm);
    auto *row = new QHBoxLayout(m_noticeBar);
    row->setContentsMargins(6, 2, 2, 2);
    m_noticeText = new QLabel(m_noticeBar);
    m_noticeText->setObjectName(QStringLiteral("noticeText"));
    m_noticeText->setWordWrap(true);
    m_noticeText->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *close = new QToolButton(m_noticeBar);
    close->setObjectName(QStringLiteral("noticeCloseButton"));
    close->setText(QStringLiteral("\u00D7"));
    close->setToolTip(QStringLiteral("Close"));
    close->setAutoRaise(true);
    connect(close, &QToolButton::clicked, this, [this] { showNotice(QString()); });
    row->addWidget(m_noticeText, 1);
    row->addWidget(close, 0, Qt::AlignTop);
    m_noticeBar->hide();
}

void CentralArea::showNotice(const QString &text)
{
    m_noticeText->setText(text);
    m_noticeBar->setVisible(!text.isEmpty());
    relayout();
}

void CentralArea::setCurrentTab(int tab)
{
    m_tabBar->setCurrentIndex(tab);
}

void CentralArea::showTab(int tab)
{
    m_currentTab = tab;
    m_codeEditor->setVisible(tab == CodeTab);
    m_debugView->setVisible(tab == DebugTab);
    m_outputPane->setVisible(tab == OutputTab);
    m_debugButtons->setVisible(tab == DebugTab);
}

void CentralArea::layoutParts(int toolbarHeight, int statusHeight, bool minimized)
{
    m_toolbarHeight = toolbarHeight;
    m_statusHeight = statusHeight;
    m_minimized = minimized;
    relayout();
}

void CentralArea::relayout()
{
    const int toolbarHeight = m_toolbarHeight;
    MainLayoutInput in;
    in.W = width();
    in.T = toolbarHeight;
    in.S = m_statusHeight;
    in.P = m_listPanel->height();
    in.H = toolbarHeight + height() + m_statusHeight;
    in.minimized = m_minimized;
    const MainLayout out = computeMainLayout(in);
    if (!out.apply)
        return;
    m_listPanel->setGeometry(0, 0, out.panelWidth, in.P);
    if (!out.placeTabs)
        return;
    // The layout is given in the window's inner area; this widget starts below the toolbar.
    const QRect strip = out.tabStrip.translated(0, -toolbarHeight);
    QRect editors = out.editors.translated(0, -toolbarHeight);
    if (m_noticeBar->isVisibleTo(this)) {
        // The notice takes the top of the editors' room, never more than half of it.
        const int height = std::min(m_noticeBar->heightForWidth(editors.width()) > 0
                                        ? m_noticeBar->heightForWidth(editors.width())
                                        : m_noticeBar->sizeHint().height(),
                                    editors.height() / 2);
        m_noticeBar->setGeometry(editors.x(), editors.y(), editors.width(), height);
        editors.setTop(editors.top() + height);
        m_noticeBar->raise();
    }
    m_tabStrip->setGeometry(strip);
    m_tabBar->setGeometry(0, strip.height() - TabRowHeight, strip.width(), TabRowHeight);
    m_codeEditor->setGeometry(editors);
    m_debugView->setGeometry(editors);
    m_outputPane->setGeometry(editors);
    const QSize button = m_debugButtons->sizeHint();
    const int buttonHeight = std::min(button.height(), TabRowHeight);
    m_debugButtons->setGeometry(strip.right() - button.width() - 3,
                                strip.bottom() - TabRowHeight + 1 + (TabRowHeight - buttonHeight) / 2,
                                button.width(), buttonHeight);
    m_debugButtons->raise();
}

bool CentralArea::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_listPanel && event->type() == QEvent::Resize)
        m_listPanelLine->setGeometry(0, m_listPanel->height() - 2, m_listPanel->width(), 2);
    return QWidget::eventFilter(watched, event);
}
