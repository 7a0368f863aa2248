#include "run/core/InterpreterErrors.h"

#include <QFileInfo>
#include <QRegularExpression>

QString ProgramError::summary() const
{
    return QStringLiteral("%1, line %2: %3").arg(file).arg(line).arg(message);
}

InterpreterErrorParser::InterpreterErrorParser(QString tempProgramPath, QString shownName)
    : m_temp(std::move(tempProgramPath)), m_tempName(QFileInfo(m_temp).fileName()),
      m_shown(std::move(shownName))
{
}

QString InterpreterErrorParser::shownFile(const QString &reported, bool *inProgram) const
{
    // The interpreter names the program as it was given on its command line;
    // a library by the path it was found under.
    *inProgram = reported == m_temp || (!m_tempName.isEmpty() && reported == m_tempName)
                 || (!m_temp.isEmpty() && QFileInfo(reported).absoluteFilePath() == QFileInfo(m_temp).absoluteFilePath());
    return *inProgram ? m_shown : reported;
}

QString InterpreterErrorParser::feedLine(const QString &rawLine, int *opened)
{
    static const QRegularExpression header(
        QStringLiteral("^---(Error|Warning) in (.+), line (\\d+):\\s*$"));
    static const QRegularExpression message(QStringLiteral("^---(Error|Warning): (.*)$"));
    QString line = rawLine;
    if (line.endsWith(QLatin1Char('\r')))
        line.chop(1);
    if (opened)
        *opened = -1;

    if (const auto m = header.match(line); m.hasMatch()) {
        ProgramError e;
        e.warning = m.captured(1) == QLatin1String("Warning");
        e.file = shownFile(m.captured(2), &e.inProgram);
        e.line = m.captured(3).toInt();
        e.column = -1;
        m_errors.append(e);
        m_expect = Expect::Message;
        if (opened)
            *opened = int(m_errors.size() - 1);
        return line.left(m.capturedStart(2)) + e.file + line.mid(m.capturedEnd(2));
    }
    QString shown = line;
    // Other lines may name the temporary program too ("---Dump: sub f() called in ...").
    if (!m_temp.isEmpty())
        shown.replace(m_temp, m_shown);
    switch (m_expect) {
    case Expect::Message:
        if (const auto m = message.match(line); m.hasMatch()) {
            m_errors.last().message = m.captured(2);
            m_expect = Expect::Source;
        } else {
            m_expect = Expect::Header;
        }
        break;
    case Expect::Source:
        if (line.startsWith(QLatin1String("   ")) && !line.startsWith(QLatin1String("---"))) {
            m_sourceLine = line.mid(3);
            m_expect = Expect::Caret;
        } else {
            m_expect = Expect::Header;
        }
        break;
    case Expect::Caret: {
        const qsizetype caret = line.indexOf(QLatin1Char('^'));
        if (caret >= 3 && line.left(caret).trimmed().isEmpty()) {
            // The caret stands under a byte of the source line; count characters instead.
            const QByteArray bytes = m_sourceLine.toUtf8();
            m_errors.last().column = int(QString::fromUtf8(bytes.left(caret - 3)).size());
        }
        m_expect = Expect::Header;
        break;
    }
    case Expect::Header:
        break;
    }
    return shown;
}

int InterpreterErrorParser::firstToJumpTo() const
{
    for (int i = 0; i < m_errors.size(); ++i)
        if (m_errors[i].inProgram && !m_errors[i].warning)
            return i;
    for (int i = 0; i < m_errors.size(); ++i)
        if (!m_errors[i].warning)
            return i;
    return m_errors.isEmpty() ? -1 : 0;
}

QList<ProgramError> InterpreterErrorParser::parse(const QString &text, const QString &tempProgramPath,
                                                  const QString &shownName)
{
    InterpreterErrorParser p(tempProgramPath, shownName);
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString &l : lines)
        p.feedLine(l);
    return p.errors();
}
