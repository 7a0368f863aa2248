#pragma once

#include <QWidget>

// "Adding Debug Output": how to write to the debug log from a program.
class AddingDebugOutputWindow : public QWidget {
    Q_OBJECT
public:
    explicit AddingDebugOutputWindow(QWidget *owner);

    // Right edge on the owner's right edge, 40 pixels below its top.
    void placeBesideOwner();

private:
    QWidget *m_owner;
};
