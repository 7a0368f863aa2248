#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QString>
#include <QTimer>

class BenchEnvironment;

// One figure of the report.
struct BenchRow {
    QString metric;
    int lines = 0; // the program size it was measured on; 0 where size plays no part
    double value = 0;
    QString unit;
};

// A named measurement. Each runs on its own and gives its rows; the report
// prints them in the order of AllMeasurements().
struct Measurement {
    QString name;
    QString description;
    QList<BenchRow> (*run)(BenchEnvironment &env);
};

const QList<Measurement> &AllMeasurements();

// Milliseconds that f() takes.
template <typename F>
double TimeMs(F &&f)
{
    QElapsedTimer timer;
    timer.start();
    f();
    return double(timer.nsecsElapsed()) / 1e6;
}

// The longest time the window does not answer while it lives: a timer that
// should fire every millisecond notes its longest wait.
class StallWatch {
public:
    StallWatch()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { note(); });
        m_sinceTick.start();
        m_timer.start(1);
    }
    // The longest wait so far, in milliseconds beyond the timer's own one.
    double longestMs()
    {
        note();
        return std::max(0.0, double(m_longestNs) / 1e6 - 1);
    }

private:
    void note()
    {
        m_longestNs = std::max(m_longestNs, m_sinceTick.nsecsElapsed());
        m_sinceTick.start();
    }
    QTimer m_timer;
    QElapsedTimer m_sinceTick;
    qint64 m_longestNs = 0;
};

// The middle value (the mean of the two middle ones for an even count); 0 for none.
double Median(QList<double> values);
// The value below which the given share (0 to 1) of the values lie, by nearest rank.
double Percentile(QList<double> values, double share);

// A measurement that could not be taken, said on standard error.
void Warn(const char *metric, int lines, const char *what);
