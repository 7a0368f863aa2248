#pragma once

#include <QRect>

// Where the main window's parts go when it is resized. All values are in
// pixels of the window's inner area (below the menu bar): W and H its width and
// height, T the toolbar height, S the status bar height, P the height of the
// subs-and-labels panel.
struct MainLayoutInput {
    int W = 0, H = 0, T = 0, S = 0, P = 0;
    bool minimized = false;
};

struct MainLayout {
    bool apply = false;       // false while minimised: nothing changes
    int panelWidth = 0;       // Picture1
    bool placeTabs = false;   // false when the window is too low: the tabs stay put
    QRect tabStrip;           // TabStrip1
    QRect editors;            // RichTextBox1 and RichTextBox2
};

MainLayout computeMainLayout(const MainLayoutInput &in);
