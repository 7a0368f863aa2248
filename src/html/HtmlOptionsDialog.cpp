#include "html/HtmlOptionsDialog.h"

#include "common/core/FileNames.h"
#include "common/core/ShellErrors.h"
#include "html/core/HtmlPage.h"
#include "platform/core/Prompter.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>

namespace {
const QString OpenFilter = QStringLiteral("Vormeld HTML Settings File (*.khs)|*.khs|All files (*.*)|*.*");
const QString SaveFilter = QStringLiteral("Vormeld HTML Settings File (*.khs)|*.khs|All Files (*.*)|*.*");

constexpr int kPreviewWidth = 150;
constexpr int kPreviewHeight = 190;

// A few lines of "text": bars of varying length in one colour.
void textLines(QPainter &p, const QRect &area, const QColor &colour, const int *lengths, int count,
               int step)
{
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    int y = area.top();
    for (int i = 0; i < count && y + 2 <= area.bottom(); ++i, y += step) {
        const int w = std::min(area.width(), area.width() * lengths[i] / 100);
        p.drawRect(area.left(), y, w, 2);
    }
}

// The side bar text as the settings hold it (CR LF) and as the box shows it.
QString boxText(const QString &crlfText)
{
    QString s = crlfText;
    s.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}
} // namespace

QImage HtmlOptionsDialog::previewPicture(bool withSideBar)
{
    QImage img(kPreviewWidth, kPreviewHeight, QImage::Format_RGB32);
    img.fill(QColor(212, 208, 200));
    QPainter p(&img);
    // The page, with a shadow.
    const QRect page(8, 6, kPreviewWidth - 18, kPreviewHeight - 14);
    p.fillRect(page.translated(3, 3), QColor(128, 128, 128));
    p.fillRect(page, Qt::white);
    p.setPen(QColor(64, 64, 64));
    p.drawRect(page.adjusted(0, 0, -1, -1));

    const QRect inner = page.adjusted(6, 6, -6, -6);
    // The heading and its rule.
    p.fillRect(QRect(inner.left(), inner.top(), inner.width() * 3 / 4, 9), Qt::black);
    p.fillRect(QRect(inner.left(), inner.top() + 14, inner.width(), 1), QColor(128, 128, 128));

    QRect code(inner.left(), inner.top() + 20, inner.width(), inner.height() - 36);
    if (withSideBar) {
        const QRect bar(code.left(), code.top(), code.width() / 3, code.height());
        p.fillRect(bar, QColor(0xCB, 0xCB, 0xCB));
        static const int sideLengths[] = {90, 70, 85, 40, 0, 80, 65, 90, 30, 0, 75, 55, 85, 60};
        textLines(p, bar.adjusted(3, 4, -3, -3), QColor(48, 48, 48), sideLengths, 14, 6);
        code.setLeft(bar.right() + 5);
    }
    // The program: lines of code in the page's colours.
    static const int codeLengths[] = {55, 80, 35, 95, 60, 70, 40, 85, 50, 65, 30, 75, 90, 45, 60, 35, 80, 50, 70, 40, 65};
    static const QColor colours[] = {QColor(0, 128, 0),  Qt::black,           QColor(0, 0, 139),
                                     Qt::black,          QColor(128, 0, 128), QColor(0, 0, 139),
                                     Qt::black,          QColor(165, 42, 42)};
    int y = code.top() + 2;
    for (int i = 0; i < 21 && y + 2 <= code.bottom(); ++i, y += 6) {
        p.fillRect(QRect(code.left() + (i % 4 == 2 ? 8 : 0), y,
                         std::max(6, (code.width() - 8) * codeLengths[i] / 100), 2),
                   colours[i % 8]);
    }
    // The footer: a rule and the credit line.
    const int footer = inner.bottom() - 10;
    p.fillRect(QRect(inner.left(), footer, inner.width(), 1), QColor(128, 128, 128));
    static const int footLength[] = {60};
    textLines(p, QRect(inner.left(), footer + 5, inner.width(), 4), QColor(0, 0, 238), footLength, 1, 4);
    return img;
}

HtmlOptionsDialog::HtmlOptionsDialog(HtmlSettings &settings, IPrompter &prompter, IShell &shell,
                               QString programFolder, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_prompter(prompter), m_shell(shell),
      m_programFolder(std::move(programFolder))
{
    setObjectName(QStringLiteral("htmlOptionsDialog"));
    setWindowTitle(QStringLiteral("HTML Options"));
    setModal(true);

    const auto lineEdit = [this](const char *name) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        return e;
    };
    m_titleEdit = lineEdit("titleEdit");
    m_descriptionEdit = lineEdit("descriptionEdit");
    m_keywordsEdit = lineEdit("keywordsEdit");
    const auto caption = [this](const QString &text, QWidget *buddy) {
        auto *l = new QLabel(text, this);
        l->setBuddy(buddy);
        return l;
    };

    m_sideBarCheck = new QCheckBox(QStringLiteral("&Include side bar with ASCII text"), this);
    m_sideBarCheck->setObjectName(QStringLiteral("sideBarCheck"));
    m_sideBarTextEdit = new QPlainTextEdit(this);
    m_sideBarTextEdit->setObjectName(QStringLiteral("sideBarTextEdit"));
    m_sideBarTextEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_sideBarTextEdit->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_sideBarTextEdit->setTabChangesFocus(true);
    m_sideBarTextEdit->installEventFilter(this);
    m_newLineHint = new QLabel(QStringLiteral("For new line -- press CTRL-ENTER"), this);
    m_newLineHint->setObjectName(QStringLiteral("newLineHint"));

    m_layoutPreview = new QLabel(this);
    m_layoutPreview->setObjectName(QStringLiteral("layoutPreview"));
    m_layoutPreview->setFixedSize(kPreviewWidth, kPreviewHeight);
    m_layoutPreview->setFrameShape(QFrame::NoFrame);

    const auto button = [this](const QString &text, const char *name) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        return b;
    };
    m_okButton = button(QStringLiteral("OK"), "okButton");
    m_okButton->setDefault(true);
    m_cancelButton = button(QStringLiteral("Cancel"), "cancelButton");
    m_helpButton = button(QStringLiteral("&Help"), "helpButton");
    m_loadButton = button(QStringLiteral("&Load Settings..."), "loadButton");
    m_saveButton = button(QStringLiteral("S&ave Settings..."), "saveButton");

    auto *form = new QGridLayout;
    form->addWidget(caption(QStringLiteral("&Title:"), m_titleEdit), 0, 0);
    form->addWidget(m_titleEdit, 0, 1);
    form->addWidget(caption(QStringLiteral("&Description:"), m_descriptionEdit), 1, 0);
    form->addWidget(m_descriptionEdit, 1, 1);
    form->addWidget(caption(QStringLiteral("&Keywords:"), m_keywordsEdit), 2, 0);
    form->addWidget(m_keywordsEdit, 2, 1);

    auto *sideHeader = new QHBoxLayout;
    sideHeader->addWidget(caption(QStringLiteral("&Side bar text:"), m_sideBarTextEdit));
    sideHeader->addStretch();
    sideHeader->addWidget(m_newLineHint);

    auto *left = new QVBoxLayout;
    left->addLayout(form);
    left->addSpacing(6);
    left->addWidget(m_sideBarCheck);
    left->addLayout(sideHeader);
    left->addWidget(m_sideBarTextEdit, 1);

    auto *right = new QVBoxLayout;
    right->addWidget(m_layoutPreview);
    right->addStretch();
    right->addWidget(m_okButton);
    right->addWidget(m_cancelButton);

    auto *top = new QHBoxLayout;
    top->addLayout(left, 1);
    top->addSpacing(8);
    top->addLayout(right);

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_loadButton);
    bottom->addWidget(m_saveButton);
    bottom->addStretch();
    bottom->addWidget(m_helpButton);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(bottom);
    resize(560, 330);

    // Opening: the title is the suggestion; everything else starts empty.
    m_titleEdit->setText(m_settings.htmlTitle);
    m_cancelled = true;
    applySideBarState();

    connect(m_sideBarCheck, &QCheckBox::toggled, this, &HtmlOptionsDialog::applySideBarState);
    connect(m_okButton, &QPushButton::clicked, this, &HtmlOptionsDialog::ok);
    connect(m_cancelButton, &QPushButton::clicked, this, [this] {
        m_cancelled = true;
        reject();
    });
    connect(m_helpButton, &QPushButton::clicked, this, [this] {
        shellOpen(m_shell, m_prompter,
                           programFile(m_programFolder, QStringLiteral("hlp99999.htm")));
    });
    connect(m_loadButton, &QPushButton::clicked, this, &HtmlOptionsDialog::loadSettings);
    connect(m_saveButton, &QPushButton::clicked, this, &HtmlOptionsDialog::saveSettings);
    m_titleEdit->setFocus();
}

void HtmlOptionsDialog::applySideBarState()
{
    m_showsSideBar = m_sideBarCheck->isChecked();
    m_layoutPreview->setPixmap(QPixmap::fromImage(previewPicture(m_showsSideBar)));
    m_sideBarTextEdit->setEnabled(m_showsSideBar);
}

bool HtmlOptionsDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_sideBarTextEdit && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            // Ctrl+Enter starts a new line; Enter alone is the default button's.
            if (key->modifiers() & Qt::ControlModifier)
                m_sideBarTextEdit->textCursor().insertText(QStringLiteral("\n"));
            else
                m_okButton->click();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

HtmlSettingsFields HtmlOptionsDialog::fields() const
{
    HtmlSettingsFields f;
    f.title = m_titleEdit->text();
    f.description = m_descriptionEdit->text();
    f.keywords = m_keywordsEdit->text();
    // From the blocks: toPlainText() would turn a no-break space into a blank.
    QStringList lines;
    for (QTextBlock b = m_sideBarTextEdit->document()->begin(); b.isValid(); b = b.next())
        lines << b.text();
    f.sideBarText = lines.join(QLatin1String("\r\n"));
    f.sideBarOn = m_sideBarCheck->isChecked() ? 1 : 0;
    return f;
}

void HtmlOptionsDialog::setFields(const HtmlSettingsFields &f)
{
    m_titleEdit->setText(f.title);
    m_descriptionEdit->setText(f.description);
    m_keywordsEdit->setText(f.keywords);
    m_sideBarTextEdit->setPlainText(boxText(f.sideBarText));
    // Only 1 means checked; the box has no third state.
    m_sideBarCheck->setChecked(f.sideBarOn == 1);
    applySideBarState();
}

void HtmlOptionsDialog::ok()
{
    const HtmlSettingsFields f = fields();
    m_settings.htmlSideBarText = f.sideBarText;
    m_settings.htmlSideBarOn = qint16(f.sideBarOn);
    m_settings.htmlTitle = f.title;
    m_settings.htmlDescription = f.description;
    m_settings.htmlKeywords = f.keywords;
    m_cancelled = false;
    accept();
}

void HtmlOptionsDialog::loadSettings()
{
    FileDialogRequest r = FileDialogRequest::of(FileDialogRequest::Open, QStringLiteral("Open Vormeld HTML Settings"),
                                                QStringLiteral("*.khs"), QStringLiteral(".khs"), OpenFilter);
    const std::optional<QString> path = m_prompter.fileDialog(r);
    if (!path)
        return;
    setFields(HtmlSettingsFile::load(*path));
}

void HtmlOptionsDialog::saveSettings()
{
    FileDialogRequest r = FileDialogRequest::of(FileDialogRequest::Save, QStringLiteral("Save Vormeld HTML Settings"),
                                                QStringLiteral("*.khs"), QStringLiteral(".khs"), SaveFilter);
    const std::optional<QString> path = m_prompter.fileDialog(r);
    if (!path)
        return;
    QString error;
    if (!HtmlSettingsFile::save(*path, fields(), &error)) {
        // A save that did not happen must not look like one that did.
        m_prompter.ask(QStringLiteral("Save Vormeld HTML Settings"),
                       QStringLiteral("The settings could not be saved to\r\n") + *path
                           + QStringLiteral("\r\n") + error,
                       MsgButtons::OK, MsgIcon::Exclamation);
    }
}
