#pragma once

#include "Measurement.h"

#include <cstdio>

// Prints rows as they come: an aligned table for people, or one
// metric<TAB>lines<TAB>value<TAB>unit line per figure for scripts.
class Report {
public:
    Report(bool tsv, FILE *out) : m_tsv(tsv), m_out(out) {}

    void begin();
    void add(const QList<BenchRow> &rows);

private:
    bool m_tsv;
    FILE *m_out;
};
