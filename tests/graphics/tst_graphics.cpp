// The draw pad and PixPad driven with the mouse inside a real main window, and
// what they write run by the real interpreter.

#include "graphics/DrawPadCanvas.h"
#include "graphics/GraphicsTools.h"
#include "graphics/PixPadCanvas.h"
#include "graphics/core/BitmapString.h"
#include "graphics/core/PixPadFile.h"
#include "support/TestWindow.h"

#include <QClipboard>
#include <QTextBlock>

namespace {

void mouse(QWidget *w, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held = {})
{
    QMouseEvent e(type, QPointF(at), QPointF(w->mapToGlobal(at)), button, held, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}
void press(QWidget *w, QPoint at, Qt::MouseButton b = Qt::LeftButton) { mouse(w, QEvent::MouseButtonPress, at, b, b); }
void moveHeld(QWidget *w, QPoint at, Qt::MouseButtons b = Qt::LeftButton) { mouse(w, QEvent::MouseMove, at, {}, b); }
void release(QWidget *w, QPoint p, Qt::MouseButton b = Qt::LeftButton) { mouse(w, QEvent::MouseButtonRelease, p, b); }
void drag(QWidget *w, QPoint from, QPoint to, Qt::MouseButton button = Qt::LeftButton)
{
    press(w, from, button);
    moveHeld(w, (from + to) / 2, button);
    moveHeld(w, to, button);
    release(w, to, button);
}

bool isBlack(const QImage &image, QPoint at) { return image.pixelColor(at) == QColor(Qt::black); }

// An X display of the suite's own, for the interpreter's graphics window.
struct XDisplay {
    QProcess xvfb;
    QString name;
    XDisplay()
    {
        xvfb.start(QStringLiteral("Xvfb"), {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "640x480x24"});
        QByteArray number;
        while (!number.contains('\n') && xvfb.waitForReadyRead(10000))
            number += xvfb.readAllStandardOutput();
        if (!number.trimmed().isEmpty())
            name = QLatin1Char(':') + QString::fromLatin1(number.trimmed());
    }
    ~XDisplay() { xvfb.kill(), xvfb.waitForFinished(5000); }
    // Runs a program in yabasic there: its exit code and what it printed.
    std::pair<int, QString> run(const QString &program) const
    {
        QTemporaryDir dir;
        QProcess p;
        if (!writeBytes(dir.filePath("pad.yab"), program.toUtf8()))
            return {-1, QString()};
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", name);
        p.setProcessEnvironment(env);
        p.start(QStringLiteral("yabasic"), {dir.filePath("pad.yab")});
        p.closeWriteChannel();
        p.waitForFinished(60000);
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError())};
    }
};

struct PadWindow : TestWindow {
    explicit PadWindow(const QByteArray &text = "") : TestWindow(text) { start(); }
    GraphicsTools &tools() const { return *part<GraphicsTools>(*w); }
    DrawPad *drawPad() const { return action(*w, "tools", MainMenus::DrawPad)->trigger(), tools().drawPad(); }
    PixPad *pixPad() const { return action(*w, "tools", MainMenus::PixPad)->trigger(), tools().pixPad(); }
    // Clicks the middles of cells.
    static void click(PixPad *pad, std::initializer_list<QPoint> cells)
    {
        for (QPoint c : cells)
            drag(pad->canvas(), c * 10 + QPoint(5, 5), c * 10 + QPoint(5, 5));
    }
    static QString bitmap(PixPad *pad) { return part<QLineEdit>(*pad, "bitmapEdit")->text(); }
    static void insert(PixPad *pad) { part<QPushButton>(*pad, "insertButton")->click(); }
    QString line(int n) const { return text().section('\n', n, n); }
    int linePosition(int n) const { return ed()->document()->findBlockByNumber(n).position(); }
};

const QString Golden = QStringLiteral(VORMELD_TESTS_DIR "/graphics/golden/picture.ypp");

} // namespace

class tst_Graphics : public QObject {
    Q_OBJECT
private slots:
    void drawPadWritesWhatIsDrawn()
    {
        PadWindow t("rem top\n");
        QVERIFY(toolBar(*t.w)->button("draw")->isEnabled());
        DrawPad *pad = t.drawPad();
        QVERIFY(pad && pad->isVisible());
        auto *tools = part<QComboBox>(*pad, "toolList");
        QCOMPARE(comboItems(tools), QStringList({"Line", "Circle", "Text", "Rectangle", "Dot", "Arrow"}));
        DrawPadCanvas *canvas = pad->canvas();
        auto *label = part<QLabel>(*pad, "positionLabel");
        QCOMPARE(label->text(), QStringLiteral("0, 0"));

        // The preview follows the pointer without touching the sketch; moving with no button only tells where.
        press(canvas, QPoint(12, 30));
        moveHeld(canvas, QPoint(140, 95));
        QVERIFY(isBlack(canvas->shown(), QPoint(76, 62)));
        QCOMPARE(canvas->sketch().pixelColor(76, 62).alpha(), 0);
        release(canvas, QPoint(140, 95));
        QVERIFY(isBlack(canvas->sketch(), QPoint(76, 62)));
        moveHeld(canvas, QPoint(300, 200), Qt::NoButton);
        QCOMPARE(label->text(), QStringLiteral("300, 200"));

        tools->setCurrentIndex(1);
        drag(canvas, QPoint(200, 100), QPoint(200, 180), Qt::RightButton); // no preview, still written
        tools->setCurrentIndex(2);
        part<QLineEdit>(*pad, "textEdit")->setText(QStringLiteral("say \"hi\""));
        drag(canvas, QPoint(20, 200), QPoint(20, 200), Qt::RightButton);
        tools->setCurrentIndex(5);
        drag(canvas, QPoint(1, 1), QPoint(50, 50));
        QVERIFY(canvas->textHeight() > 10);
        QCOMPARE(t.text(), QString("Line 12, 30 to 140, 95\nCircle 200, 100, 0\nText 20, %1, \"say \" + chr$(34) + "
                                          "\"hi\" + chr$(34)\nLine 1, 1 to 50, 50\nCircle 50, 50, 5\nrem top")
                               .arg(200 + canvas->textHeight()));

        // Covered and uncovered, the sketch is still there; cleared, the program keeps its lines.
        pad->hide();
        pad->show();
        QVERIFY(isBlack(canvas->grab().toImage(), QPoint(76, 62)));
        part<QPushButton>(*pad, "clearButton")->click();
        QVERIFY(!isBlack(canvas->shown(), QPoint(76, 62)));
        QCOMPARE(t.text().count('\n'), 5);

        // A larger window gives a larger canvas; the grid ends at 500 pixels.
        const int top = canvas->y();
        pad->resize(800, 600);
        QTRY_COMPARE(canvas->size(), QSize(800, 600 - top));
        tools->setCurrentIndex(3);
        drag(canvas, QPoint(700, 500), QPoint(780, 560));
        QVERIFY(isBlack(canvas->shown(), QPoint(740, 500)));
        QCOMPARE(canvas->shown().pixelColor(600, 300), QColor(192, 192, 192));
        QCOMPARE(canvas->shown().pixelColor(705, 550), QColor(Qt::white));
    }

    // The draw pad opens at the start only when asked; PixPad reads the picture file the caret line names.
    void drawPadAtStartAndPictureFileOnTheCaretLine()
    {
        for (const char *value : {"1", "2"}) {
            TestWindow t("pic$ = \"smile.ypp\"\n", "prog.yab");
            t.fake.writeFile("smile.ypp", readBytes(Golden));
            t.set("Startup", "DrawPad", value);
            t.start();
            QCOMPARE(part<GraphicsTools>(*t.w)->drawPad() != nullptr, QByteArray(value) == "1");
            action(*t.w, "tools", MainMenus::PixPad)->trigger();
            PixPad *pad = part<GraphicsTools>(*t.w)->pixPad();
            QVERIFY(pad->picture().pixel(32, 32) && pad->picture().width() == 5);
            PadWindow::insert(pad); // a file has no literal to put back into
            QVERIFY(t.text().startsWith("putbit \"rgb 5,3:000000ffffff"));
            QVERIFY(t.text().endsWith("\npic$ = \"smile.ypp\""));
        }
    }

    void pixPadPaintsAndFrames()
    {
        PadWindow t;
        PixPad *pad = t.pixPad();
        QVERIFY(pad && pad->isVisible());
        QCOMPARE(PadWindow::bitmap(pad) + "|" + part<QLineEdit>(*pad, "oldFormatEdit")->text(), "rgb 1,1:ffffff|2,2:");
        PixPadCanvas *canvas = pad->canvas();
        drag(canvas, QPoint(10, 3), QPoint(10, 3));
        drag(canvas, QPoint(11, 3), QPoint(11, 3), Qt::RightButton);
        part<QSlider>(*pad, "widthSlider")->setValue(3);
        part<QSlider>(*pad, "heightSlider")->setValue(2);
        QCOMPARE(PadWindow::bitmap(pad), QStringLiteral("rgb 3,2:000000000000ffffffffffffffffffffffff"));
        QCOMPARE(canvas->shown().pixelColor(30, 15), QColor(0, 0, 255));
        QCOMPARE(canvas->shown().pixelColor(15, 20), QColor(0, 0, 255));

        // A stroke that starts on a set cell only clears (a fast one counts the cells between too).
        PadWindow::click(pad, {{2, 1}});
        press(canvas, QPoint(5, 5));
        moveHeld(canvas, QPoint(45, 5));
        moveHeld(canvas, QPoint(25, 15));
        moveHeld(canvas, QPoint(-20, 15)); // beyond the left edge: nothing
        release(canvas, QPoint(-20, 15));
        for (int x = 0; x < 5; ++x)
            QVERIFY(!pad->picture().pixel(x, 0));
        QVERIFY(!pad->picture().pixel(2, 1));
        drag(canvas, QPoint(5, 25), QPoint(45, 25), Qt::RightButton); // only the left button paints
        QVERIFY(pad->picture().pixel(0, 2) && !pad->picture().pixel(4, 2));
        drag(canvas, QPoint(5, 35), QPoint(600, 600));
        QVERIFY(pad->picture().pixel(32, 32) && isBlack(canvas->shown(), QPoint(325, 325)));

        part<QPushButton>(*pad, "copyButton")->click();
        QCOMPARE(QGuiApplication::clipboard()->text(), PadWindow::bitmap(pad));
        PadWindow::insert(pad);
        QCOMPARE(t.text(), QStringLiteral("putbit \"%1\" to x, y\n").arg(PadWindow::bitmap(pad)));
    }

    void pictureFilesAndBitmapLiterals()
    {
        PadWindow t("print 1\nputbit \"rgb 2,1:000000ffffff\" to 10, 10\nputbit \"rgb 1,1:ff0000\" to 1, 1\n");
        ScriptedPrompter &asked = t.fake.prompter;
        const QString kept = t.fake.path("kept.ypp");
        const auto go = [&](const char *item, const QString &f) { asked.answerFile(f), action(*t.w, item)->trigger(); };
        go("fileSavePixPad", kept); // no pad open: an empty picture
        QCOMPARE(t.tools().pixPad(), nullptr);
        QCOMPARE(readBytes(kept), PixPadFile::write(PixelPicture()));
        const FileDialogRequest save = asked.fileDialogs.last();
        QCOMPARE(save.title + save.initialName + save.defaultExtension, QStringLiteral("Save as PixPad File*.ypp.ypp"));
        QCOMPARE(save.filter, QStringLiteral("YaBasic PixPad (*.ypp)|*.ypp|All files (*.*)|*.*"));
        QVERIFY(save.kind == FileDialogRequest::Save && save.confirmOverwrite);

        go("fileOpenPixPad", Golden);
        const FileDialogRequest open = asked.fileDialogs.last();
        QVERIFY(open.title == "Open PixPad file" && open.kind == FileDialogRequest::Open && open.filter == save.filter);
        PixPad *pad = t.tools().pixPad();
        QVERIFY(pad && pad->isVisible());
        QCOMPARE(part<QSlider>(*pad, "widthSlider")->value(), 5);
        go("fileSavePixPad", kept);
        QCOMPARE(readBytes(kept), readBytes(Golden));

        // A file that is not a picture leaves the pad as it was; a size out of range is said.
        QByteArray bytes = readBytes(kept);
        asked.answerFile(t.fake.writeFile("short.ypp", bytes.left(1090)));
        asked.answerMessage(MsgResult::OK);
        action(*t.w, "fileOpenPixPad")->trigger();
        t.expectOneMessage("Open PixPad file", "short.ypp is not a PixPad picture: a PixPad file holds 1091 bytes, "
                                               "and this one holds 1090.", MsgIcon::Exclamation);
        QVERIFY(pad->picture().pixel(32, 32));
        bytes[1] = char(200);
        asked.answerFile(t.fake.writeFile("tall.ypp", bytes));
        asked.answerMessage(MsgResult::OK);
        action(*t.w, "fileOpenPixPad")->trigger();
        t.expectLastMessage("Open PixPad file", "tall.ypp was opened, but it gives the size 5 x 200, which PixPad "
                                                "cannot show; it was set to 5 x 32 (1 to 32 each way).",
                            MsgIcon::Information);
        QCOMPARE(part<QSlider>(*pad, "heightSlider")->value(), 32);

        // A bitmap literal on the caret line goes into the open pad and comes back changed.
        t.caretTo(10);
        std::unique_ptr<QMenu> menu(t.ed()->createContextMenu(QPoint(1, 1)));
        QAction *edit = menu->findChild<QAction *>("editBitmapInPixPad");
        QVERIFY(edit->text() == "Edit Bitmap in PixPad" && edit->isEnabled());
        edit->trigger();
        QCOMPARE(PadWindow::bitmap(pad), QStringLiteral("rgb 2,1:000000ffffff"));
        PadWindow::click(pad, {{1, 0}, {0, 0}});
        PadWindow::insert(pad);
        QCOMPARE(t.line(1), QStringLiteral("putbit \"rgb 2,1:ffffff000000\" to 10, 10"));
        PadWindow::click(pad, {{0, 0}});
        PadWindow::insert(pad); // the same literal again
        QCOMPARE(t.line(1), QStringLiteral("putbit \"rgb 2,1:000000000000\" to 10, 10"));

        // Once the literal was edited, Insert types a new statement at the caret instead.
        t.insertAt(t.linePosition(1) + 9, QStringLiteral("x"));
        t.caretTo(0);
        PadWindow::insert(pad);
        QCOMPARE(t.line(0), QStringLiteral("putbit \"rgb 2,1:000000000000\" to x, y"));

        // A coloured bitmap is refused and the pad keeps its picture; a plain line offers nothing.
        t.caretTo(t.linePosition(3));
        action(*t.w, "tools", MainMenus::PixPad)->trigger(); // the pad holds a picture: not replaced
        QCOMPARE(asked.messages.size(), 2);
        asked.answerMessage(MsgResult::OK);
        t.tools().editBitmapOnCaretLine();
        t.expectLastMessage("PixPad", "The bitmap string on line 4 cannot be edited in PixPad: pixel 0, 0 has the "
                                      "colour ff0000; PixPad holds only black (000000) and white (ffffff) pixels.",
                            MsgIcon::Exclamation);
        QCOMPARE(PadWindow::bitmap(pad), QStringLiteral("rgb 2,1:000000000000"));
        t.caretTo(t.linePosition(1));
        menu.reset(t.ed()->createContextMenu(QPoint(1, 1)));
        QVERIFY(!menu->findChild<QAction *>("editBitmapInPixPad")->isEnabled());
        QCOMPARE(asked.unexpected, QStringList());
    }

    void theInterpreterRunsWhatThePadsWrite()
    {
        const XDisplay x;
        if (QStandardPaths::findExecutable("yabasic").isEmpty() || x.name.isEmpty())
            QSKIP("needs yabasic and Xvfb (Debian packages yabasic, xvfb)");
        PadWindow t;
        DrawPad *draw = t.drawPad();
        // Quotes, backslashes, a tab and a run too long for one literal, printed as typed.
        const QString typed = "a \"quote\", C:\\new\\ \t\u00e4\U0001F600 " + QString(9000, '\\') + QString(3000, '"');
        part<QLineEdit>(*draw, "textEdit")->setText(typed);
        for (int tool = 0; tool < 6; ++tool) {
            part<QComboBox>(*draw, "toolList")->setCurrentIndex(tool);
            drag(draw->canvas(), QPoint(20 + 40 * tool, 30), QPoint(60 + 40 * tool, 90));
        }
        const QString echo = t.text().section('\n', 2, 2).replace(QRegularExpression("^Text \\d+, \\d+, "), "print ");
        const auto [drawn, said] = x.run("open window 500, 400\n" + t.text() + '\n' + echo + "\nprint \"drawn\"\n");
        QVERIFY2(drawn == 0 && said.startsWith(typed + "\ndrawn\n"), qPrintable(said.left(300)));

        t.ed()->clear();
        PixPad *pad = t.pixPad();
        part<QSlider>(*pad, "widthSlider")->setValue(5);
        part<QSlider>(*pad, "heightSlider")->setValue(4);
        PadWindow::click(pad, {{0, 0}, {4, 0}, {2, 1}, {1, 3}, {4, 3}, {5, 0}});
        PadWindow::insert(pad);
        const auto [ran, printed] = x.run("open window 100, 100\n" + t.text() + "print getbit$(0, 0, 4, 3)\n");
        const BitmapString::Parsed back = BitmapString::parse(printed.section('\n', 0, 0));
        QVERIFY2(ran == 0 && back.picture, qPrintable(back.problem + printed));
        PixelPicture framed = pad->picture();
        framed.setPixel(5, 0, false); // outside the frame
        QVERIFY(*back.picture == framed);
    }

};

QTEST_MAIN(tst_Graphics)
#include "tst_graphics.moc"
