#include "jet_text.h"

#include <QChar>
#include <sqlite3.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Decodes one UTF-8 code point at s[i], advancing i; malformed bytes read as U+FFFD.
char32_t decodeUtf8(const unsigned char* s, std::size_t n, std::size_t& i)
{
    const unsigned char c = s[i++];
    if (c < 0x80)
        return c;
    int extra;
    char32_t cp;
    if ((c & 0xE0) == 0xC0) {
        extra = 1;
        cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
        extra = 2;
        cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
        extra = 3;
        cp = c & 0x07;
    } else
        return 0xFFFD;
    for (int k = 0; k < extra; ++k) {
        if (i >= n || (s[i] & 0xC0) != 0x80)
            return 0xFFFD;
        cp = (cp << 6) | (s[i++] & 0x3F);
    }
    return cp;
}

char32_t fold(char32_t cp)
{
    if (cp < 0x80)
        return (cp >= 'A' && cp <= 'Z') ? cp + 32 : cp;
    // Cyrillic capitals directly: the bulk of the catalogue's text.
    if (cp >= 0x0410 && cp <= 0x042F)
        return cp + 0x20;
    if (cp >= 0x0430 && cp <= 0x045F)
        return cp;
    if (cp >= 0x0400 && cp <= 0x040F)
        return cp + 0x50;
    return QChar::toCaseFolded(cp);
}

bool isAscii(const char* s, std::size_t n)
{
    for (std::size_t i = 0; i < n; ++i)
        if (static_cast<unsigned char>(s[i]) >= 0x80)
            return false;
    return true;
}

void foldInto(const char* s, std::size_t n, std::vector<char32_t>& out)
{
    out.clear();
    const auto* u = reinterpret_cast<const unsigned char*>(s);
    for (std::size_t i = 0; i < n;)
        out.push_back(fold(decodeUtf8(u, n, i)));
}

// Wildcard match with backtracking to the last %; linear for the usual '%word%' patterns.
template <class Ch, class Eq>
bool wildcardMatch(const Ch* p, std::size_t pn, const Ch* s, std::size_t sn, Eq eq)
{
    std::size_t pi = 0, si = 0, starP = std::string::npos, starS = 0;
    while (si < sn) {
        if (pi < pn && p[pi] == Ch('%')) {
            starP = pi++;
            starS = si;
        } else if (pi < pn && (p[pi] == Ch('_') || eq(p[pi], s[si]))) {
            ++pi;
            ++si;
        } else if (starP != std::string::npos) {
            pi = starP + 1;
            si = ++starS;
        } else {
            return false;
        }
    }
    while (pi < pn && p[pi] == Ch('%'))
        ++pi;
    return pi == pn;
}

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; }

// Places letters that Unicode puts far from their alphabet position (Cyrillic ё, і, ї, є, ґ, ў)
// right after the letter they follow in the alphabet.
std::uint64_t orderKey(char32_t folded)
{
    switch (folded) {
    case 0x0451: return 0x0435ull * 4 + 1;  // ё after е
    case 0x0454: return 0x0435ull * 4 + 2;  // є after е
    case 0x0456: return 0x0438ull * 4 + 1;  // і after и
    case 0x0457: return 0x0438ull * 4 + 2;  // ї after і
    case 0x0491: return 0x0433ull * 4 + 1;  // ґ after г
    case 0x045E: return 0x0443ull * 4 + 1;  // ў after у
    default: return std::uint64_t(folded) * 4;
    }
}

bool isNumeric(sqlite3_value* v)
{
    const int t = sqlite3_value_type(v);
    return t == SQLITE_INTEGER || t == SQLITE_FLOAT;
}

// A text that reads wholly as a number takes part in arithmetic as that number.
bool textAsNumber(sqlite3_value* v)
{
    const int t = sqlite3_value_numeric_type(v);
    return t == SQLITE_INTEGER || t == SQLITE_FLOAT;
}

// A like pattern folded once per statement and kept with it.
struct FoldedPattern {
    std::string text;
    bool ascii;
    std::vector<char32_t> folded;
};

void deletePattern(void* pattern) { delete static_cast<FoldedPattern*>(pattern); }

void likeFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    // like(pattern, text): the form SQLite calls for "text LIKE pattern".
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const char* p = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const int pn = sqlite3_value_bytes(argv[0]);
    const char* s = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    const int sn = sqlite3_value_bytes(argv[1]);
    if (!p || !s) {
        sqlite3_result_error_nomem(ctx);
        return;
    }
    auto* pattern = static_cast<FoldedPattern*>(sqlite3_get_auxdata(ctx, 0));
    if (!pattern || pattern->text.size() != std::size_t(pn) ||
        pattern->text.compare(0, std::string::npos, p, std::size_t(pn)) != 0) {
        pattern = new FoldedPattern{std::string(p, std::size_t(pn)), isAscii(p, std::size_t(pn)), {}};
        foldInto(p, std::size_t(pn), pattern->folded);
        sqlite3_set_auxdata(ctx, 0, pattern, deletePattern);
        pattern = static_cast<FoldedPattern*>(sqlite3_get_auxdata(ctx, 0));
        if (!pattern) {
            sqlite3_result_int(ctx, JetLikeMatch(p, std::size_t(pn), s, std::size_t(sn)) ? 1 : 0);
            return;
        }
    }
    if (pattern->ascii && isAscii(s, std::size_t(sn))) {
        sqlite3_result_int(ctx, JetLikeMatch(p, std::size_t(pn), s, std::size_t(sn)) ? 1 : 0);
        return;
    }
    thread_local std::vector<char32_t> text;
    foldInto(s, std::size_t(sn), text);
    const bool match = wildcardMatch(pattern->folded.data(), pattern->folded.size(), text.data(), text.size(),
                                     [](char32_t x, char32_t y) { return x == y; });
    sqlite3_result_int(ctx, match ? 1 : 0);
}

void addFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    sqlite3_value* a = argv[0];
    sqlite3_value* b = argv[1];
    if (sqlite3_value_type(a) == SQLITE_NULL || sqlite3_value_type(b) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const bool numA = isNumeric(a), numB = isNumeric(b);
    if ((numA && numB) || (numA && textAsNumber(b)) || (numB && textAsNumber(a))) {
        if (sqlite3_value_numeric_type(a) == SQLITE_INTEGER && sqlite3_value_numeric_type(b) == SQLITE_INTEGER) {
            const sqlite3_int64 x = sqlite3_value_int64(a), y = sqlite3_value_int64(b);
            sqlite3_int64 sum;
            if (!__builtin_add_overflow(x, y, &sum)) {
                sqlite3_result_int64(ctx, sum);
                return;
            }
        }
        sqlite3_result_double(ctx, sqlite3_value_double(a) + sqlite3_value_double(b));
        return;
    }
    std::string joined(reinterpret_cast<const char*>(sqlite3_value_text(a)), std::size_t(sqlite3_value_bytes(a)));
    joined.append(reinterpret_cast<const char*>(sqlite3_value_text(b)), std::size_t(sqlite3_value_bytes(b)));
    sqlite3_result_text64(ctx, joined.data(), joined.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

// The & operator: joins texts, a null operand counting as empty; null only when both are.
void concatFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL && sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    std::string joined;
    for (int k = 0; k < 2; ++k)
        if (sqlite3_value_type(argv[k]) != SQLITE_NULL)
            joined.append(reinterpret_cast<const char*>(sqlite3_value_text(argv[k])),
                          std::size_t(sqlite3_value_bytes(argv[k])));
    sqlite3_result_text64(ctx, joined.data(), joined.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

int collate(void*, int an, const void* a, int bn, const void* b)
{
    return JetCompareText(static_cast<const char*>(a), std::size_t(an), static_cast<const char*>(b), std::size_t(bn));
}

}  // namespace

bool JetLikeMatch(const char* pattern, std::size_t pn, const char* text, std::size_t sn)
{
    if (isAscii(pattern, pn) && isAscii(text, sn))
        return wildcardMatch(pattern, pn, text, sn, [](char x, char y) { return asciiLower(x) == asciiLower(y); });
    thread_local std::vector<char32_t> p, s;
    foldInto(pattern, pn, p);
    foldInto(text, sn, s);
    return wildcardMatch(p.data(), p.size(), s.data(), s.size(), [](char32_t x, char32_t y) { return x == y; });
}

int JetCompareText(const char* a, std::size_t an, const char* b, std::size_t bn)
{
    const auto* ua = reinterpret_cast<const unsigned char*>(a);
    const auto* ub = reinterpret_cast<const unsigned char*>(b);
    std::size_t i = 0, j = 0;
    while (i < an && j < bn) {
        if (ua[i] < 0x80 && ub[j] < 0x80) {
            const char x = asciiLower(char(ua[i++])), y = asciiLower(char(ub[j++]));
            if (x != y)
                return x < y ? -1 : 1;
            continue;
        }
        const std::uint64_t x = orderKey(fold(decodeUtf8(ua, an, i)));
        const std::uint64_t y = orderKey(fold(decodeUtf8(ub, bn, j)));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (i < an)
        return 1;
    if (j < bn)
        return -1;
    return 0;
}

void RegisterJetFunctions(sqlite3* db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function_v2(db, "like", 2, flags, nullptr, likeFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "jet_add", 2, flags, nullptr, addFunction, nullptr, nullptr, nullptr);
    sqlite3_create_function_v2(db, "jet_concat", 2, flags, nullptr, concatFunction, nullptr, nullptr, nullptr);
    sqlite3_create_collation_v2(db, kJetTextCollation, SQLITE_UTF8, nullptr, collate, nullptr);
}
