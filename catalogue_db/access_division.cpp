#include "access_division.h"

#include <sqlite3.h>

#include <cstdint>
#include <limits>

namespace {

enum class Division { Real, Whole, Remainder };

bool isWhole(sqlite3_value* v) { return sqlite3_value_numeric_type(v) == SQLITE_INTEGER; }

template <Division kind>
void divideFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    sqlite3_value* dividend = argv[0];
    sqlite3_value* divisor = argv[1];
    if (sqlite3_value_type(dividend) == SQLITE_NULL || sqlite3_value_type(divisor) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    if (kind == Division::Real) {
        const double by = sqlite3_value_double(divisor);
        if (by == 0.0)
            sqlite3_result_error(ctx, "Division by zero", -1);
        else
            sqlite3_result_double(ctx, sqlite3_value_double(dividend) / by);
        return;
    }
    // SQLite's whole-number conversion, as CAST(x AS INTEGER) makes it.
    const bool whole = isWhole(dividend) && isWhole(divisor);
    const std::int64_t a = sqlite3_value_int64(dividend);
    const std::int64_t b = sqlite3_value_int64(divisor);
    if (b == 0) {
        sqlite3_result_error(ctx, "Division by zero", -1);
        return;
    }
    constexpr std::int64_t smallest = std::numeric_limits<std::int64_t>::min();
    if (kind == Division::Whole) {
        if (a == smallest && b == -1)  // the one quotient beyond 64 bits, which SQLite answers as a real
            sqlite3_result_double(ctx, -double(smallest));
        else
            sqlite3_result_int64(ctx, a / b);
        return;
    }
    const std::int64_t remainder = b == -1 ? 0 : a % b;
    if (whole)
        sqlite3_result_int64(ctx, remainder);
    else  // SQLite answers a real when an operand is one
        sqlite3_result_double(ctx, double(remainder));
}

}  // namespace

void RegisterDivisionFunctions(sqlite3* db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function_v2(db, "jet_divide", 2, flags, nullptr, divideFunction<Division::Real>, nullptr, nullptr,
                               nullptr);
    sqlite3_create_function_v2(db, "jet_whole_divide", 2, flags, nullptr, divideFunction<Division::Whole>, nullptr,
                               nullptr, nullptr);
    sqlite3_create_function_v2(db, "jet_mod", 2, flags, nullptr, divideFunction<Division::Remainder>, nullptr, nullptr,
                               nullptr);
}
