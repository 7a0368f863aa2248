#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Writes Yabasic programs of a chosen length that look like programs people
// write: a header comment, global tables, a main program that calls every
// routine once and ends, subs with local variables, gosub routines with labels
// and gotos, loops of every kind, if/elsif/else blocks, prints whose strings
// hold keywords, semicolons and comment markers, three kinds of comments, and
// DATA blocks read back with RESTORE/READ. Indentation is two blanks a level.
//
// The same seed and length always give the same program. From about 40 lines
// up the program is valid and runs to its end in moments (loops are short, no
// routine calls itself, and nothing waits for input); shorter requests get
// comment lines only.
class ProgramGenerator {
public:
    explicit ProgramGenerator(quint64 seed = 1) : m_seed(seed) {}

    // Exactly lineCount lines, without line breaks.
    QStringList lines(int lineCount) const;

    // The lines joined with CR LF, with a final CR LF, as UTF-8 bytes: the file
    // as it is written to disk.
    QByteArray fileBytes(int lineCount) const;

    // The smallest length that still gives a runnable program.
    static constexpr int MinimumProgramLines = 40;

private:
    quint64 m_seed;
};
