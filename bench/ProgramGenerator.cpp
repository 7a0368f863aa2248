#include "ProgramGenerator.h"

#include <algorithm>

namespace {

// SplitMix64: small, fast, and the same sequence on every platform and
// standard library (std::uniform_int_distribution is not).
class Rng {
public:
    explicit Rng(quint64 seed) : m_state(seed) {}

    quint64 next()
    {
        quint64 z = (m_state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    int below(int n) { return int(next() % quint64(n)); }
    int between(int lo, int hi) { return lo + below(hi - lo + 1); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T, size_t N>
    const T &pick(const T (&items)[N])
    {
        return items[below(int(N))];
    }

private:
    quint64 m_state;
};

const char *const kVerbs[] = {"calc", "update", "show", "load", "check", "count", "format",
                              "sort", "scan", "report", "merge", "reset", "sum", "find",
                              "store", "adjust"};
const char *const kNouns[] = {"stock", "price", "table", "row", "name", "total", "grid",
                              "score", "item", "order", "page", "list", "field", "entry",
                              "header", "column", "invoice", "balance"};
const char *const kWords[] = {"ab", "key", "north", "tin", "box 4", "end", "red", "x",
                              "bolt", "Mon", "zeta", "A-1"};

// Strings that a careless colourer or scanner would take for code.
const char *const kPrintTexts[] = {
    "Counting items; please wait",
    "for each line: next line",
    "rem this is not a comment",
    "Total so far; then the rest",
    "if the stock is low then reorder",
    "// not a comment, just text",
    "# not a comment either",
    "while stock lasts; repeat until empty",
    "gosub and goto are only words here",
    "end sub, end if, endif",
    "data 1, 2, 3 stays in the string",
    "Price list: ",
    "--- report ---",
    "Name; Qty; Price",
    "sub total: ",
    "label: ",
    "Done.",
    "Value = ",
    "print 'nested' quotes? no",
    "dim 10 rows; local only",
};

const char *const kNotes[] = {
    "update the running total",
    "keep the string short",
    "check the bounds first",
    "rem inside a comment is still a comment",
    "for/next over the rows",
    "TODO: sort by price",
    "the caller passes a small count",
    "names$() holds the labels",
    "see also the report routines",
    "print \"this\" is commented out",
    "while/wend would work here too",
    "Größe der Tabelle prüfen",
    "résumé of the last pass",
    "values stay below 1000",
};

const char *const kTitles[] = {
    "stock.yab - keeps a small stock list and prints reports",
    "ledger.yab - accounts, totals and a monthly summary",
    "scores.yab - league table with sorting and statistics",
    "orders.yab - order entry and invoice printing",
};

QString q(const QString &text) { return QLatin1Char('"') + text + QLatin1Char('"'); }
QString num(int n) { return QString::number(n); }

// The variables a piece of code may use.
struct Scope {
    QString n;            // numeric working variable, never negative
    QString s;            // string working variable, kept short
    QString b;            // string input: a parameter or a literal
    QStringList nums;     // small non-negative numbers: parameters and loop variables
    QString loopVars[3];  // for-loop variable per nesting level
    QString countVars[3]; // while/repeat counter per nesting level
    QStringList calls;    // whole statements that call leaf code
};

// A routine, sub or data block, and the main program's line that runs it.
struct Unit {
    enum Leaf { NotLeaf, LeafRoutine, LeafNumSub, LeafStrSub };
    QStringList lines;
    QString mainCall;
    Leaf leaf = NotLeaf; // code that calls nothing may be called from other units
    QString leafCall;    // how they call it
};

class Builder {
public:
    Builder(quint64 seed, int lineCount) : m_rng(seed), m_seed(seed), m_lineCount(lineCount) {}

    QStringList build();

private:
    void add(int depth, const QString &text) { m_out << QString(depth * 2, QLatin1Char(' ')) + text; }

    // Pieces of statements.
    QString term(const Scope &sc);
    QString numAssign(const Scope &sc);
    QString strAssign(const Scope &sc);
    QString condition(const Scope &sc);
    QString printLine(const Scope &sc);
    QString note() { return QString::fromUtf8(m_rng.pick(kNotes)); }
    QString word() { return QString::fromLatin1(m_rng.pick(kWords)); }
    QString name();

    // Statements at an indentation depth (1 = a routine's body).
    void statements(Scope sc, int depth, int count);
    void statement(const Scope &sc, int depth);
    void forBlock(Scope sc, int depth);
    void whileBlock(Scope sc, int depth);
    void repeatBlock(Scope sc, int depth);
    void ifBlock(const Scope &sc, int depth);

    // Units.
    void separator(const QString &title);
    Unit subUnit(bool stringSub);
    Unit routineUnit();
    Unit dataUnit();
    Unit nextUnit();

    QStringList someOf(const QStringList &items, int most);
    void accept(const Unit &u);
    QStringList header();
    QStringList commentsOnly(int count);

    Rng m_rng;
    quint64 m_seed;
    int m_lineCount;
    int m_serial = 0;
    QStringList m_out;          // the unit being written
    QStringList m_leafCalls;    // gosub lines of routines that call nothing
    QStringList m_leafNumCalls; // numeric subs that call nothing, as call expressions
    QStringList m_leafStrCalls; // string subs that call nothing
};

QString Builder::name()
{
    return QString::fromLatin1(m_rng.pick(kVerbs)) + QLatin1Char('_')
        + QString::fromLatin1(m_rng.pick(kNouns)) + QLatin1Char('_') + num(++m_serial);
}

QString Builder::term(const Scope &sc)
{
    if (!sc.nums.isEmpty() && m_rng.chance(60))
        return sc.nums.at(m_rng.below(int(sc.nums.size())));
    return num(m_rng.between(1, 9));
}

QString Builder::numAssign(const Scope &sc)
{
    const QString &n = sc.n;
    const QString k = term(sc);
    switch (m_rng.below(8)) {
    case 0: return n + QStringLiteral(" = ") + n + QStringLiteral(" + ") + k;
    case 1: return n + QStringLiteral(" = mod(") + n + QStringLiteral(" * 3 + ") + k + QStringLiteral(", 997)");
    case 2: return n + QStringLiteral(" = max(") + n + QStringLiteral(", ") + k + QStringLiteral(") + 1");
    case 3: return n + QStringLiteral(" = int(") + n + QStringLiteral(" / 2) + ") + k;
    case 4: return n + QStringLiteral(" = ") + n + QStringLiteral(" + len(") + sc.s + QStringLiteral(")");
    case 5: return QStringLiteral("stock(mod(") + n + QStringLiteral(", 60) + 1) = ") + k;
    case 6: return QStringLiteral("grid(mod(") + n + QStringLiteral(", 8), mod(") + k + QStringLiteral(", 8)) = ") + n;
    default: return n + QStringLiteral(" = ") + n + QStringLiteral(" + stock(mod(") + k + QStringLiteral(", 60) + 1)");
    }
}

QString Builder::strAssign(const Scope &sc)
{
    const QString &s = sc.s;
    switch (m_rng.below(6)) {
    case 0: return s + QStringLiteral(" = left$(") + s + QStringLiteral(" + ") + sc.b + QStringLiteral(", 24)");
    case 1: return s + QStringLiteral(" = upper$(") + sc.b + QStringLiteral(")");
    case 2: return s + QStringLiteral(" = mid$(") + s + QStringLiteral(" + \"-\" + ") + sc.b + QStringLiteral(", 2, 16)");
    case 3: return s + QStringLiteral(" = ") + sc.b + QStringLiteral(" + str$(") + sc.n + QStringLiteral(")");
    case 4: return QStringLiteral("names$(mod(") + sc.n + QStringLiteral(", 60) + 1) = ") + s;
    default: return s + QStringLiteral(" = lower$(") + q(word()) + QStringLiteral(" + ") + sc.b + QStringLiteral(")");
    }
}

QString Builder::condition(const Scope &sc)
{
    switch (m_rng.below(6)) {
    case 0: return sc.n + QStringLiteral(" > ") + num(m_rng.between(5, 500));
    case 1: return QStringLiteral("len(") + sc.s + QStringLiteral(") < ") + num(m_rng.between(4, 20));
    case 2: return sc.b + QStringLiteral(" = \"end\"");
    case 3: return QStringLiteral("mod(") + sc.n + QStringLiteral(", 2) = 0");
    case 4: return sc.n + QStringLiteral(" <> ") + term(sc) + QStringLiteral(" and len(") + sc.s + QStringLiteral(") > 2");
    default: return QStringLiteral("(") + sc.n + QStringLiteral(" < 10 or ") + sc.n + QStringLiteral(" > 900)");
    }
}

QString Builder::printLine(const Scope &sc)
{
    const QString text = q(QString::fromLatin1(m_rng.pick(kPrintTexts)));
    switch (m_rng.below(7)) {
    case 0: return QStringLiteral("print ") + text;
    case 1: return QStringLiteral("print ") + text + QStringLiteral(", ") + sc.n;
    case 2: return QStringLiteral("print ") + text + QStringLiteral(", ") + sc.s + QStringLiteral(";");
    case 3: return QStringLiteral("print ") + sc.s;
    case 4: return QStringLiteral("print ") + text + QStringLiteral(";");
    case 5: return QStringLiteral("print ") + text + QStringLiteral(" : rem ") + note();
    default: return QStringLiteral("print ") + text + QStringLiteral(", ") + sc.n + QStringLiteral(" // ") + note();
    }
}

void Builder::statements(Scope sc, int depth, int count)
{
    for (int i = 0; i < count; ++i)
        statement(sc, depth);
}

void Builder::statement(const Scope &sc, int depth)
{
    // Blocks nest at most three deep below the routine's own level.
    const bool blocks = depth <= 3;
    const int roll = m_rng.below(100);
    if (roll < 22) {
        add(depth, numAssign(sc));
    } else if (roll < 32) {
        add(depth, strAssign(sc));
    } else if (roll < 44) {
        add(depth, printLine(sc));
    } else if (roll < 50) {
        add(depth, (m_rng.chance(50) ? QStringLiteral("rem ") : QStringLiteral("// ")) + note());
    } else if (roll < 54) {
        add(depth, numAssign(sc) + (m_rng.chance(50) ? QStringLiteral(" // ") : QStringLiteral(" : rem ")) + note());
    } else if (roll < 58) {
        add(depth, QStringLiteral("if ") + sc.n + QStringLiteral(" > 900 ") + sc.n + QStringLiteral(" = 0"));
    } else if (roll < 64) {
        if (!sc.calls.isEmpty())
            add(depth, sc.calls.at(m_rng.below(int(sc.calls.size()))));
        else
            add(depth, numAssign(sc));
    } else if (!blocks || roll < 70) {
        add(depth, numAssign(sc));
    } else if (roll < 80) {
        forBlock(sc, depth);
    } else if (roll < 85) {
        whileBlock(sc, depth);
    } else if (roll < 89) {
        repeatBlock(sc, depth);
    } else {
        ifBlock(sc, depth);
    }
}

void Builder::forBlock(Scope sc, int depth)
{
    const QString &v = sc.loopVars[depth - 1];
    const int kind = m_rng.below(10);
    if (kind < 2)
        add(depth, QStringLiteral("for ") + v + QStringLiteral(" = 10 to 1 step -3"));
    else if (kind < 5 && !sc.nums.isEmpty() && sc.nums.first() == QLatin1String("a"))
        add(depth, QStringLiteral("for ") + v + QStringLiteral(" = 1 to ") + sc.nums.first());
    else
        add(depth, QStringLiteral("for ") + v + QStringLiteral(" = 1 to ") + num(m_rng.between(2, 4)));
    sc.nums << v;
    statements(sc, depth + 1, m_rng.between(1, 3));
    add(depth, QStringLiteral("next ") + v);
}

void Builder::whileBlock(Scope sc, int depth)
{
    const QString &c = sc.countVars[depth - 1];
    const QString limit = num(m_rng.between(2, 3));
    add(depth, c + QStringLiteral(" = 0"));
    add(depth, m_rng.chance(50) ? QStringLiteral("while ") + c + QStringLiteral(" < ") + limit
                                : QStringLiteral("while (") + c + QStringLiteral(" < ") + limit + QStringLiteral(")"));
    statements(sc, depth + 1, m_rng.between(1, 3));
    add(depth + 1, c + QStringLiteral(" = ") + c + QStringLiteral(" + 1"));
    add(depth, QStringLiteral("wend"));
}

void Builder::repeatBlock(Scope sc, int depth)
{
    const QString &c = sc.countVars[depth - 1];
    add(depth, c + QStringLiteral(" = 0"));
    add(depth, QStringLiteral("repeat"));
    sc.nums << c;
    statements(sc, depth + 1, m_rng.between(1, 3));
    add(depth + 1, c + QStringLiteral(" = ") + c + QStringLiteral(" + 1"));
    add(depth, QStringLiteral("until ") + c + QStringLiteral(" >= ") + num(m_rng.between(2, 3)));
}

void Builder::ifBlock(const Scope &sc, int depth)
{
    add(depth, QStringLiteral("if ") + condition(sc) + QStringLiteral(" then"));
    statements(sc, depth + 1, m_rng.between(1, 3));
    if (m_rng.chance(25)) {
        add(depth, QStringLiteral("elsif ") + condition(sc) + QStringLiteral(" then"));
        statements(sc, depth + 1, m_rng.between(1, 2));
    }
    if (m_rng.chance(50)) {
        add(depth, QStringLiteral("else"));
        statements(sc, depth + 1, m_rng.between(1, 3));
    }
    add(depth, QStringLiteral("endif"));
}

void Builder::separator(const QString &title)
{
    m_out << QString();
    switch (m_rng.below(3)) {
    case 0: m_out << QStringLiteral("# ") + title; break;
    case 1: m_out << QStringLiteral("// ---- ") + title + QStringLiteral(" ----"); break;
    default: m_out << QStringLiteral("rem ") + title; break;
    }
    if (m_rng.chance(40))
        m_out << QStringLiteral("// ") + note();
}

Unit Builder::subUnit(bool stringSub)
{
    const QString base = name();
    const QString subName = stringSub ? base + QStringLiteral("$") : base;
    const int shape = m_rng.below(20); // 0-11 (a, b$), 12-16 (a), 17-19 (a, b$, c)
    const bool hasB = shape < 12 || shape >= 17;
    const bool hasC = shape >= 17;
    const bool leaf = m_rng.chance(55) || (m_leafNumCalls.isEmpty() && m_leafStrCalls.isEmpty());

    QString params = QStringLiteral("a");
    if (hasB)
        params += QStringLiteral(", b$");
    if (hasC)
        params += QStringLiteral(", c");

    Scope sc;
    sc.n = QStringLiteral("t");
    sc.s = QStringLiteral("s$");
    sc.b = hasB ? QStringLiteral("b$") : q(word());
    sc.nums << QStringLiteral("a");
    if (hasC)
        sc.nums << QStringLiteral("c");
    sc.loopVars[0] = QStringLiteral("i");
    sc.loopVars[1] = QStringLiteral("j");
    sc.loopVars[2] = QStringLiteral("k");
    sc.countVars[0] = QStringLiteral("u");
    sc.countVars[1] = QStringLiteral("v");
    sc.countVars[2] = QStringLiteral("w");
    if (!leaf) {
        for (const QString &call : someOf(m_leafStrCalls, 2))
            sc.calls << QStringLiteral("s$ = left$(") + call + QStringLiteral(", 20)");
        for (const QString &call : someOf(m_leafNumCalls, 4))
            sc.calls << QStringLiteral("t = t + ") + call;
    }

    m_out.clear();
    separator(subName);
    m_out << QStringLiteral("sub ") + subName + QLatin1Char('(') + params + QLatin1Char(')');
    add(1, QStringLiteral("local i, j, k"));
    add(1, QStringLiteral("local t, s$, u, v, w"));
    const bool buffer = m_rng.chance(20);
    if (buffer)
        add(1, QStringLiteral("local buf(4)"));
    if (m_rng.chance(50)) {
        add(1, QStringLiteral("t = a : s$ = ") + sc.b);
    } else {
        add(1, QStringLiteral("t = a"));
        add(1, QStringLiteral("s$ = \"\""));
    }
    statements(sc, 1, m_rng.between(3, 9));
    if (buffer)
        add(1, QStringLiteral("buf(mod(t, 4) + 1) = t"));
    add(1, stringSub ? QStringLiteral("return s$") : QStringLiteral("return t"));
    m_out << QStringLiteral("end sub");

    // Leaf subs are called with a small count so their loops stay short.
    const QString args = num(m_rng.between(1, 4)) + (hasB ? QStringLiteral(", ") + q(word()) : QString())
        + (hasC ? QStringLiteral(", ") + num(m_rng.between(1, 3)) : QString());
    const QString call = subName + QLatin1Char('(') + args + QLatin1Char(')');
    Unit u;
    u.lines = m_out;
    if (leaf) {
        u.leaf = stringSub ? Unit::LeafStrSub : Unit::LeafNumSub;
        u.leafCall = call;
    }
    if (stringSub)
        u.mainCall = m_rng.chance(50) ? QStringLiteral("msg$ = ") + call : QStringLiteral("print ") + call;
    else if (m_rng.chance(25))
        u.mainCall = call; // the result is not needed
    else
        u.mainCall = QStringLiteral("r = ") + call;
    return u;
}

Unit Builder::routineUnit()
{
    const QString label = name();
    const bool leaf = m_rng.chance(55) || m_leafCalls.isEmpty();
    // Routines that call others use their own variables, so a call inside one
    // of their loops cannot upset the loop's counter.
    const QString p = leaf ? QStringLiteral("l") : QStringLiteral("g");

    Scope sc;
    sc.n = QStringLiteral("tally");
    sc.s = QStringLiteral("msg$");
    sc.b = q(word());
    sc.loopVars[0] = p + QStringLiteral("i");
    sc.loopVars[1] = p + QStringLiteral("j");
    sc.loopVars[2] = p + QStringLiteral("k");
    sc.countVars[0] = p + QStringLiteral("u");
    sc.countVars[1] = p + QStringLiteral("v");
    sc.countVars[2] = p + QStringLiteral("w");
    if (!leaf) {
        sc.calls = someOf(m_leafCalls, 4);
        for (const QString &call : someOf(m_leafNumCalls, 2))
            sc.calls << QStringLiteral("tally = tally + ") + call;
    }

    m_out.clear();
    separator(label);
    m_out << QStringLiteral("label ") + label;
    const bool early = m_rng.chance(40);
    if (early) {
        add(1, QStringLiteral("if tally > ") + num(m_rng.between(1000, 90000)) + QStringLiteral(" then"));
        add(2, QStringLiteral("goto ") + label + QStringLiteral("_done"));
        add(1, QStringLiteral("endif"));
    }
    if (m_rng.chance(15)) {
        add(1, QStringLiteral("dim ") + label + QStringLiteral("_buf(") + num(m_rng.between(4, 16)) + QStringLiteral(")"));
    }
    const bool again = m_rng.chance(25);
    if (again) {
        add(1, p + QStringLiteral("pass = 0"));
        m_out << QStringLiteral("label ") + label + QStringLiteral("_again");
        add(1, p + QStringLiteral("pass = ") + p + QStringLiteral("pass + 1"));
    }
    statements(sc, 1, m_rng.between(3, 9));
    if (again)
        add(1, QStringLiteral("if ") + p + QStringLiteral("pass < 2 goto ") + label + QStringLiteral("_again"));
    if (early)
        m_out << QStringLiteral("label ") + label + QStringLiteral("_done");
    add(1, QStringLiteral("return"));

    const QString call = QStringLiteral("gosub ") + label;
    Unit u;
    u.lines = m_out;
    u.mainCall = call;
    if (leaf) {
        u.leaf = Unit::LeafRoutine;
        u.leafCall = call;
    }
    return u;
}

Unit Builder::dataUnit()
{
    const QString label = name();
    const int rows = m_rng.between(2, 6);
    const bool cost = m_rng.chance(50);

    m_out.clear();
    separator(label);
    m_out << QStringLiteral("label ") + label;
    add(1, QStringLiteral("restore ") + label + QStringLiteral("_data"));
    add(1, QStringLiteral("for di = 1 to ") + num(rows));
    add(2, cost ? QStringLiteral("read qty, cost, item$") : QStringLiteral("read qty, item$"));
    add(2, QStringLiteral("stock(mod(di + ") + num(m_rng.between(0, 50)) + QStringLiteral(", 60) + 1) = qty"));
    add(2, QStringLiteral("names$(di) = item$"));
    if (cost)
        add(2, QStringLiteral("worth = worth + qty * cost"));
    add(1, QStringLiteral("next di"));
    add(1, QStringLiteral("return"));
    m_out << QStringLiteral("label ") + label + QStringLiteral("_data");
    for (int i = 0; i < rows; ++i) {
        QString row = QStringLiteral("data ") + num(m_rng.between(0, 99));
        if (cost)
            row += QStringLiteral(", ") + num(m_rng.between(1, 999)) + QStringLiteral(".") + num(m_rng.between(0, 9));
        // Item names with the characters a scanner must not trip over.
        const int kind = m_rng.below(6);
        QString item = QString::fromLatin1(m_rng.pick(kNouns)) + QLatin1Char(' ') + num(i + 1);
        if (kind == 0)
            item += QStringLiteral("; spare");
        else if (kind == 1)
            item = QStringLiteral("rem ") + item;
        else if (kind == 2)
            item += QStringLiteral(": for sale");
        row += QStringLiteral(", ") + q(item);
        m_out << row;
    }
    Unit u;
    u.lines = m_out;
    u.mainCall = QStringLiteral("gosub ") + label;
    return u;
}

Unit Builder::nextUnit()
{
    const int roll = m_rng.below(100);
    if (roll < 42)
        return subUnit(false);
    if (roll < 52)
        return subUnit(true);
    if (roll < 85)
        return routineUnit();
    return dataUnit();
}

QStringList Builder::header()
{
    const QString rule = QStringLiteral("rem ") + QString(56, QLatin1Char('='));
    return {
        rule,
        QStringLiteral("rem  ") + QString::fromLatin1(m_rng.pick(kTitles)),
        QStringLiteral("rem  ") + num(m_lineCount) + QStringLiteral(" lines, seed ") + QString::number(m_seed),
        rule,
        QStringLiteral("#"),
        QStringLiteral("# Global tables and totals"),
        QStringLiteral("dim stock(64), names$(64)"),
        QStringLiteral("dim grid(8, 8)"),
        QStringLiteral("tally = 0 : worth = 0"),
        QStringLiteral("msg$ = \"\""),
        QString(),
        QStringLiteral("// ---- Main program ----"),
        QStringLiteral("print \"Starting: for each routine; then rem the results\""),
    };
}

// Up to `most` entries, picked at random (the same entry may come twice).
QStringList Builder::someOf(const QStringList &items, int most)
{
    QStringList out;
    if (items.isEmpty())
        return out;
    const int count = m_rng.between(1, most);
    for (int i = 0; i < count; ++i)
        out << items.at(m_rng.below(int(items.size())));
    return out;
}

void Builder::accept(const Unit &u)
{
    switch (u.leaf) {
    case Unit::LeafRoutine: m_leafCalls << u.leafCall; break;
    case Unit::LeafNumSub: m_leafNumCalls << u.leafCall; break;
    case Unit::LeafStrSub: m_leafStrCalls << u.leafCall; break;
    case Unit::NotLeaf: break;
    }
}

QStringList Builder::commentsOnly(int count)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << QStringLiteral("rem ") + note();
    return out;
}

QStringList Builder::build()
{
    if (m_lineCount < ProgramGenerator::MinimumProgramLines)
        return commentsOnly(std::max(m_lineCount, 0));

    const QStringList head = header();
    const QStringList tail = {
        QStringLiteral("print \"Finished; tally = \", tally, \", worth = \", worth"),
        QStringLiteral("end"),
    };
    QStringList calls;
    QStringList body;
    const auto used = [&] { return int(head.size() + calls.size() + tail.size() + body.size()); };

    // Units until the next does not fit; then a few more tries for smaller ones.
    int misses = 0;
    while (misses < 20) {
        const Unit u = nextUnit();
        if (used() + 1 + int(u.lines.size()) > m_lineCount) {
            ++misses;
            continue;
        }
        calls << u.mainCall;
        body << u.lines;
        accept(u);
    }

    QStringList out = head + calls + tail + body;
    // What is left is filled with notes at the end.
    const int rest = m_lineCount - int(out.size());
    for (int i = 0; i < rest; ++i) {
        if (i == 0)
            out << QString();
        else if (i == 1)
            out << QStringLiteral("rem ---- notes ----");
        else
            out << QStringLiteral("rem  ") + note();
    }
    return out;
}

} // namespace

QStringList ProgramGenerator::lines(int lineCount) const
{
    return Builder(m_seed, lineCount).build();
}

QByteArray ProgramGenerator::fileBytes(int lineCount) const
{
    const QStringList all = lines(lineCount);
    QByteArray bytes;
    bytes.reserve(qsizetype(all.size()) * 40);
    for (const QString &line : all) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}
