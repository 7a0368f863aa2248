#include "MainMenus.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {
QAction *item(QMenu *menu, const char *name, const QString &caption,
              const QKeySequence &key = QKeySequence())
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    if (!key.isEmpty())
        a->setShortcut(key);
    return a;
}

QAction *indexed(QMenu *menu, const char *name, int index, const QString &caption)
{
    QAction *a = item(menu, name, caption);
    a->setProperty("index", index);
    return a;
}

QAction *separator(QMenu *menu, const char *name)
{
    QAction *a = menu->addSeparator();
    a->setObjectName(QString::fromLatin1(name));
    return a;
}

QMenu *menu(QMenuBar *bar, const char *name, const QString &caption)
{
    QMenu *m = bar->addMenu(caption);
    m->setObjectName(QString::fromLatin1(name));
    return m;
}
} // namespace

void MainMenus::build(QMenuBar *bar, QWidget *)
{
    mnufile = menu(bar, "mnufile", QStringLiteral("&File"));
    QMenu *m = mnufile;
    mnufilenew = item(m, "mnufilenew", QStringLiteral("&New Program"), QKeySequence(Qt::CTRL | Qt::Key_N));
    mnufilenewinstance = item(m, "mnufilenewinstance", QStringLiteral("&New Program Instance"));
    mnufilesep3 = separator(m, "mnufilesep3");
    mnufileopen = item(m, "mnufileopen", QStringLiteral("&Open Program..."), QKeySequence(Qt::CTRL | Qt::Key_O));
    mnufileopeninstance = item(m, "mnufileopeninstance", QStringLiteral("Open in Ne&w Instance..."));
    mnufilesep7 = separator(m, "mnufilesep7");
    mnufilesave = item(m, "mnufilesave", QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
    mnufilesaveas = item(m, "mnufilesaveas", QStringLiteral("Save &as..."));
    mnutoolscreatehtmlsrc = item(m, "mnutoolscreatehtmlsrc", QStringLiteral("&Save as Web Page..."));
    mnuprogramcreatetight = item(m, "mnuprogramcreatetight", QStringLiteral("&Save as Tight Code..."), QKeySequence(Qt::Key_F7));
    mnufilesep9 = separator(m, "mnufilesep9");
    mnufileopenpix = item(m, "mnufileopenpix", QStringLiteral("Open in Pixpad..."));
    mnufilesaveaspix = item(m, "mnufilesaveaspix", QStringLiteral("Save PixPad as..."));
    mnufilesep6 = separator(m, "mnufilesep6");
    mnufileappend = item(m, "mnufileappend", QStringLiteral("&Append..."));
    mnufileimport = item(m, "mnufileimport", QStringLiteral("&Import CSV..."));
    mnufilesep1 = separator(m, "mnufilesep1");
    mnufileprint = item(m, "mnufileprint", QStringLiteral("&Print..."), QKeySequence(Qt::CTRL | Qt::Key_P));
    mnufilesep5 = separator(m, "mnufilesep5");
    for (int i = 0; i < 6; ++i) {
        mnumostrecent[i] = indexed(m, "mnumostrecent", i, QString());
        mnumostrecent[i]->setVisible(false);
    }
    mnufilesep2 = separator(m, "mnufilesep2");
    mnufilesep2->setVisible(false);
    mnufileexit = item(m, "mnufileexit", QStringLiteral("&Exit"));

    mnuedit = menu(bar, "mnuedit", QStringLiteral("&Edit"));
    m = mnuedit;
    mnueditundo = item(m, "mnueditundo", QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
    mnueditredo = item(m, "mnueditredo", QStringLiteral("&Redo"), QKeySequence(Qt::CTRL | Qt::Key_Y));
    mnueditsep1 = separator(m, "mnueditsep1");
    // Captions with the key names come at start-up; the editor handles those keys.
    mnueditstf[0] = indexed(m, "mnueditstf", 0, QStringLiteral("Cu&t"));
    mnueditstf[1] = indexed(m, "mnueditstf", 1, QStringLiteral("&Copy"));
    mnueditstf[2] = indexed(m, "mnueditstf", 2, QStringLiteral("&Paste"));
    mnueditstf[3] = indexed(m, "mnueditstf", 3, QStringLiteral("&Delete"));
    mnuselectall = item(m, "mnuselectall", QStringLiteral("&Select All"));
    mnueditsep2 = separator(m, "mnueditsep2");
    mnueditfind = item(m, "mnueditfind", QStringLiteral("&Find..."), QKeySequence(Qt::CTRL | Qt::Key_F));
    mnueditfindnext = item(m, "mnueditfindnext", QStringLiteral("Find &Next"), QKeySequence(Qt::Key_F3));
    mnueditreplace = item(m, "mnueditreplace", QStringLiteral("&Replace..."), QKeySequence(Qt::CTRL | Qt::Key_R));
    mnueditsep3 = separator(m, "mnueditsep3");
    mnueditinsertsub = item(m, "mnueditinsertsub", QStringLiteral("&Insert Subroutine"), QKeySequence(Qt::SHIFT | Qt::Key_F6));

    mnuview = menu(bar, "mnuview", QStringLiteral("&View"));
    mnuviewdisable = item(mnuview, "mnuviewdisable", QStringLiteral("&Disable Updating Editor State"));
    mnuviewdisable->setCheckable(true);
    mnuviewsep1 = separator(mnuview, "mnuviewsep1");
    mnureloadsubslab = item(mnuview, "mnureloadsubslab", QStringLiteral("&Update Subs and Labels"));

    mnuprogram = menu(bar, "mnuprogram", QStringLiteral("&Run"));
    m = mnuprogram;
    mnuprogramrun = item(m, "mnuprogramrun", QStringLiteral("&Run Program"), QKeySequence(Qt::Key_F5));
    mnurunsep1 = separator(m, "mnurunsep1");
    mnuruninfo = m->addMenu(QStringLiteral("&Infolevel"));
    mnuruninfo->setObjectName(QStringLiteral("mnuruninfo"));
    const QString levels[5] = {QStringLiteral("Diagnostics"), QStringLiteral("Notes"),
                               QStringLiteral("Warnings"), QStringLiteral("Errors"),
                               QStringLiteral("Fatal Errors")};
    for (int i = 0; i < 5; ++i) {
        mnuruninfor[i] = indexed(mnuruninfo, "mnuruninfor", i, levels[i]);
        mnuruninfor[i]->setCheckable(true);
    }
    mnurungeo = item(m, "mnurungeo", QStringLiteral("&Geometry String..."));
    mnurunsep2 = separator(m, "mnurunsep2");
    mnuprogrampath = item(m, "mnuprogrampath", QStringLiteral("Yabasic &Path..."));

    mnudebug = menu(bar, "mnudebug", QStringLiteral("&Debug"));
    m = mnudebug;
    mnuadddebug = item(m, "mnuadddebug", QStringLiteral("&Add Debug Output"));
    mnudebugsep2 = separator(m, "mnudebugsep2");
    mnudebugclear = item(m, "mnudebugclear", QStringLiteral("&Clear Debug"));
    mnudebugsep = separator(m, "mnudebugsep");
    mnurefreshdebug = item(m, "mnurefreshdebug", QStringLiteral("&Refresh Debug"), QKeySequence(Qt::Key_F8));

    mnutools = menu(bar, "mnutools", QStringLiteral("&Tools"));
    m = mnutools;
    const QString tools[6] = {QStringLiteral("&Language Helper"), QStringLiteral("&Draw Pad"),
                              QStringLiteral("&PixPad"), QStringLiteral("&Library Explorer"),
                              QStringLiteral("&Code Snippets"), QStringLiteral("&Line Browser")};
    for (int i = 0; i < 6; ++i)
        mnutooltools[i] = indexed(m, "mnutooltools", i, tools[i]);
    mnutoolssep3 = separator(m, "mnutoolssep3");
    mnuextratools = item(m, "mnuextratools", QStringLiteral("&Extra Tools..."));
    mnutoolsyabasicsets = item(m, "mnutoolsyabasicsets", QStringLiteral("&Yabasic Settings..."));
    mnutoolsoptions = item(m, "mnutoolsoptions", QStringLiteral("&Options..."), QKeySequence(Qt::CTRL | Qt::Key_A));
    mnutoolsep2 = separator(m, "mnutoolsep2");

    mnuhelp = menu(bar, "mnuhelp", QStringLiteral("&Help"));
    m = mnuhelp;
    mnuhelpcont = item(m, "mnuhelpcont", QStringLiteral("&Vormeld Help"), QKeySequence(Qt::SHIFT | Qt::Key_F1));
    mnuhelpinthelp = item(m, "mnuhelpinthelp", QStringLiteral("&Yabasic Documentation"), QKeySequence(Qt::SHIFT | Qt::Key_F2));
    mnuhelpgettingstarted = item(m, "mnuhelpgettingstarted", QStringLiteral("&Getting Started with Yabasic"));
    mnuhelpsep3 = separator(m, "mnuhelpsep3");
    mnuhelpyabhomepage = item(m, "mnuhelpyabhomepage", QStringLiteral("Yabasic Home Page"));
    mnuhelpvormeldhomepage = item(m, "mnuhelpvormeldhomepage", QStringLiteral("Vormeld Home Page"));
    mnuhelpsep4 = separator(m, "mnuhelpsep4");
    mnuhelptip = item(m, "mnuhelptip", QStringLiteral("&Tip of the Day"));
    mnuhelpsep2 = separator(m, "mnuhelpsep2");
    const QString texts[3] = {QStringLiteral("Vormeld's README File"),
                              QStringLiteral("Yabasic's README File"),
                              QStringLiteral("Yabasic's COPYING File")};
    for (int i = 0; i < 5; ++i) {
        mnuhelptxt[i] = indexed(m, "mnuhelptxt", i, i < 3 ? texts[i] : QString());
        mnuhelptxt[i]->setVisible(i < 3);
    }
    mnuhelpsep1 = separator(m, "mnuhelpsep1");
    mnuhelpabout = item(m, "mnuhelpabout", QStringLiteral("&About Vormeld..."));
}

void MainMenus::setClipboardCaptions()
{
    mnueditstf[0]->setText(QStringLiteral("Cu&t\tCtrl+X"));
    mnueditstf[1]->setText(QStringLiteral("&Copy\tCtrl+C"));
    mnueditstf[2]->setText(QStringLiteral("&Paste\tCtrl+V"));
    mnueditstf[3]->setText(QStringLiteral("&Delete\tDel"));
}
