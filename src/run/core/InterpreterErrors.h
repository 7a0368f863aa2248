#pragma once

#include <QList>
#include <QString>

// One error or warning the interpreter reported with a place.
struct ProgramError {
    QString file;      // as the user knows it: the program's own name, "Untitled", or a library's name
    int line = 0;      // counted from 1
    int column = 0;    // characters before the caret, counted from 0; -1 when unknown
    QString message;   // the text after "---Error: "
    bool warning = false;
    bool inProgram = false; // in the program being edited (not in a library)

    // "NAME, line N: MESSAGE" as the status bar shows it.
    QString summary() const;
};

// Reads the interpreter's standard error line by line. Each report comes as
//   ---Error in FILE, line N:
//   ---Error: MESSAGE
//      the source line, indented by three blanks
//      a caret line under the column (counted in bytes of the source line)
// and the temporary program's name is replaced by the name the user knows, so
// that no message points at a file that is gone when the run ends.
class InterpreterErrorParser {
public:
    InterpreterErrorParser(QString tempProgramPath, QString shownName);

    // One line without its break; returns the line as it should be shown. When
    // the line opens a report, *opened is set to the report's index in errors().
    QString feedLine(const QString &line, int *opened = nullptr);
    const QList<ProgramError> &errors() const { return m_errors; }

    // The first report in the program itself, or the first of all; -1 when none.
    int firstToJumpTo() const;

    // A whole standard error text at once.
    static QList<ProgramError> parse(const QString &text, const QString &tempProgramPath,
                                     const QString &shownName);

private:
    QString shownFile(const QString &reported, bool *inProgram) const;

    QString m_temp;
    QString m_tempName;
    QString m_shown;
    QList<ProgramError> m_errors;
    enum class Expect { Header, Message, Source, Caret } m_expect = Expect::Header;
    QString m_sourceLine;
};
