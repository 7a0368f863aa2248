#include "app/MainToolbar.h"
#include "app/ToolbarCustomizeDialog.h"
#include "app/core/ToolbarLayout.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

QStringList Keys(const QListWidget *list)
{
    QStringList keys;
    for (int row = 0; row < list->count(); ++row)
        keys << list->item(row)->data(Qt::UserRole).toString();
    return keys;
}

// Works the dialog's controls the way a person does: clicks on list rows and
// buttons, double clicks on entries.
struct Driver {
    explicit Driver(ToolbarCustomizeDialog &d)
        : dialog(d), available(d.findChild<QListWidget *>("availableList")),
          current(d.findChild<QListWidget *>("currentList"))
    {
    }

    QPushButton *button(const QString &name) const { return dialog.findChild<QPushButton *>(name + "Button"); }
    QPushButton *box(QDialogButtonBox::StandardButton which) const
    {
        return dialog.findChild<QDialogButtonBox *>()->button(which);
    }

    bool click(QListWidget *list, const QString &key, bool twice = false, Qt::KeyboardModifiers mods = {})
    {
        const int row = Keys(list).indexOf(key);
        if (row < 0)
            return false;
        list->scrollToItem(list->item(row));
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, mods, at);
        if (twice)
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        return true;
    }

    // One step: "current:KEY", "available:KEY", "dbl-current:KEY",
    // "dbl-available:KEY", "current:none" or "available:none" (ctrl+click
    // takes the selection off) or a button: add, remove, up, down, reset.
    bool step(const QString &s)
    {
        QListWidget *list = s.contains("current:") ? current : s.contains("available:") ? available : nullptr;
        if (!list) {
            if (button(s))
                QTest::mouseClick(button(s), Qt::LeftButton);
            return button(s);
        }
        if (!s.endsWith(":none"))
            return click(list, s.section(':', 1), s.startsWith("dbl-"));
        const QList<QListWidgetItem *> sel = list->selectedItems();
        return !sel.isEmpty() && click(list, Keys(list).at(list->row(sel.first())), false, Qt::ControlModifier);
    }

    // The buttons that can be pressed, by name: add remove up down reset ok.
    QString enabled() const
    {
        QStringList names;
        for (const char *name : {"add", "remove", "up", "down", "reset"})
            if (button(name)->isEnabled())
                names << name;
        if (box(QDialogButtonBox::Ok)->isEnabled())
            names << "ok";
        return names.join(' ');
    }

    // The left list is "Separator" and then exactly the buttons the right list
    // leaves out, in their built-in order; every entry shows its icon and the
    // button's description.
    void verifyLists() const
    {
        QStringList expected{ToolbarSeparator};
        for (const ToolbarButtonDef &b : mainToolbarButtons())
            if (!Keys(current).contains(b.key))
                expected << b.key;
        QCOMPARE(Keys(available), expected);
        for (QListWidget *list : {available, current}) {
            for (int row = 0; row < list->count(); ++row) {
                const ToolbarButtonDef *def = findToolbarButton(Keys(list).at(row));
                QVERIFY(!list->item(row)->icon().pixmap(24, 24).isNull());
                QCOMPARE(list->item(row)->text(), def ? def->description : QStringLiteral("Separator"));
            }
        }
    }

    ToolbarCustomizeDialog &dialog;
    QListWidget *available;
    QListWidget *current;
};

void VerifyHelpDropDown(MainToolbar &bar)
{
    auto *help = qobject_cast<QToolButton *>(bar.widgetForAction(bar.button("help")));
    QVERIFY(help);
    QCOMPARE(help->popupMode(), QToolButton::MenuButtonPopup);
    QCOMPARE(help->defaultAction()->menu<QMenu *>(), bar.helpMenu());
}

} // namespace

class tst_ToolbarCustomize : public QObject {
    Q_OBJECT
private slots:
    void editing_data();
    void editing();

    void toolbarShowsLayout_data();
    void toolbarShowsLayout();
    void customizeAppliesOnlyAccepted_data();
    void customizeAppliesOnlyAccepted();
};

void tst_ToolbarCustomize::editing_data()
{
    QTest::addColumn<QStringList>("start");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("enabled"); // the buttons that can be pressed afterwards

    const QStringList def = defaultToolbarLayout();
    const QStringList nsh{"new", "|", "help"};
    QTest::newRow("empty means built-in; reset is off") << QStringList() << QStringList{"current:cut", "down", "up"}
                                                        << def << "add remove up down ok";
    QTest::newRow("untidy input tidied") << QStringList{"|", "nosuch", "save", "|", "|", "save", "cut", "|"}
                                         << QStringList() << QStringList{"save", "|", "cut"} << "add remove down reset ok";
    QTest::newRow("remove, then add back after the selected entry")
        << QStringList{"new", "print", "copy", "paste"}
        << QStringList{"current:print", "remove", "current:copy", "available:print", "add"}
        << QStringList{"new", "copy", "print", "paste"} << "add remove up down reset ok";
    QTest::newRow("with nothing selected: add appends, no remove, no moves")
        << QStringList{"run", "help"} << QStringList{"current:none", "available:new", "add", "current:none"}
        << QStringList{"run", "help", "new"} << "add reset ok";
    QTest::newRow("added buttons follow one another; moves past the ends change nothing")
        << QStringList{"run"} << QStringList{"current:run", "up", "available:new", "add", "add", "add", "down"}
        << QStringList{"run", "new", "open", "save"} << "add remove up reset ok";
    QTest::newRow("double clicks move entries across") << QStringList{"new", "open", "save"}
                                                       << QStringList{"dbl-current:open", "current:save", "dbl-available:run"}
                                                       << QStringList{"new", "save", "run"} << "add remove up reset ok";
    QTest::newRow("separators may repeat, but not at the ends nor side by side")
        << QStringList{"new", "|", "open", "|", "save"}
        << QStringList{"current:open", "remove", "current:new", "up", "available:|", "add", "current:save", "available:|", "add"}
        << QStringList{"new", "|", "save"} << "add remove up reset ok";
    QTest::newRow("no chosen entry: no add") << nsh << QStringList{"available:none"} << nsh << "remove down reset ok";
    QTest::newRow("reset brings back the built-in layout and turns itself off")
        << QStringList{"help"} << QStringList{"available:run", "add", "current:help", "up", "reset"} << def
        << "add remove down ok";
    QTest::newRow("separators only: no OK") << QStringList{"help"}
                                            << QStringList{"available:|", "add", "current:help", "remove"} << QStringList{}
                                            << "add remove reset";
    QTest::newRow("a button added back: OK again")
        << QStringList{"help"} << QStringList{"available:|", "add", "current:help", "remove", "dbl-available:lines"}
        << QStringList{"lines"} << "add remove up reset ok";
}

void tst_ToolbarCustomize::editing()
{
    QFETCH(QStringList, start);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);
    QFETCH(QString, enabled);
    ToolbarCustomizeDialog dialog(start, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    Driver d(dialog);
    QCOMPARE(Keys(d.current), dialog.layout()); // shown as it is stored
    d.verifyLists();
    for (const QString &s : steps) {
        QVERIFY2(d.step(s), qPrintable("cannot do step " + s));
        d.verifyLists();
        if (QTest::currentTestFailed())
            QFAIL(qPrintable("after step " + s));
    }
    QCOMPARE(d.enabled(), enabled);
    QTest::mouseClick(d.box(QDialogButtonBox::Ok), Qt::LeftButton);
    QCOMPARE(dialog.result() == QDialog::Accepted, enabled.endsWith("ok"));
    QCOMPARE(dialog.layout(), expected);
}

void tst_ToolbarCustomize::toolbarShowsLayout_data()
{
    QTest::addColumn<QStringList>("layout");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("empty means built-in") << QStringList() << defaultToolbarLayout();
    QTest::newRow("reordered with separators") << QStringList{"help", "|", "run", "new", "|", "cut"}
                                               << QStringList{"help", "|", "run", "new", "|", "cut"};
    QTest::newRow("one button, no help") << QStringList{"paste"} << QStringList{"paste"};
}

void tst_ToolbarCustomize::toolbarShowsLayout()
{
    QFETCH(QStringList, layout);
    QFETCH(QStringList, shown);
    MainToolbar bar;
    bar.applyLayout({"save", "|", "print"}); // help off the bar first
    bar.applyLayout(layout);
    QCOMPARE(bar.currentLayout(), shown);
    for (const ToolbarButtonDef &b : mainToolbarButtons())
        QCOMPARE(bar.actions().contains(bar.button(b.key)), shown.contains(b.key));
    if (shown.contains("help"))
        VerifyHelpDropDown(bar);

    // The stored form brings the same bar back in a new window.
    MainToolbar after;
    after.restoreLayout(bar.saveLayout());
    QCOMPARE(after.currentLayout(), shown);
    if (shown.contains("help"))
        VerifyHelpDropDown(after);
}

void tst_ToolbarCustomize::customizeAppliesOnlyAccepted_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("OK") << true << QStringList{"open", "|", "help"};
    QTest::newRow("Cancel") << false << QStringList{"new", "open", "|", "help"};
}

void tst_ToolbarCustomize::customizeAppliesOnlyAccepted()
{
    QFETCH(bool, accept);
    QFETCH(QStringList, expected);
    MainToolbar bar;
    bar.applyLayout({"new", "open", "|", "help"});

    // The dialog runs modally: work it once its event loop is running.
    bool worked = false;
    QTimer::singleShot(0, this, [&] {
        auto *dialog = bar.findChild<ToolbarCustomizeDialog *>();
        if (!dialog || !dialog->isVisible()) {
            if (QWidget *modal = QApplication::activeModalWidget())
                modal->close();
            return;
        }
        Driver d(*dialog);
        worked = Keys(d.current) == QStringList{"new", "open", "|", "help"} && d.step("dbl-current:new");
        QTest::mouseClick(d.box(accept ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel), Qt::LeftButton);
    });
    bar.customize();
    QVERIFY(worked);
    QCOMPARE(bar.currentLayout(), expected);
    VerifyHelpDropDown(bar);
}

QTEST_MAIN(tst_ToolbarCustomize)
#include "tst_toolbarcustomize.moc"
