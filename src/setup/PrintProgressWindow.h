#pragma once

#include <QDialog>

class QLabel;

// "Printing...": the page being printed and a Cancel button. Modeless: the main
// window stays usable while a job runs.
class PrintProgressWindow : public QDialog {
    Q_OBJECT
public:
    explicit PrintProgressWindow(QWidget *owner);
    void setStatus(const QString &text);

signals:
    void cancelRequested();

protected:
    void reject() override; // Escape and the title bar's close cancel the job
};
