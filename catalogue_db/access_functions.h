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

// What an expression yields, as far as the query text tells.
enum class ValueKind { Unknown, Number, Text };

struct AccessFunction {
    const char* name;  // as Access spells it; looked up ignoring case
    const char* sqlName;  // the SQLite function a call becomes; null for IsNull, which becomes an IS NULL test
    int fewest;  // the counts of arguments it takes
    int most;
    ValueKind yields;
    void (*call)(sqlite3_context*, int, sqlite3_value**);  // registered as sqlName; null for SQLite's own
    bool deterministic;
};

// The whole table.
const std::vector<AccessFunction>& AccessFunctions();

// The Access function of that name, ignoring case; null for a name Access queries do not know.
const AccessFunction* FindAccessFunction(QStringView name);

// Registers every function of the table that has an implementation, once for each argument count.
void RegisterAccessFunctions(sqlite3* db);
