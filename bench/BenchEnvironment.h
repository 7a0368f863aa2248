#pragma once

#include "BenchServices.h"

#include <QList>
#include <QMap>
#include <QTemporaryDir>
#include <memory>

struct BenchOptions {
    QList<int> sizes = {1000, 10000, 100000};
    int runs = 5;
    quint64 seed = 1;
};

// What every measurement shares: a temporary folder that holds the settings
// ($XDG_CONFIG_HOME points into it, for this process and its children) and the
// generated programs, and one set of the program's real services.
// Construct it after the application object.
class BenchEnvironment {
public:
    explicit BenchEnvironment(BenchOptions options);

    bool isValid() const { return m_valid; }
    QString errorString() const { return m_error; }
    const BenchOptions &options() const { return m_options; }

    Services &services() { return m_services->services(); }
    // The folder of the executable, where the build puts the data files.
    QString programFolder() const;
    // The generated program of that many lines, written on first use.
    QString programFile(int lines);

private:
    BenchOptions m_options;
    QTemporaryDir m_dir;
    std::unique_ptr<BenchServices> m_services;
    QMap<int, QString> m_files;
    bool m_valid = false;
    QString m_error;
};
