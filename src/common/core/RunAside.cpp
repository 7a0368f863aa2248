#include "RunAside.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

namespace {
class CloseRefuser : public QObject {
public:
    CloseRefuser() { QCoreApplication::instance()->installEventFilter(this); }
    ~CloseRefuser() override { QCoreApplication::instance()->removeEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Close && watched->isWidgetType()) {
            event->ignore();
            return true;
        }
        return false;
    }
};
} // namespace

void runAside(const std::function<void()> &work, const std::function<void()> &tick)
{
    QThread *worker = QThread::create(work);
    CloseRefuser refuser;
    QEventLoop loop;
    QTimer ticker;
    if (tick)
        QObject::connect(&ticker, &QTimer::timeout, &loop, tick);
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    ticker.start(100);
    worker->start();
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();
    delete worker;
}
