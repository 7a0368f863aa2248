#pragma once

#include <QList>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// The main window's menu tree. Each item keeps the name it has everywhere in
// the program (as its objectName too); indexed groups are arrays.
struct MainMenus {
    QMenu *mnufile = nullptr;
    QAction *mnufilenew = nullptr, *mnufilenewinstance = nullptr, *mnufilesep3 = nullptr;
    QAction *mnufileopen = nullptr, *mnufileopeninstance = nullptr, *mnufilesep7 = nullptr;
    QAction *mnufilesave = nullptr, *mnufilesaveas = nullptr, *mnutoolscreatehtmlsrc = nullptr;
    QAction *mnuprogramcreatetight = nullptr, *mnufilesep9 = nullptr;
    QAction *mnufileopenpix = nullptr, *mnufilesaveaspix = nullptr, *mnufilesep6 = nullptr;
    QAction *mnufileappend = nullptr, *mnufileimport = nullptr, *mnufilesep1 = nullptr;
    QAction *mnufileprint = nullptr, *mnufilesep5 = nullptr;
    QAction *mnumostrecent[6] = {};
    QAction *mnufilesep2 = nullptr, *mnufileexit = nullptr;

    QMenu *mnuedit = nullptr;
    QAction *mnueditundo = nullptr, *mnueditredo = nullptr, *mnueditsep1 = nullptr;
    QAction *mnueditstf[4] = {};
    QAction *mnuselectall = nullptr, *mnueditsep2 = nullptr;
    QAction *mnueditfind = nullptr, *mnueditfindnext = nullptr, *mnueditreplace = nullptr;
    QAction *mnueditsep3 = nullptr, *mnueditinsertsub = nullptr;

    QMenu *mnuview = nullptr;
    QAction *mnuviewdisable = nullptr, *mnuviewsep1 = nullptr, *mnureloadsubslab = nullptr;

    QMenu *mnuprogram = nullptr;
    QAction *mnuprogramrun = nullptr, *mnurunsep1 = nullptr;
    QMenu *mnuruninfo = nullptr;
    QAction *mnuruninfor[5] = {};
    QAction *mnurungeo = nullptr, *mnurunsep2 = nullptr, *mnuprogrampath = nullptr;

    QMenu *mnudebug = nullptr;
    QAction *mnuadddebug = nullptr, *mnudebugsep2 = nullptr, *mnudebugclear = nullptr;
    QAction *mnudebugsep = nullptr, *mnurefreshdebug = nullptr;

    QMenu *mnutools = nullptr;
    QAction *mnutooltools[6] = {};
    QAction *mnutoolssep3 = nullptr, *mnuextratools = nullptr, *mnutoolsyabasicsets = nullptr;
    QAction *mnutoolsoptions = nullptr, *mnutoolsep2 = nullptr;
    QList<QAction *> mnutoolextras; // external tools, built at start-up

    QMenu *mnuhelp = nullptr;
    QAction *mnuhelpcont = nullptr, *mnuhelpinthelp = nullptr, *mnuhelpgettingstarted = nullptr;
    QAction *mnuhelpsep3 = nullptr, *mnuhelpyabhomepage = nullptr, *mnuhelpvormeldhomepage = nullptr;
    QAction *mnuhelpsep4 = nullptr, *mnuhelptip = nullptr, *mnuhelpsep2 = nullptr;
    QAction *mnuhelptxt[5] = {};
    QAction *mnuhelpsep1 = nullptr, *mnuhelpabout = nullptr;

    // Builds the whole tree into the menu bar.
    void build(QMenuBar *bar, QWidget *owner);

    // Start-up: the clipboard items get their captions with the key names.
    void setClipboardCaptions();
};
