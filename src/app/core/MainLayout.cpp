#include "app/core/MainLayout.h"

MainLayout computeMainLayout(const MainLayoutInput &in)
{
    MainLayout out;
    if (in.minimized)
        return out;
    out.apply = true;
    out.panelWidth = in.W;
    if (in.H <= 5 * in.T)
        return out;
    out.placeTabs = true;
    const int stripTop = in.T + in.P;
    const int stripHeight = in.H - (in.T + in.S + in.P);
    out.tabStrip = QRect(0, stripTop, in.W, stripHeight);
    out.editors = QRect(3, stripTop + 3, in.W - 6, stripHeight - 26);
    return out;
}
