// Fuzzes the project search from criteria to rows: any texts in the four text fields and any list
// indices go through the search statement builder, the Access dialect translation and SQLite, on a
// copy of the demo catalogue. The statement must always run (an engine error means a criterion's
// text broke out of its pattern), and the rows must satisfy the criteria that are easy to check.
//
// Input: three bytes of list indices (category, department, order), one byte of language and
// text decoding (bit 2 set: the texts are raw UTF-16, so lone surrogates and NUL reach the
// builder), then the title, organisation, contact and address texts, separated by 0xFF bytes.
//
// With bit 3 of the fourth byte set, the input is an expression instead: the first byte picks a
// function of Access queries and the texts are its arguments, written into the statement as they
// stand (any expression, date literals between # included) or, with bit 4, as quoted texts. The
// statement may be refused with an engine error but must never crash or hang; a quoted text
// comes back unchanged from the functions that keep it.
//
// With bit 5 of the fourth byte set (and bit 3 clear), the input is a nesting instead: the first
// three texts are an opening, a core and a closing, and the statement is SELECT, the opening n
// times, the core and the closing n times, with n = 256 * first byte + second byte (up to 65,535
// levels of parentheses, calls, subqueries, signs or Not). It ends in rows or an engine error,
// never a crash; "1" in more than 500 parentheses is too complex.
//
// The catalogue is velora2014.mdb beside the executable, or the file named by
// VELORA_FUZZ_DATABASE; it is copied into a temporary folder first and its bytes are checked
// now and then and at the end.
#include "ado_query.h"
#include "fuzz_check.h"
#include "project_counts.h"
#include "languages.h"
#include "search_sql.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <memory>

namespace {

QString ExecutableFolder() { return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath(); }

QByteArray FileHash(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result();
}

class Catalogue {
public:
    Catalogue()
    {
        QString source = qEnvironmentVariable("VELORA_FUZZ_DATABASE");
        if (source.isEmpty())
            source = ExecutableFolder() + QStringLiteral("/velora2014.mdb");
        path_ = folder_.path() + QStringLiteral("/velora2014.mdb");
        if (!folder_.isValid() || !QFile::copy(source, path_)) {
            std::fprintf(stderr, "cannot copy the catalogue %s\n", qPrintable(source));
            std::abort();
        }
        hash_ = FileHash(path_);
        query_.setConnectionString(CatalogueConnectionString(folder_.path() + u'/'));
    }

    ~Catalogue() { checkUnchanged(); }

    void checkUnchanged() const { FUZZ_CHECK(FileHash(path_) == hash_, path_); }

    TADOQuery& query() { return query_; }

private:
    QTemporaryDir folder_;
    QString path_;
    QByteArray hash_;
    TADOQuery query_;
};

Catalogue& TheCatalogue()
{
    static Catalogue catalogue;
    return catalogue;
}

QString Decode(const QByteArray& bytes, bool utf16)
{
    if (!utf16)
        return QString::fromUtf8(bytes);
    return QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2);
}

// Printable ASCII without the like wildcards: such a criterion must appear in what it found.
bool PlainAscii(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() < 0x20 || c.unicode() > 0x7e || c == u'%' || c == u'_')
            return false;
    return true;
}

void CheckRows(TADOQuery& query, const SearchCriteria& criteria, const SearchSql& sql, const QString& code)
{
    const int cn = query.columnIndex(QStringLiteral("cn"));
    const int d = query.columnIndex(QStringLiteral("cc.d"));
    const int tdb = query.columnIndex(QStringLiteral("tdb"));
    const int odb = query.columnIndex(QStringLiteral("odb"));
    FUZZ_CHECK(cn >= 0 && d >= 0 && tdb >= 0 && odb >= 0, query.columnNames().join(u','));
    FUZZ_CHECK(query.columnIndex(QStringLiteral("ct") + code) >= 0, query.columnNames().join(u','));
    const bool checkTitle = !sql.title.isEmpty() && PlainAscii(sql.title);
    const bool checkOrganisation = !criteria.organisation.isEmpty() && PlainAscii(criteria.organisation);
    for (int row = 0; row < query.RecordCount(); ++row) {
        if (criteria.categoryIndex > 0)
            FUZZ_CHECK(query.value(row, cn).toInt() == criteria.categoryIndex, sql.text);
        if (criteria.departmentIndex > 0)
            FUZZ_CHECK(query.value(row, d).toInt() == criteria.departmentIndex, sql.text);
        if (checkTitle)
            FUZZ_CHECK(query.value(row, tdb).toString().contains(sql.title, Qt::CaseInsensitive), sql.text);
        if (checkOrganisation)
            FUZZ_CHECK(query.value(row, odb).toString().contains(criteria.organisation, Qt::CaseInsensitive), sql.text);
    }
}

const char* const kFunctions[] = {"Left",   "Right",      "UCase",   "LCase",    "IsNull", "Nz",  "Val",
                                  "CStr",   "CInt",       "CLng",    "CDbl",     "Int",    "Fix", "Round",
                                  "Format", "Replace",    "StrComp", "Year",     "Month",  "Day", "Date",
                                  "Now",    "DateSerial", "DateAdd", "DateDiff", "Mid",    "Len", "IIf"};

QString Quoted(QString text) { return u'\'' + text.replace(u'\'', QStringLiteral("''")) + u'\''; }

void RunFunction(TADOQuery& query, const std::uint8_t* data, const QList<QByteArray>& texts, bool utf16)
{
    const bool quoted = data[3] & 16;
    QStringList arguments;
    for (const QByteArray& text : texts)
        arguments << (quoted ? Quoted(Decode(text, utf16)) : Decode(text, utf16));
    const QString function = QLatin1String(kFunctions[data[0] % std::size(kFunctions)]);
    const QString sql = QStringLiteral("SELECT %1(%2) AS v, #1/31/1995# AS d FROM c WHERE c.cn BETWEEN %3 AND %4")
                            .arg(function, arguments.join(u','))
                            .arg(data[1] % 12)
                            .arg(data[2] % 12);
    query.clearSql();
    query.setSql(sql);
    try {
        query.Open();
    } catch (const DatabaseError&) {
        return;  // a refused text or argument is an answer too
    }
    for (int row = 0; row < query.RecordCount(); ++row)
        FUZZ_CHECK(query.FieldByName(QStringLiteral("d")).toString() == QStringLiteral("1995-01-31 00:00:00"), sql);
    if (quoted && arguments.size() == 1 && (function == u"CStr" || function == u"Nz") && query.RecordCount() > 0) {
        const QString kept = QString::fromUtf8(Decode(texts[0], utf16).toUtf8());
        FUZZ_CHECK(query.value(0, 0).toString() == kept, sql);
    }
    query.Close();
}

void RunNested(TADOQuery& query, const std::uint8_t* data, const QList<QByteArray>& texts, bool utf16)
{
    const int levels = data[0] * 256 + data[1];
    const QString opening = Decode(texts.value(0), utf16);
    const QString core = Decode(texts.value(1), utf16);
    const QString closing = Decode(texts.value(2), utf16);
    const QString sql = QStringLiteral("SELECT ") + opening.repeated(levels) + core + closing.repeated(levels);
    const bool parenthesesAroundOne = opening == u"(" && core == u"1" && closing == u")" && levels > 500;
    query.clearSql();
    query.setSql(sql);
    try {
        query.Open();
    } catch (const DatabaseError& error) {
        if (parenthesesAroundOne)
            FUZZ_CHECK(error.message().contains(QStringLiteral("too complex")), error.message());
        return;
    }
    FUZZ_CHECK(!parenthesesAroundOne, sql.left(200));
    query.Close();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    static int argc = 1;
    static char name[] = "fuzz_search_sql";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    Catalogue& catalogue = TheCatalogue();

    SearchCriteria criteria;
    criteria.categoryIndex = data[0] % 14 - 1;  // -1 (nothing chosen) to 12 (past the list)
    criteria.departmentIndex = data[1] % 16 - 1;
    criteria.sortIndex = data[2] % 4 - 1;
    const std::uint8_t language = 1 + data[3] % 3;
    const bool utf16 = data[3] & 4;
    const QList<QByteArray> texts =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data + 4), qsizetype(size - 4)).split('\xff');
    QString* fields[] = {&criteria.title, &criteria.organisation, &criteria.contact, &criteria.address};
    for (qsizetype i = 0; i < texts.size() && i < 4; ++i)
        *fields[i] = Decode(texts[i], utf16);

    if (data[3] & 8) {
        RunFunction(catalogue.query(), data, texts, utf16);
        return 0;
    }
    if (data[3] & 32) {
        RunNested(catalogue.query(), data, texts, utf16);
        return 0;
    }
    const QString code = LanguageByNumber(language)->code;
    const SearchSql sql = BuildSearchSql(criteria, code);
    FUZZ_CHECK(!sql.title.contains(u'\''), sql.title);
    TADOQuery& query = catalogue.query();
    query.clearSql();
    query.setSql(sql.text);
    try {
        query.Open();
    } catch (const DatabaseError& error) {
        FUZZ_CHECK(false, error.message() + QStringLiteral("\n") + sql.text);
    }
    CheckRows(query, criteria, sql, code);
    query.Close();

    static unsigned runs = 0;
    if (++runs % 4096 == 0)
        catalogue.checkUnchanged();
    return 0;
}
