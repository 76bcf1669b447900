#pragma once
// The functions of Access queries in one table. The translation takes from it the names it
// accepts, how many arguments each takes, what each yields and the SQLite function it becomes;
// the connection registers the table's own implementations (the jet_* functions, for what SQLite
// lacks or does otherwise) with SQLite.
#include <QStringView>

#include <vector>

struct sqlite3;
struct sqlite3_context;
struct sqlite3_value;

// What an expression yields, as far as the query text tells: a number (Integer when it is a whole
// number), a text, a Currency value (an integer count of ten-thousandths, access_currency.h), or a
// condition (SQLite's 1 or 0, which Access shows as True, -1, or False, 0).
enum class ValueKind { Unknown, Number, Text, Integer, Currency, Condition };

// What a column of an SQLite table declared with that type holds: CURRENCY or MONEY Currency,
// types with INT whole numbers, with REAL, FLOA or DOUB numbers; Unknown for the rest.
ValueKind DeclaredKind(const char* declaredType);

struct AccessFunction {
    const char* name;  // as Access spells it; looked up ignoring case
    const char* sqlName;  // the SQLite function a call becomes; null for IsNull, which becomes an IS NULL test
    int fewest;  // the counts of arguments it takes
    int most;
    ValueKind yields;
    void (*call)(sqlite3_context*, int, sqlite3_value**);  // registered as sqlName; null for SQLite's own
    bool deterministic;
    // What a call becomes when its values are Currency: that SQLite function (an empty name: the
    // value itself), yielding `currencyYields`. Null: Currency arguments arrive as plain numbers.
    const char* currencySqlName = nullptr;
    ValueKind currencyYields = ValueKind::Currency;
};

// The whole table.
const std::vector<AccessFunction>& AccessFunctions();

// The Access function of that name, ignoring case; null for a name Access queries do not know.
const AccessFunction* FindAccessFunction(QStringView name);

// Registers every function of the table that has an implementation, once for each argument count.
void RegisterAccessFunctions(sqlite3* db);
