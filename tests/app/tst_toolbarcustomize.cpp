// The toolbar and its Customize dialog, worked with the mouse.

#include "app/MainToolbar.h"
#include "app/ToolbarCustomizeDialog.h"
#include "app/core/ToolbarLayout.h"
#include "support/TestWindow.h"

#include <QtWidgets>

namespace {
QStringList keys(const QListWidget *list)
{
    QStringList out;
    for (int row = 0; row < list->count(); ++row)
        out << list->item(row)->data(Qt::UserRole).toString();
    return out;
}

// Works the dialog the way a person does. One step: "current:KEY",
// "available:KEY", "dbl-current:KEY", "dbl-available:KEY", "current:none" or
// "available:none" (ctrl+click takes the selection off), or a button: add,
// remove, up, down, reset.
bool step(ToolbarCustomizeDialog &d, const QString &s)
{
    if (!s.contains(':')) {
        auto *b = d.findChild<QPushButton *>(s + "Button");
        if (b)
            QTest::mouseClick(b, Qt::LeftButton);
        return b;
    }
    auto *list = d.findChild<QListWidget *>(s.contains("current:") ? "currentList" : "availableList");
    const QList<QListWidgetItem *> selected = list->selectedItems();
    const int row = s.endsWith(":none") ? (selected.isEmpty() ? -1 : list->row(selected.first()))
                                        : keys(list).indexOf(s.section(':', 1));
    if (row < 0)
        return false;
    list->scrollToItem(list->item(row));
    const QPoint at = list->visualItemRect(list->item(row)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, s.endsWith(":none") ? Qt::ControlModifier : Qt::NoModifier, at);
    if (s.startsWith("dbl-"))
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    return true;
}
} // namespace

class tst_ToolbarCustomize : public QObject {
    Q_OBJECT
private slots:
    void editing_data()
    {
        QTest::addColumn<QStringList>("start");
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QString>("enabled"); // the buttons that can be pressed afterwards
        const QStringList def = defaultToolbarLayout();
        QTest::newRow("empty means built-in; reset is off") << QStringList() << QStringList{"current:cut", "down", "up"}
                                                            << def << "add remove up down ok";
        QTest::newRow("untidy input tidied") << QStringList{"|", "nosuch", "save", "|", "|", "save", "cut", "|"}
                                             << QStringList() << QStringList{"save", "|", "cut"} << "add remove down reset ok";
        QTest::newRow("remove, then add back after the selected entry") << QStringList{"new", "print", "copy", "paste"}
            << QStringList{"current:print", "remove", "current:copy", "available:print", "add"}
            << QStringList{"new", "copy", "print", "paste"} << "add remove up down reset ok";
        QTest::newRow("with nothing selected: add appends, no remove, no moves")
            << QStringList{"run", "help"} << QStringList{"current:none", "available:new", "add", "current:none"}
            << QStringList{"run", "help", "new"} << "add reset ok";
        QTest::newRow("added buttons follow one another; moves past the ends change nothing")
            << QStringList{"run"} << QStringList{"current:run", "up", "available:new", "add", "add", "add", "down"}
            << QStringList{"run", "new", "open", "save"} << "add remove up reset ok";
        QTest::newRow("double clicks move entries across") << QStringList{"new", "open", "save"}
            << QStringList{"dbl-current:open", "current:save", "dbl-available:run"} << QStringList{"new", "save", "run"}
            << "add remove up reset ok";
        QTest::newRow("separators may repeat, but not at the ends nor side by side") << QStringList{"new", "|", "open", "|", "save"}
            << QStringList{"current:open", "remove", "current:new", "up", "available:|", "add", "current:save", "available:|", "add"}
            << QStringList{"new", "|", "save"} << "add remove up reset ok";
        QTest::newRow("reset brings back the built-in layout and turns itself off") << QStringList{"help"}
            << QStringList{"available:run", "add", "current:help", "up", "reset"} << def << "add remove down ok";
        QTest::newRow("separators only: no OK") << QStringList{"help"}
            << QStringList{"available:|", "add", "current:help", "remove"} << QStringList{} << "add remove reset";
    }
    void editing()
    {
        QFETCH(QStringList, start);
        QFETCH(QStringList, steps);
        QFETCH(QString, enabled);
        ToolbarCustomizeDialog dialog(start, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (const QString &s : steps)
            QVERIFY2(step(dialog, s), qPrintable("cannot do step " + s));
        QStringList pressable; // the buttons that can be pressed
        for (const char *name : {"add", "remove", "up", "down", "reset"})
            if (dialog.findChild<QPushButton *>(QLatin1String(name) + "Button")->isEnabled())
                pressable << name;
        auto *ok = dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
        QCOMPARE((pressable << (ok->isEnabled() ? "ok" : "")).join(' ').trimmed(), enabled);
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(dialog.result() == QDialog::Accepted, enabled.endsWith("ok"));
        QTEST(dialog.layout(), "expected");
    }

    // A bar shows its layout, with the help button's drop-down menu, changes it
    // only through an accepted dialog and brings it back from the stored form.
    void toolbarFollowsTheDialog()
    {
        MainToolbar bar, again;
        bar.applyLayout({"save", "|", "print"}); // help off the bar first
        bar.applyLayout({});
        QCOMPARE(bar.currentLayout(), defaultToolbarLayout());
        bar.applyLayout({"help", "|", "run", "new", "|", "cut"});
        for (bool accept : {false, true}) {
            QVERIFY(onModal<ToolbarCustomizeDialog>([&] { bar.customize(); }, [&](ToolbarCustomizeDialog *d) {
                QVERIFY(step(*d, "dbl-current:new"));
                auto *buttons = d->findChild<QDialogButtonBox *>();
                buttons->button(accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
            }));
            QCOMPARE(bar.actions().contains(bar.button("new")), !accept);
        }
        again.restoreLayout(bar.saveLayout());
        for (MainToolbar *b : {&bar, &again}) {
            QCOMPARE(b->currentLayout(), (QStringList{"help", "|", "run", "|", "cut"}));
            auto *help = qobject_cast<QToolButton *>(b->widgetForAction(b->button("help")));
            QVERIFY(help && help->popupMode() == QToolButton::MenuButtonPopup);
            QCOMPARE(help->defaultAction()->menu<QMenu *>(), b->helpMenu());
        }
    }
};

QTEST_MAIN(tst_ToolbarCustomize)
#include "tst_toolbarcustomize.moc"
