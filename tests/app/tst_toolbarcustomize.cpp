#include "app/MainToolbar.h"
#include "app/ToolbarCustomizeDialog.h"
#include "app/ToolbarLayout.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

namespace {

const QString Sep = QStringLiteral("|");

QStringList Keys(const QListWidget *list)
{
    QStringList keys;
    for (int row = 0; row < list->count(); ++row)
        keys << list->item(row)->data(Qt::UserRole).toString();
    return keys;
}

QStringList Texts(const QListWidget *list)
{
    QStringList texts;
    for (int row = 0; row < list->count(); ++row)
        texts << list->item(row)->text();
    return texts;
}

QStringList AllKeys()
{
    QStringList keys;
    for (const ToolbarButtonDef &b : MainToolbarButtons())
        keys << b.key;
    return keys;
}

// Works the dialog's controls the way a person does: clicks on list rows and
// buttons, double clicks on entries.
struct Driver {
    explicit Driver(ToolbarCustomizeDialog &d)
        : dialog(d),
          available(d.findChild<QListWidget *>("availableList")),
          current(d.findChild<QListWidget *>("currentList"))
    {
    }

    QPushButton *button(const char *name) const { return dialog.findChild<QPushButton *>(name); }
    QPushButton *ok() const
    {
        return dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok);
    }
    QPushButton *cancel() const
    {
        return dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel);
    }

    // "KEY" names the first row with that key, "#N" row N.
    static int row(const QListWidget *list, const QString &which)
    {
        if (which.startsWith('#'))
            return which.mid(1).toInt();
        return Keys(list).indexOf(which);
    }

    QPoint rowCentre(QListWidget *list, int row) const
    {
        QListWidgetItem *item = list->item(row);
        list->scrollToItem(item);
        return list->visualItemRect(item).center();
    }

    bool click(QListWidget *list, const QString &which, Qt::KeyboardModifiers mods = {})
    {
        const int r = row(list, which);
        if (r < 0)
            return false;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, mods, rowCentre(list, r));
        return true;
    }

    bool doubleClick(QListWidget *list, const QString &which)
    {
        const int r = row(list, which);
        if (r < 0)
            return false;
        const QPoint at = rowCentre(list, r);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
        return true;
    }

    // One step of a script: "current:KEY", "available:KEY", "current:none"
    // (ctrl+click takes the selection off), "dbl-current:KEY",
    // "dbl-available:KEY", or a button: add, remove, up, down, reset.
    bool step(const QString &s)
    {
        const QString arg = s.section(':', 1);
        if (s == "current:none") {
            const QList<QListWidgetItem *> sel = current->selectedItems();
            return !sel.isEmpty() && click(current, "#" + QString::number(current->row(sel.first())),
                                           Qt::ControlModifier);
        }
        if (s.startsWith("current:"))
            return click(current, arg);
        if (s.startsWith("available:"))
            return click(available, arg);
        if (s.startsWith("dbl-current:"))
            return doubleClick(current, arg);
        if (s.startsWith("dbl-available:"))
            return doubleClick(available, arg);
        const QHash<QString, const char *> buttons = {{"add", "addButton"},   {"remove", "removeButton"},
                                                      {"up", "upButton"},     {"down", "downButton"},
                                                      {"reset", "resetButton"}};
        if (!buttons.contains(s))
            return false;
        QTest::mouseClick(button(buttons.value(s)), Qt::LeftButton);
        return true;
    }

    ToolbarCustomizeDialog &dialog;
    QListWidget *available;
    QListWidget *current;
};

// The left list is "Separator" and then exactly the buttons the right list
// leaves out, in their built-in order.
void VerifyAvailableMatchesCurrent(const Driver &d)
{
    const QStringList avail = Keys(d.available);
    QVERIFY(!avail.isEmpty());
    QCOMPARE(avail.first(), Sep);
    const QStringList onBar = Keys(d.current);
    const QSet<QString> shown(onBar.begin(), onBar.end());
    QStringList expected{Sep};
    for (const QString &key : AllKeys()) {
        if (!shown.contains(key))
            expected << key;
    }
    QCOMPARE(avail, expected);
}

QToolButton *HelpToolButton(MainToolbar &bar)
{
    return qobject_cast<QToolButton *>(bar.widgetForAction(bar.button("help")));
}

} // namespace

class tst_ToolbarCustomize : public QObject {
    Q_OBJECT
private slots:
    void listsShowGivenLayout_data();
    void listsShowGivenLayout();
    void entriesShowIconAndDescription();
    void editing_data();
    void editing();
    void buttonsFollowSelection_data();
    void buttonsFollowSelection();
    void resetAndOkFollowContent();
    void okAndCancel();

    void toolbarAppliesLayout_data();
    void toolbarAppliesLayout();
    void toolbarLayoutSurvivesStoredForm();
    void helpButtonKeepsDropDown_data();
    void helpButtonKeepsDropDown();
    void customizeAppliesOnlyAccepted_data();
    void customizeAppliesOnlyAccepted();
};

void tst_ToolbarCustomize::listsShowGivenLayout_data()
{
    QTest::addColumn<QStringList>("given");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("built-in") << DefaultToolbarLayout() << DefaultToolbarLayout();
    QTest::newRow("empty means built-in") << QStringList() << DefaultToolbarLayout();
    QTest::newRow("customised") << QStringList{"run", "|", "help", "new"}
                                << QStringList{"run", "|", "help", "new"};
    QTest::newRow("untidy input tidied") << QStringList{"|", "nosuch", "save", "|", "|", "save", "cut", "|"}
                                         << QStringList{"save", "|", "cut"};
}

void tst_ToolbarCustomize::listsShowGivenLayout()
{
    QFETCH(QStringList, given);
    QFETCH(QStringList, shown);

    ToolbarCustomizeDialog dialog(given, nullptr);
    Driver d(dialog);
    QVERIFY(d.available && d.current);
    QCOMPARE(Keys(d.current), shown);
    QCOMPARE(dialog.layout(), shown);
    VerifyAvailableMatchesCurrent(d);
}

void tst_ToolbarCustomize::entriesShowIconAndDescription()
{
    // Half the buttons on each side, so both lists show buttons.
    QStringList layout;
    for (const ToolbarButtonDef &b : MainToolbarButtons()) {
        if (layout.size() % 3 != 2)
            layout << b.key;
        else
            layout << Sep;
    }
    ToolbarCustomizeDialog dialog(layout, nullptr);
    Driver d(dialog);

    for (QListWidget *list : {d.available, d.current}) {
        for (int row = 0; row < list->count(); ++row) {
            const QListWidgetItem *item = list->item(row);
            const QString key = item->data(Qt::UserRole).toString();
            QVERIFY2(!item->icon().isNull(), qPrintable(key));
            QVERIFY2(!item->icon().pixmap(24, 24).isNull(), qPrintable(key));
            const ToolbarButtonDef *def = FindToolbarButton(key);
            QCOMPARE(item->text(), def ? def->description : QStringLiteral("Separator"));
        }
    }
    QVERIFY(Texts(d.available).contains("Save Yabasic Program"));
    QVERIFY(Texts(d.current).contains("New Yabasic Program"));
}

void tst_ToolbarCustomize::editing_data()
{
    QTest::addColumn<QStringList>("start");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("expected");

    const QStringList def = DefaultToolbarLayout();

    QTest::newRow("remove a button")
        << def << QStringList{"current:undo", "remove"}
        << QStringList{"new", "open", "save", "saveweb", "|", "print", "|", "redo", "|", "cut", "copy",
                       "paste", "|", "run", "|", "draw", "langhelp", "lines", "|", "onlines", "help"};
    QTest::newRow("remove and add back after the selected button")
        << def << QStringList{"current:print", "remove", "current:copy", "available:print", "add"}
        << QStringList{"new", "open", "save", "saveweb", "|", "undo", "redo", "|", "cut", "copy", "print",
                       "paste", "|", "run", "|", "draw", "langhelp", "lines", "|", "onlines", "help"};
    QTest::newRow("add with nothing selected appends")
        << QStringList{"run", "help"} << QStringList{"current:none", "available:new", "add"}
        << QStringList{"run", "help", "new"};
    QTest::newRow("added buttons follow one another")
        << QStringList{"run"} << QStringList{"current:run", "available:new", "add", "add", "add"}
        << QStringList{"run", "new", "open", "save"};
    QTest::newRow("separator can be added again and again")
        << QStringList{"new", "open", "save"}
        << QStringList{"current:new", "available:|", "add", "current:open", "available:|", "add"}
        << QStringList{"new", "|", "open", "|", "save"};
    QTest::newRow("remove a separator")
        << QStringList{"new", "|", "open"} << QStringList{"current:|", "remove"} << QStringList{"new", "open"};
    QTest::newRow("move up twice")
        << def << QStringList{"current:run", "up", "up"}
        << QStringList{"new", "open", "save", "saveweb", "|", "print", "|", "undo", "redo", "|", "cut", "copy",
                       "run", "paste", "|", "draw", "langhelp", "lines", "|", "onlines", "help"};
    QTest::newRow("move down to the end")
        << QStringList{"new", "open", "save"} << QStringList{"current:new", "down", "down"}
        << QStringList{"open", "save", "new"};
    QTest::newRow("moves past the ends change nothing")
        << QStringList{"new", "open"} << QStringList{"current:new", "up", "current:open", "down"}
        << QStringList{"new", "open"};
    QTest::newRow("double clicks move entries across")
        << QStringList{"new", "open", "save"}
        << QStringList{"dbl-current:open", "current:save", "dbl-available:run"}
        << QStringList{"new", "save", "run"};
    QTest::newRow("reset brings back the built-in layout")
        << QStringList{"help"} << QStringList{"available:run", "add", "current:help", "up", "reset"} << def;
    QTest::newRow("separators at the ends and side by side are dropped")
        << QStringList{"new", "|", "open", "|", "save"}
        << QStringList{"current:open", "remove", "current:new", "up", "available:|", "add", "current:save",
                       "available:|", "add"}
        << QStringList{"new", "|", "save"};
}

void tst_ToolbarCustomize::editing()
{
    QFETCH(QStringList, start);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, expected);

    ToolbarCustomizeDialog dialog(start, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    Driver d(dialog);

    for (const QString &s : steps) {
        QVERIFY2(d.step(s), qPrintable("cannot do step " + s));
        VerifyAvailableMatchesCurrent(d);
        if (QTest::currentTestFailed())
            QFAIL(qPrintable("after step " + s));
    }
    QTest::mouseClick(d.ok(), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.layout(), expected);
}

void tst_ToolbarCustomize::buttonsFollowSelection_data()
{
    QTest::addColumn<QString>("select"); // in the right list
    QTest::addColumn<bool>("remove");
    QTest::addColumn<bool>("up");
    QTest::addColumn<bool>("down");

    QTest::newRow("first row") << "new" << true << false << true;
    QTest::newRow("middle row") << "|" << true << true << true;
    QTest::newRow("last row") << "help" << true << true << false;
    QTest::newRow("no selection") << "none" << false << false << false;
}

void tst_ToolbarCustomize::buttonsFollowSelection()
{
    QFETCH(QString, select);
    QFETCH(bool, remove);
    QFETCH(bool, up);
    QFETCH(bool, down);

    ToolbarCustomizeDialog dialog({"new", "|", "help"}, nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    Driver d(dialog);

    QVERIFY(d.step("current:help"));
    QVERIFY(d.step("current:" + select));
    QCOMPARE(d.button("removeButton")->isEnabled(), remove);
    QCOMPARE(d.button("upButton")->isEnabled(), up);
    QCOMPARE(d.button("downButton")->isEnabled(), down);

    // Add needs a chosen entry on the left.
    QVERIFY(d.step("available:run"));
    QVERIFY(d.button("addButton")->isEnabled());
    d.available->clearSelection();
    QVERIFY(!d.button("addButton")->isEnabled());
}

void tst_ToolbarCustomize::resetAndOkFollowContent()
{
    ToolbarCustomizeDialog dialog(DefaultToolbarLayout(), nullptr);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    Driver d(dialog);

    QVERIFY(!d.button("resetButton")->isEnabled());
    QVERIFY(d.step("current:cut"));
    QVERIFY(d.step("down"));
    QVERIFY(d.button("resetButton")->isEnabled());
    QVERIFY(d.step("reset"));
    QVERIFY(!d.button("resetButton")->isEnabled());
    QCOMPARE(Keys(d.current), DefaultToolbarLayout());

    // A toolbar left with separators only cannot be accepted.
    QVERIFY(d.ok()->isEnabled());
    QVERIFY(d.step("current:#0"));
    while (Keys(d.current).size() > 1)
        QVERIFY(d.step("remove"));
    QCOMPARE(Keys(d.current), QStringList{"help"});
    QVERIFY(d.ok()->isEnabled());
    QVERIFY(d.step("available:|"));
    QVERIFY(d.step("add"));
    QVERIFY(d.step("current:help"));
    QVERIFY(d.step("remove"));
    QCOMPARE(Keys(d.current), QStringList{"|"});
    QVERIFY(!d.ok()->isEnabled());
    QCOMPARE(Keys(d.available), (QStringList{"|"} + AllKeys()));
    QVERIFY(d.step("dbl-available:lines"));
    QVERIFY(d.ok()->isEnabled());
}

void tst_ToolbarCustomize::okAndCancel()
{
    for (bool accept : {true, false}) {
        ToolbarCustomizeDialog dialog({"new", "open"}, nullptr);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        Driver d(dialog);
        QVERIFY(d.step("dbl-current:new"));
        QTest::mouseClick(accept ? d.ok() : d.cancel(), Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), int(accept ? QDialog::Accepted : QDialog::Rejected));
        if (accept)
            QCOMPARE(dialog.layout(), QStringList{"open"});
    }
}

void tst_ToolbarCustomize::toolbarAppliesLayout_data()
{
    QTest::addColumn<QStringList>("layout");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("built-in") << DefaultToolbarLayout() << DefaultToolbarLayout();
    QTest::newRow("empty means built-in") << QStringList() << DefaultToolbarLayout();
    QTest::newRow("reordered with separators") << QStringList{"help", "|", "run", "new", "|", "cut"}
                                               << QStringList{"help", "|", "run", "new", "|", "cut"};
    QTest::newRow("one button") << QStringList{"paste"} << QStringList{"paste"};
}

void tst_ToolbarCustomize::toolbarAppliesLayout()
{
    QFETCH(QStringList, layout);
    QFETCH(QStringList, shown);

    MainToolbar bar;
    bar.applyLayout({"save", "|", "print"}); // something else first
    bar.applyLayout(layout);
    QCOMPARE(bar.currentLayout(), shown);
    for (const QString &key : AllKeys())
        QCOMPARE(bar.actions().contains(bar.button(key)), shown.contains(key));
}

void tst_ToolbarCustomize::toolbarLayoutSurvivesStoredForm()
{
    const QStringList custom{"run", "|", "open", "save", "|", "help", "draw"};
    MainToolbar before;
    before.applyLayout(custom);
    const QString stored = before.saveLayout();

    MainToolbar after;
    QCOMPARE(after.currentLayout(), DefaultToolbarLayout());
    after.restoreLayout(stored);
    QCOMPARE(after.currentLayout(), custom);
    QCOMPARE(after.saveLayout(), stored);
}

void tst_ToolbarCustomize::helpButtonKeepsDropDown_data()
{
    QTest::addColumn<QStringList>("layout");

    QTest::newRow("built-in") << QStringList();
    QTest::newRow("help alone") << QStringList{"help"};
    QTest::newRow("help first") << QStringList{"help", "|", "new", "open"};
}

void tst_ToolbarCustomize::helpButtonKeepsDropDown()
{
    QFETCH(QStringList, layout);

    MainToolbar bar;
    bar.applyLayout({"new"}); // help off the bar and back on again
    bar.applyLayout(layout);
    QToolButton *help = HelpToolButton(bar);
    QVERIFY(help);
    QCOMPARE(help->popupMode(), QToolButton::MenuButtonPopup);
    QCOMPARE(help->defaultAction(), bar.button("help"));
    QCOMPARE(help->defaultAction()->menu<QMenu *>(), bar.helpMenu());

    bar.restoreLayout(bar.saveLayout());
    help = HelpToolButton(bar);
    QVERIFY(help);
    QCOMPARE(help->popupMode(), QToolButton::MenuButtonPopup);
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
        QTest::mouseClick(accept ? d.ok() : d.cancel(), Qt::LeftButton);
    });
    bar.customize();

    QVERIFY(worked);
    QCOMPARE(bar.currentLayout(), expected);
    QToolButton *help = HelpToolButton(bar);
    QVERIFY(help);
    QCOMPARE(help->popupMode(), QToolButton::MenuButtonPopup);
}

QTEST_MAIN(tst_ToolbarCustomize)
#include "tst_toolbarcustomize.moc"
