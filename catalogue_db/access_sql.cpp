#include "access_sql.h"

#include "access_functions.h"
#include "access_values.h"
#include "database_error.h"
#include "jet_text.h"

#include <QHash>
#include <QSet>

#include <optional>
#include <vector>

namespace {

enum class TokenKind { Name, QuotedName, Text, Date, Number, Symbol, End };

struct Token {
    TokenKind kind;
    QString text;  // names and symbols as written, texts without their quotes, dates as stored
};

DatabaseError syntaxError(const QString& what = QString())
{
    return DatabaseError(what.isEmpty() ? QStringLiteral("Syntax error in query expression.") : what);
}

// Levels of nesting a statement may have: parentheses, function calls, subqueries, signs and Not
// together. Jet takes at most 50 levels of nested queries, and SQLite's parser runs out of stack
// at about 100 nested parentheses; the translation, which descends once per level, stops here
// instead of running out of stack itself.
constexpr int kMostNesting = 50;

// The statements of Access SQL. Anything else (WITH, PRAGMA, EXPLAIN, ...) is no Access SQL.
bool isAccessStatement(const QString& word)
{
    static const QSet<QString> words = {
        QStringLiteral("select"),     QStringLiteral("insert"),   QStringLiteral("update"), QStringLiteral("delete"),
        QStringLiteral("create"),     QStringLiteral("alter"),    QStringLiteral("drop"),   QStringLiteral("transform"),
        QStringLiteral("parameters"), QStringLiteral("procedure")};
    return words.contains(word.toLower());
}

std::vector<Token> tokenize(const QString& sql)
{
    std::vector<Token> tokens;
    const int n = sql.size();
    int i = 0;
    while (i < n) {
        const QChar c = sql[i];
        if (c.isSpace()) {
            ++i;
        } else if (c.isLetter() || c == u'_') {
            const int start = i;
            while (i < n && (sql[i].isLetterOrNumber() || sql[i] == u'_'))
                ++i;
            tokens.push_back({TokenKind::Name, sql.mid(start, i - start)});
        } else if (const qsizetype length = AccessNumberLength(QStringView(sql).mid(i)); length > 0) {
            const int start = i;
            i += int(length);
            if (i < n && (sql[i].isLetter() || sql[i] == u'_'))
                throw syntaxError();
            tokens.push_back({TokenKind::Number, sql.mid(start, i - start)});
        } else if (c == u'[') {
            const int close = sql.indexOf(u']', i + 1);
            if (close < 0 || close == i + 1)
                throw syntaxError(QStringLiteral("Invalid bracketing of name '%1'.").arg(sql.mid(i)));
            tokens.push_back({TokenKind::QuotedName, sql.mid(i + 1, close - i - 1)});
            i = close + 1;
        } else if (c == u'#') {
            const int close = sql.indexOf(u'#', i + 1);
            const std::optional<QDateTime> date =
                close < 0 ? std::nullopt : ReadAccessDate(sql.mid(i + 1, close - i - 1));
            if (!date || !date->isValid())
                throw syntaxError(QStringLiteral("Syntax error in date in query expression '%1'.")
                                      .arg(close < 0 ? sql.mid(i) : sql.mid(i, close - i + 1)));
            tokens.push_back({TokenKind::Date, AccessDateText(*date)});
            i = close + 1;
        } else if (c == u'"' || c == u'\'') {
            QString text;
            int j = i + 1;
            for (;;) {
                if (j >= n)
                    throw syntaxError(
                        QStringLiteral("Syntax error in string in query expression '%1'.").arg(sql.mid(i)));
                if (sql[j] == c) {
                    if (j + 1 < n && sql[j + 1] == c) {
                        text += c;
                        j += 2;
                        continue;
                    }
                    break;
                }
                text += sql[j++];
            }
            tokens.push_back({TokenKind::Text, text});
            i = j + 1;
        } else {
            static const QStringList twoChar = {QStringLiteral("<>"), QStringLiteral("<="), QStringLiteral(">=")};
            const QString pair = sql.mid(i, 2);
            if (twoChar.contains(pair)) {
                tokens.push_back({TokenKind::Symbol, pair});
                i += 2;
            } else if (QStringLiteral("=<>(),.;+-*/\\&").contains(c)) {
                tokens.push_back({TokenKind::Symbol, QString(c)});
                ++i;
            } else {
                throw syntaxError(QStringLiteral("Invalid character '%1' in query expression.").arg(c));
            }
        }
    }
    tokens.push_back({TokenKind::End, QString()});
    return tokens;
}

QString quoteName(const QString& name)
{
    QString escaped = name;
    escaped.replace(u'"', QStringLiteral("\"\""));
    return u'"' + escaped + u'"';
}

QString quoteText(const QString& text)
{
    QString escaped = text;
    escaped.replace(u'\'', QStringLiteral("''"));
    // SQLite ends a quoted text at a NUL even inside the statement's length; spell it out.
    if (escaped.contains(QChar(0)))
        return QStringLiteral("('") + escaped.replace(QChar(0), QStringLiteral("'||char(0)||'")) + QStringLiteral("')");
    return u'\'' + escaped + u'\'';
}

// Words that end an expression or a name list; never read as a column or an alias.
bool isReserved(const QString& word)
{
    static const QSet<QString> words = {
        QStringLiteral("select"),     QStringLiteral("from"),    QStringLiteral("where"), QStringLiteral("group"),
        QStringLiteral("by"),         QStringLiteral("having"),  QStringLiteral("order"), QStringLiteral("and"),
        QStringLiteral("or"),         QStringLiteral("not"),     QStringLiteral("like"),  QStringLiteral("is"),
        QStringLiteral("in"),         QStringLiteral("between"), QStringLiteral("as"),    QStringLiteral("on"),
        QStringLiteral("inner"),      QStringLiteral("left"),    QStringLiteral("right"), QStringLiteral("join"),
        QStringLiteral("union"),      QStringLiteral("asc"),     QStringLiteral("desc"),  QStringLiteral("distinct"),
        QStringLiteral("top"),        QStringLiteral("mod"),     QStringLiteral("outer"), QStringLiteral("all"),
        QStringLiteral("distinctrow")};
    return words.contains(word.toLower());
}

QString collated(const QString& sql)
{
    return u'(' + sql + QStringLiteral(") COLLATE ") + QLatin1String(kJetTextCollation);
}

struct Expression {
    QString sql;
    QString columnName;  // set when the expression is a plain column reference
    bool qualified = false;
    QString tableName;  // the table of a qualified column reference
    // What the expression yields: comparisons of texts ignore case, those of numbers keep to
    // SQLite's own order so that indexes on integer keys stay in use.
    ValueKind kind = ValueKind::Unknown;
};

Expression number(const QString& sql) { return {sql, {}, false, {}, ValueKind::Number}; }
Expression text(const QString& sql) { return {sql, {}, false, {}, ValueKind::Text}; }
Expression ofKind(const QString& sql, ValueKind kind) { return {sql, {}, false, {}, kind}; }
Expression condition(const QString& sql) { return ofKind(sql, ValueKind::Condition); }

bool isCurrency(const Expression& e) { return e.kind == ValueKind::Currency; }
bool isWhole(const Expression& e) { return e.kind == ValueKind::Integer || e.sql == u"NULL"; }

// A condition where a value is wanted: True is -1, as Access shows it.
QString valueSql(const Expression& e)
{
    return e.kind == ValueKind::Condition ? QStringLiteral("(-(") + e.sql + QStringLiteral("))") : e.sql;
}

// A value where a plain number is wanted: Currency in units rather than ten-thousandths.
QString plainSql(const Expression& e)
{
    return isCurrency(e) ? QStringLiteral("jet_cy_units(") + e.sql + u')' : valueSql(e);
}

// A Currency value, or a whole number (or null) made Currency.
QString currencySql(const Expression& e)
{
    return isCurrency(e) ? e.sql : QStringLiteral("jet_cy_of(") + valueSql(e) + u')';
}

// Operands that meet in one operation or comparison: Currency values stay exact while the others
// are Currency values or whole numbers; otherwise every operand is a plain number.
QStringList operandsSql(std::initializer_list<const Expression*> operands)
{
    bool currency = false, exact = true;
    for (const Expression* e : operands) {
        currency = currency || isCurrency(*e);
        exact = exact && (isCurrency(*e) || isWhole(*e));
    }
    QStringList out;
    for (const Expression* e : operands)
        out << (!currency ? valueSql(*e) : exact ? currencySql(*e) : plainSql(*e));
    return out;
}

bool exactCurrency(std::initializer_list<const Expression*> operands)
{
    bool currency = false, exact = true;
    for (const Expression* e : operands) {
        currency = currency || isCurrency(*e);
        exact = exact && (isCurrency(*e) || isWhole(*e));
    }
    return currency && exact;
}

class Translator {
public:
    Translator(const QString& sql, const ColumnKindLookup& columnKind) : tokens_(tokenize(sql)), columnKind_(columnKind)
    {}

    // The result columns that hold Currency, by name (read after run()).
    const QStringList& currencyColumns() const { return currencyColumns_; }

    QString run()
    {
        if (peek().kind != TokenKind::Name || !isAccessStatement(peek().text))
            throw DatabaseError(QStringLiteral(
                "Invalid SQL statement; expected 'DELETE', 'INSERT', 'PROCEDURE', 'SELECT', or 'UPDATE'."));
        QString out;
        if (isWord(u"select"))
            out = select();
        else
            out = passThrough();
        while (isSymbol(u";"))
            ++pos_;
        if (peek().kind != TokenKind::End)
            throw syntaxError(QStringLiteral("Characters found after end of SQL statement."));
        return out;
    }

private:
    // One level deeper for as long as it lives; too deep a statement is refused.
    class Nested {
    public:
        explicit Nested(Translator& translator) : translator_(translator)
        {
            if (++translator_.depth_ > kMostNesting) {
                --translator_.depth_;
                throw DatabaseError(QStringLiteral("Expression too complex in query expression."));
            }
        }
        ~Nested() { --translator_.depth_; }
        Nested(const Nested&) = delete;
        Nested& operator=(const Nested&) = delete;

    private:
        Translator& translator_;
    };

    const Token& peek(int ahead = 0) const
    {
        const std::size_t at = std::min(pos_ + std::size_t(ahead), tokens_.size() - 1);
        return tokens_[at];
    }
    bool isWord(QStringView word, int ahead = 0) const
    {
        const Token& t = peek(ahead);
        return t.kind == TokenKind::Name && t.text.compare(word, Qt::CaseInsensitive) == 0;
    }
    bool isSymbol(QStringView symbol) const { return peek().kind == TokenKind::Symbol && peek().text == symbol; }
    bool acceptWord(QStringView word)
    {
        if (!isWord(word))
            return false;
        ++pos_;
        return true;
    }
    bool acceptSymbol(QStringView symbol)
    {
        if (!isSymbol(symbol))
            return false;
        ++pos_;
        return true;
    }
    void expectWord(QStringView word, const QString& error)
    {
        if (!acceptWord(word))
            throw syntaxError(error);
    }
    void expectSymbol(QStringView symbol)
    {
        if (!acceptSymbol(symbol))
            throw syntaxError(QStringLiteral("Syntax error in query expression: '%1' expected.").arg(symbol));
    }
    bool atName() const
    {
        const Token& t = peek();
        return t.kind == TokenKind::QuotedName || (t.kind == TokenKind::Name && !isReserved(t.text));
    }
    QString name()
    {
        if (!atName())
            throw syntaxError();
        return tokens_[pos_++].text;
    }

    // Statements other than SELECT keep their words; texts and names are re-quoted. The
    // connection refuses every such statement anyway.
    QString passThrough()
    {
        QStringList parts;
        while (peek().kind != TokenKind::End && !isSymbol(u";")) {
            const Token& t = tokens_[pos_++];
            switch (t.kind) {
            case TokenKind::Text: parts << quoteText(t.text); break;
            case TokenKind::QuotedName: parts << quoteName(t.text); break;
            default: parts << t.text;
            }
        }
        return parts.join(u' ');
    }

    QString select()
    {
        const Nested nested(*this);
        expectWord(u"select", QStringLiteral("Invalid SQL statement."));
        ++selectDepth_;
        QString out = QStringLiteral("SELECT ");
        const bool distinct = acceptWord(u"distinct") || acceptWord(u"distinctrow");
        if (distinct)
            out += QStringLiteral("DISTINCT ");
        else
            acceptWord(u"all");
        QString limit;
        if (acceptWord(u"top")) {
            if (peek().kind != TokenKind::Number)
                throw syntaxError(QStringLiteral("The SELECT statement includes a reserved word or an argument name "
                                                 "that is misspelled or missing, or the punctuation is incorrect."));
            limit = tokens_[pos_++].text;
        }
        // The FROM clause is read first, so that the select list knows the kinds of its columns.
        const std::size_t listAt = pos_;
        skipSelectList();
        QString from;
        if (acceptWord(u"from"))
            from = QStringLiteral(" FROM ") + fromList();
        const std::size_t afterFrom = pos_;
        pos_ = listAt;
        std::vector<std::pair<QString, ValueKind>> itemKinds;
        out += selectList(distinct, itemKinds);
        if (!from.isEmpty()) {
            expectWord(u"from", QStringLiteral("Syntax error in query expression."));
            pos_ = afterFrom;
        }
        out += from;
        if (acceptWord(u"where"))
            out += QStringLiteral(" WHERE ") + expression().sql;
        QStringList groupKeys;
        if (acceptWord(u"group")) {
            expectWord(u"by", QStringLiteral("Syntax error in GROUP BY clause."));
            do
                groupKeys << textOrdered(expression());
            while (acceptSymbol(u","));
            out += QStringLiteral(" GROUP BY ") + groupKeys.join(QStringLiteral(", "));
        }
        if (acceptWord(u"having"))
            out += QStringLiteral(" HAVING ") + expression().sql;
        while (acceptWord(u"union")) {
            out += acceptWord(u"all") ? QStringLiteral(" UNION ALL ") : QStringLiteral(" UNION ");
            out += select();
        }
        if (acceptWord(u"order")) {
            expectWord(u"by", QStringLiteral("Syntax error in ORDER BY clause."));
            QStringList terms;
            do
                terms << orderTerm();
            while (acceptSymbol(u","));
            out += QStringLiteral(" ORDER BY ") + terms.join(QStringLiteral(", "));
        } else if (!groupKeys.isEmpty()) {
            // Jet hands groups back in ascending order of their keys.
            out += QStringLiteral(" ORDER BY ") + groupKeys.join(QStringLiteral(", "));
        }
        if (!limit.isEmpty())
            out += QStringLiteral(" LIMIT ") + limit;
        --selectDepth_;
        selectKinds_ = itemKinds;
        return out;
    }

    // Steps over a select list to the FROM that ends it, or to the clause or end that follows.
    void skipSelectList()
    {
        int depth = 0;
        for (;; ++pos_) {
            const Token& t = peek();
            if (t.kind == TokenKind::End)
                return;
            if (t.kind == TokenKind::Symbol && t.text == u"(")
                ++depth;
            else if (t.kind == TokenKind::Symbol && t.text == u")" && --depth < 0)
                return;
            else if (depth == 0 &&
                     ((t.kind == TokenKind::Symbol && t.text == u";") || isWord(u"from") || isWord(u"where") ||
                      isWord(u"group") || isWord(u"having") || isWord(u"order") || isWord(u"union")))
                return;
        }
    }

    struct SelectItem {
        QString sql;
        QString alias;
        Expression expression;
    };

    // DISTINCT tells rows apart ignoring the case of their texts, as Jet does. A condition shows
    // as -1 or 0; Currency columns stay in ten-thousandths and are named in currencyColumns().
    QString selectList(bool distinct, std::vector<std::pair<QString, ValueKind>>& itemKinds)
    {
        std::vector<SelectItem> items;
        int unnamed = 0;
        do {
            SelectItem item;
            if (acceptSymbol(u"*")) {
                item.sql = QStringLiteral("*");
            } else if (atName() && peek(1).kind == TokenKind::Symbol && peek(1).text == u"." &&
                       peek(2).kind == TokenKind::Symbol && peek(2).text == u"*") {
                item.sql = quoteName(name()) + QStringLiteral(".*");
                pos_ += 2;
            } else {
                item.expression = expression();
                item.sql = item.expression.sql;
                if (acceptWord(u"as"))
                    item.alias = name();
                else if (atName())
                    item.alias = name();
                else if (item.expression.columnName.isEmpty())
                    item.alias = QStringLiteral("Expr%1").arg(1000 + unnamed++);
            }
            items.push_back(item);
        } while (acceptSymbol(u","));

        // Jet names two selected columns of the same name after their tables: "cc.d" and "rus.d".
        QHash<QString, int> uses;
        for (const SelectItem& item : items)
            if (item.alias.isEmpty() && !item.expression.columnName.isEmpty())
                ++uses[item.expression.columnName.toLower()];
        QStringList parts;
        for (SelectItem& item : items) {
            const Expression& e = item.expression;
            if (item.alias.isEmpty() && e.qualified && uses.value(e.columnName.toLower()) > 1)
                item.alias = e.sql.split(QStringLiteral("\".\"")).join(u'.').remove(u'"');
            if (e.kind == ValueKind::Condition)
                item.sql = valueSql(e);
            const QString name = item.alias.isEmpty() ? e.columnName : item.alias;
            itemKinds.emplace_back(name.toLower(), e.kind);
            if (isCurrency(e) && selectDepth_ == 1)
                currencyColumns_ << name;
            if (distinct && item.sql != u"*" && !item.sql.endsWith(QStringLiteral(".*")) && !isNumeric(e)) {
                item.sql = collated(item.sql);
                if (item.alias.isEmpty())
                    item.alias = e.columnName;
            }
            parts << (item.alias.isEmpty() ? item.sql : item.sql + QStringLiteral(" AS ") + quoteName(item.alias));
        }
        return parts.join(QStringLiteral(", "));
    }

    QString orderTerm()
    {
        const bool positional = peek().kind == TokenKind::Number;
        const Expression key = expression();
        QString term = positional ? key.sql : textOrdered(key);
        if (acceptWord(u"desc"))
            term += QStringLiteral(" DESC");
        else
            acceptWord(u"asc");
        return term;
    }

    // A sort or group key in Jet's case-insensitive text order; a column known to hold numbers
    // stays as it is.
    QString textOrdered(const Expression& key) const
    {
        if (isNumeric(key))
            return valueSql(key);
        return key.sql + QStringLiteral(" COLLATE ") + QLatin1String(kJetTextCollation);
    }

    // Whether an expression yields numbers: a number, arithmetic, or a column of a table of the
    // FROM clause that is declared to hold numbers.
    bool isNumeric(const Expression& e) const
    {
        const ValueKind kind = e.kind != ValueKind::Unknown ? e.kind : columnKind(e);
        return kind != ValueKind::Unknown && kind != ValueKind::Text;
    }

    // The kind of a column reference: from the select list of a derived table, or else from the
    // declared type of a table's column.
    ValueKind columnKind(const Expression& e) const
    {
        if (e.columnName.isEmpty())
            return ValueKind::Unknown;
        const QString column = e.columnName.toLower();
        if (e.qualified && derived_.contains(e.tableName.toLower()))
            return derived_.value(e.tableName.toLower()).value(column, ValueKind::Unknown);
        if (!e.qualified)
            for (const auto& columns : derived_)
                if (columns.contains(column))
                    return columns.value(column);
        if (!columnKind_)
            return ValueKind::Unknown;
        if (e.qualified)
            return columnKind_(tables_.value(e.tableName.toLower(), e.tableName), e.columnName);
        for (const QString& table : std::as_const(tables_))
            if (const ValueKind kind = columnKind_(table, e.columnName); kind != ValueKind::Unknown)
                return kind;
        return ValueKind::Unknown;
    }

    // A comparison of two operands, ignoring case unless one of them is a number.
    QString compared(const Expression& left, const QString& leftSql, const QString& rest,
                     std::initializer_list<const Expression*> others) const
    {
        bool numeric = isNumeric(left);
        for (const Expression* other : others)
            numeric = numeric || isNumeric(*other);
        return (numeric ? leftSql : collated(leftSql)) + rest;
    }

    QString fromList()
    {
        QStringList refs;
        do
            refs << tableReference();
        while (acceptSymbol(u","));
        return refs.join(QStringLiteral(", "));
    }

    QString tableReference()
    {
        const Nested nested(*this);
        QString out = tablePrimary();
        for (;;) {
            QString join;
            if (acceptWord(u"inner"))
                join = QStringLiteral("INNER JOIN");
            else if (acceptWord(u"left"))
                join = QStringLiteral("LEFT JOIN");
            else if (acceptWord(u"right"))
                join = QStringLiteral("RIGHT JOIN");
            else
                break;
            acceptWord(u"outer");
            expectWord(u"join", QStringLiteral("Syntax error in JOIN operation."));
            const QString right = tablePrimary();
            expectWord(u"on", QStringLiteral("Syntax error in JOIN operation."));
            out += u' ' + join + u' ' + right + QStringLiteral(" ON ") + expression().sql;
        }
        return out;
    }

    QString tablePrimary()
    {
        QString out;
        if (acceptSymbol(u"(")) {
            if (isWord(u"select")) {
                out = u'(' + select() + u')';
                expectSymbol(u")");
                acceptWord(u"as");
                const QString alias = name();
                QHash<QString, ValueKind>& columns = derived_[alias.toLower()];
                for (const auto& [column, kind] : selectKinds_)
                    columns.insert(column, kind);
                return out + u' ' + quoteName(alias);
            }
            out = u'(' + tableReference() + u')';
            expectSymbol(u")");
            return out;
        }
        if (!atName())
            throw syntaxError(QStringLiteral("Syntax error in FROM clause."));
        const QString table = name();
        out = quoteName(table);
        tables_.insert(table.toLower(), table);
        if (acceptWord(u"as") || atName()) {
            const QString alias = name();
            tables_.insert(alias.toLower(), table);
            out += u' ' + quoteName(alias);
        }
        return out;
    }

    // Expressions, from the loosest binding to the tightest.
    Expression expression()
    {
        const Nested nested(*this);
        Expression left = conjunction();
        while (acceptWord(u"or"))
            left = condition(left.sql + QStringLiteral(" OR ") + conjunction().sql);
        return left;
    }

    Expression conjunction()
    {
        Expression left = negation();
        while (acceptWord(u"and"))
            left = condition(left.sql + QStringLiteral(" AND ") + negation().sql);
        return left;
    }

    Expression negation()
    {
        if (acceptWord(u"not")) {
            const Nested nested(*this);
            return condition(QStringLiteral("NOT ") + negation().sql);
        }
        return comparison();
    }

    Expression comparison()
    {
        Expression left = concatenation();
        for (;;) {
            static const QStringList operators = {QStringLiteral("="), QStringLiteral("<>"), QStringLiteral("<"),
                                                  QStringLiteral(">"), QStringLiteral("<="), QStringLiteral(">=")};
            if (peek().kind == TokenKind::Symbol && operators.contains(peek().text)) {
                const QString op = tokens_[pos_++].text;
                const Expression right = concatenation();
                const QStringList sql = operandsSql({&left, &right});
                left = condition(compared(left, sql[0], u' ' + op + u' ' + sql[1], {&right}));
                continue;
            }
            const bool negated = isWord(u"not") && (isWord(u"like", 1) || isWord(u"between", 1) || isWord(u"in", 1));
            if (negated)
                ++pos_;
            const QString no = negated ? QStringLiteral("NOT ") : QString();
            if (acceptWord(u"like")) {
                left = condition(plainSql(left) + u' ' + no + QStringLiteral("LIKE ") + plainSql(concatenation()));
            } else if (acceptWord(u"between")) {
                const Expression low = concatenation();
                expectWord(u"and", QStringLiteral("Between operator without And in query expression."));
                const Expression high = concatenation();
                const QStringList sql = operandsSql({&left, &low, &high});
                left = condition(compared(
                    left, sql[0], u' ' + no + QStringLiteral("BETWEEN ") + sql[1] + QStringLiteral(" AND ") + sql[2],
                    {&low, &high}));
            } else if (acceptWord(u"in")) {
                left = condition(inList(left, no));
            } else if (!negated && acceptWord(u"is")) {
                const bool isNot = acceptWord(u"not");
                expectWord(u"null", QStringLiteral("Syntax error in query expression: Null expected after Is."));
                left = condition(left.sql + (isNot ? QStringLiteral(" IS NOT NULL") : QStringLiteral(" IS NULL")));
            } else {
                return left;
            }
        }
    }

    // "x IN (values)" or "x IN (SELECT ...)", after the word IN.
    QString inList(const Expression& left, const QString& no)
    {
        expectSymbol(u"(");
        QString list;
        QString leftSql = valueSql(left);
        bool numeric = false;
        if (isWord(u"select")) {
            list = select();
            // A Currency column of the subquery against another value: both as Currency.
            const bool currencyList = !selectKinds_.empty() && selectKinds_.front().second == ValueKind::Currency;
            if (currencyList != isCurrency(left))
                leftSql = currencyList ? currencySql(left) : plainSql(left);
            numeric = currencyList;
        } else {
            std::vector<Expression> values;
            do {
                values.push_back(expression());
                numeric = numeric || isNumeric(values.back());
            } while (acceptSymbol(u","));
            bool currency = isCurrency(left), exact = currency || isWhole(left);
            for (const Expression& value : values) {
                currency = currency || isCurrency(value);
                exact = exact && (isCurrency(value) || isWhole(value));
            }
            QStringList sql;
            for (const Expression& value : values)
                sql << (!currency ? valueSql(value) : exact ? currencySql(value) : plainSql(value));
            if (currency)
                leftSql = exact ? currencySql(left) : plainSql(left);
            list = sql.join(QStringLiteral(", "));
        }
        expectSymbol(u")");
        const QString rest = u' ' + no + QStringLiteral("IN (") + list + u')';
        return numeric ? leftSql + rest : compared(left, leftSql, rest, {});
    }

    // & joins texts, a null operand counting as empty.
    Expression concatenation()
    {
        Expression left = sum();
        while (acceptSymbol(u"&"))
            left = text(QStringLiteral("jet_concat(") + plainSql(left) + QStringLiteral(", ") + plainSql(sum()) + u')');
        return left;
    }

    // + adds numbers and joins texts, a null operand giving null.
    Expression sum()
    {
        Expression left = product();
        for (;;) {
            if (acceptSymbol(u"+"))
                left = added(left, product(), true);
            else if (acceptSymbol(u"-"))
                left = added(left, product(), false);
            else
                return left;
        }
    }

    // a + b or a - b: exact for Currency values and whole numbers, else in plain numbers.
    Expression added(const Expression& left, const Expression& right, bool plus) const
    {
        const bool whole = left.kind == ValueKind::Integer && right.kind == ValueKind::Integer;
        if (exactCurrency({&left, &right})) {
            const QStringList sql = operandsSql({&left, &right});
            return ofKind((plus ? QStringLiteral("jet_cy_add(") : QStringLiteral("jet_cy_sub(")) + sql[0] +
                              QStringLiteral(", ") + sql[1] + u')',
                          ValueKind::Currency);
        }
        if (!plus)
            return ofKind(u'(' + plainSql(left) + QStringLiteral(" - ") + plainSql(right) + u')',
                          whole ? ValueKind::Integer : ValueKind::Number);
        const bool numeric = isNumeric(left) && isNumeric(right);
        return ofKind(QStringLiteral("jet_add(") + plainSql(left) + QStringLiteral(", ") + plainSql(right) + u')',
                      whole         ? ValueKind::Integer
                          : numeric ? ValueKind::Number
                                    : ValueKind::Unknown);
    }

    Expression product()
    {
        Expression left = unary();
        for (;;) {
            if (acceptSymbol(u"*"))
                left = multiplied(left, unary());
            // Access divides without truncating, and reports a divisor of zero (access_division.h).
            else if (acceptSymbol(u"/"))
                left = number(QStringLiteral("jet_divide(") + plainSql(left) + QStringLiteral(", ") +
                              plainSql(unary()) + u')');
            else if (acceptSymbol(u"\\"))
                left = number(QStringLiteral("jet_whole_divide(") + plainSql(left) + QStringLiteral(", ") +
                              plainSql(unary()) + u')');
            else if (acceptWord(u"mod"))
                left = number(QStringLiteral("jet_mod(") + plainSql(left) + QStringLiteral(", ") + plainSql(unary()) +
                              u')');
            else
                return left;
        }
    }

    // a * b: Currency times a whole number or a Currency value stays Currency.
    static Expression multiplied(const Expression& left, const Expression& right)
    {
        if (isCurrency(left) && isCurrency(right))
            return ofKind(QStringLiteral("jet_cy_product(") + left.sql + QStringLiteral(", ") + right.sql + u')',
                          ValueKind::Currency);
        if ((isCurrency(left) && isWhole(right)) || (isWhole(left) && isCurrency(right)))
            return ofKind(QStringLiteral("jet_cy_mul(") + (isCurrency(left) ? left.sql : right.sql) +
                              QStringLiteral(", ") + valueSql(isCurrency(left) ? right : left) + u')',
                          ValueKind::Currency);
        const bool whole = left.kind == ValueKind::Integer && right.kind == ValueKind::Integer;
        return ofKind(u'(' + plainSql(left) + QStringLiteral(" * ") + plainSql(right) + u')',
                      whole ? ValueKind::Integer : ValueKind::Number);
    }

    Expression unary()
    {
        if (acceptSymbol(u"-")) {
            const Nested nested(*this);
            return negated(unary());
        }
        if (acceptSymbol(u"+")) {
            const Nested nested(*this);
            return unary();
        }
        return primary();
    }

    // -a keeps a Currency value or a whole number what it is.
    static Expression negated(const Expression& operand)
    {
        const bool keeps = isCurrency(operand) || operand.kind == ValueKind::Integer;
        const QString sql = valueSql(operand);
        // "- -1" must not become "--1", which SQLite reads as the start of a comment.
        return ofKind((sql.startsWith(u'-') ? QStringLiteral("- ") : QStringLiteral("-")) + sql,
                      keeps ? operand.kind : ValueKind::Number);
    }

    Expression primary()
    {
        const Token& t = peek();
        switch (t.kind) {
        case TokenKind::Number:
            ++pos_;
            return ofKind(t.text,
                          t.text.contains(u'.') || t.text.contains(u'e', Qt::CaseInsensitive) ? ValueKind::Number
                                                                                              : ValueKind::Integer);
        case TokenKind::Text:
        case TokenKind::Date:  // kept as the text a date is stored as
            ++pos_;
            return text(quoteText(t.text));
        case TokenKind::Symbol:
            if (acceptSymbol(u"(")) {
                if (isWord(u"select")) {
                    const QString query = select();
                    expectSymbol(u")");
                    return ofKind(u'(' + query + u')',
                                  selectKinds_.empty() ? ValueKind::Unknown : selectKinds_.front().second);
                }
                // No longer a plain column (Jet names it Expr1000), but still a number or a text.
                const Expression inner = expression();
                expectSymbol(u")");
                const ValueKind kind = inner.kind != ValueKind::Unknown ? inner.kind
                    : isNumeric(inner)                                  ? columnKind(inner)
                                                                        : ValueKind::Unknown;
                return ofKind(u'(' + inner.sql + u')', kind);
            }
            throw syntaxError();
        case TokenKind::End: throw syntaxError(QStringLiteral("Syntax error (missing operator) in query expression."));
        case TokenKind::Name:
            if (acceptWord(u"null"))
                return {QStringLiteral("NULL"), {}, false};
            if (acceptWord(u"true"))
                return ofKind(QStringLiteral("-1"), ValueKind::Integer);
            if (acceptWord(u"false"))
                return ofKind(QStringLiteral("0"), ValueKind::Integer);
            if (isWord(u"exists")) {
                ++pos_;
                expectSymbol(u"(");
                const QString query = select();
                expectSymbol(u")");
                return condition(QStringLiteral("EXISTS (") + query + u')');
            }
            // A reserved word before "(" is a call when it names a function: Left(, Right( and
            // Asc(. LEFT JOIN and RIGHT JOIN never reach here.
            if (peek(1).kind == TokenKind::Symbol && peek(1).text == u"(" &&
                (!isReserved(t.text) || FindAccessFunction(t.text)))
                return functionCall();
            break;
        case TokenKind::QuotedName: break;
        }
        return columnReference();
    }

    Expression functionCall()
    {
        const QString written = tokens_[pos_].text;
        const AccessFunction* function = FindAccessFunction(written);
        if (!function)
            throw DatabaseError(QStringLiteral("Undefined function '%1' in expression.").arg(written));
        pos_ += 2;
        std::vector<Expression> arguments;
        if (acceptSymbol(u"*")) {
            if (written.compare(u"count", Qt::CaseInsensitive) != 0)
                throw syntaxError();
            arguments.push_back(ofKind(QStringLiteral("*"), ValueKind::Unknown));
        } else if (!isSymbol(u")")) {
            do
                arguments.push_back(expression());
            while (acceptSymbol(u","));
        }
        expectSymbol(u")");
        if (int(arguments.size()) < function->fewest || int(arguments.size()) > function->most)
            throw syntaxError(
                QStringLiteral("Wrong number of arguments used with function in query expression '%1'.").arg(written));
        if (!function->sqlName)  // IsNull: True (-1) or False (0)
            return number(QStringLiteral("(-(") + plainSql(arguments.front()) + QStringLiteral(" IS NULL))"));
        // The arguments that are the call's values (IIf's two results, Nz's value and its
        // replacement, else the first): all Currency or whole numbers keep the Currency form.
        const bool iif = written.compare(u"iif", Qt::CaseInsensitive) == 0;
        const bool nz = written.compare(u"nz", Qt::CaseInsensitive) == 0;
        const auto isValueArgument = [&](std::size_t k) { return iif ? k > 0 : nz ? k < 2 : k == 0; };
        bool currency = false, exact = true;
        for (std::size_t k = 0; k < arguments.size(); ++k)
            if (isValueArgument(k)) {
                currency = currency || isCurrency(arguments[k]);
                exact = exact && (isCurrency(arguments[k]) || isWhole(arguments[k]));
            }
        const bool currencyForm = function->currencySqlName && currency && exact;
        QStringList sql;
        for (std::size_t k = 0; k < arguments.size(); ++k) {
            const Expression& argument = arguments[k];
            if (iif && k == 0)
                sql << argument.sql;  // the condition
            else if (currencyForm && isValueArgument(k))
                sql << currencySql(argument);
            else
                sql << plainSql(argument);
        }
        if (currencyForm && !*function->currencySqlName)  // CCur of a Currency value
            return ofKind(sql.front(), ValueKind::Currency);
        const char* sqlName = currencyForm ? function->currencySqlName : function->sqlName;
        return ofKind(QLatin1String(sqlName) + u'(' + sql.join(QStringLiteral(", ")) + u')',
                      currencyForm ? function->currencyYields : function->yields);
    }

    Expression columnReference()
    {
        QStringList parts{name()};
        while (isSymbol(u".")) {
            ++pos_;
            parts << name();
        }
        QStringList quoted;
        for (const QString& part : parts)
            quoted << quoteName(part);
        Expression column{quoted.join(u'.'), parts.last(), parts.size() > 1,
                          parts.size() > 1 ? parts[parts.size() - 2] : QString()};
        column.kind = columnKind(column);
        return column;
    }

    std::vector<Token> tokens_;
    std::size_t pos_ = 0;
    ColumnKindLookup columnKind_;
    int depth_ = 0;
    QHash<QString, QString> tables_;  // table names and aliases of the FROM clauses read, lower-cased, to their tables
    QHash<QString, QHash<QString, ValueKind>> derived_;  // derived tables' aliases to their columns' kinds
    std::vector<std::pair<QString, ValueKind>> selectKinds_;  // the columns of the last select read
    int selectDepth_ = 0;
    QStringList currencyColumns_;  // of the statement's own select list
};

}  // namespace

QString TranslateAccessSql(const QString& accessSql, const NumericColumnLookup& numericColumn)
{
    ColumnKindLookup kinds;
    if (numericColumn)
        kinds = [numericColumn](const QString& table, const QString& column) {
            return numericColumn(table, column) ? ValueKind::Number : ValueKind::Unknown;
        };
    return Translator(accessSql, kinds).run();
}

AccessTranslation TranslateAccessQuery(const QString& accessSql, const ColumnKindLookup& columnKind)
{
    Translator translator(accessSql, columnKind);
    QString sql = translator.run();
    return {sql, translator.currencyColumns()};
}
