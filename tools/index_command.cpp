#include "index_command.h"

#include "catalogue_index.h"
#include "languages.h"
#include "sql_command.h"
#include "tool_help.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTextStream>

#include <optional>

#include <stdexcept>

namespace {

constexpr int kDefaultLimit = 50;
constexpr int kMostLimit = 100000;

const char* const kFindUsage = "usage: velora-catalogue-tool find DIR 'QUERY' [--lang ru|en|zh] [--limit N]\n";

struct FindArguments {
    QString folder;
    QString query;
    QString letter = LanguageByNumber(LangRussian)->letter;
    int limit = kDefaultLimit;
};

// Nothing when the arguments are wrong; the reason is then written to stderr.
std::optional<FindArguments> ReadFindArguments(const QStringList& arguments)
{
    QTextStream err(stderr);
    FindArguments read;
    QStringList positional;
    for (int at = 0; at < arguments.size(); ++at) {
        const QString& argument = arguments[at];
        if (argument != QLatin1String("--lang") && argument != QLatin1String("--limit")) {
            positional << argument;
            continue;
        }
        if (at + 1 >= arguments.size()) {
            err << "find: " << argument << " needs a value\n";
            return std::nullopt;
        }
        const QString value = arguments[++at];
        if (argument == QLatin1String("--lang")) {
            const LanguageRow* language = LanguageByTag(value);
            if (!language) {
                err << "find: --lang takes ru, en or zh, not " << value << '\n';
                return std::nullopt;
            }
            read.letter = language->letter;
        } else {
            bool ok = false;
            read.limit = value.toInt(&ok);
            if (!ok || read.limit < 1 || read.limit > kMostLimit) {
                err << "find: --limit takes a whole number from 1 to " << kMostLimit << ", not " << value << '\n';
                return std::nullopt;
            }
        }
    }
    if (positional.size() != 2) {
        err << kFindUsage;
        return std::nullopt;
    }
    read.folder = positional[0];
    read.query = positional[1];
    return read;
}

}  // namespace

bool IndexCommand::writeIndex(const QString& catalogueDir)
{
    QElapsedTimer timer;
    timer.start();
    QStringList notices;
    try {
        notices = fulltext::WriteIndex(catalogueDir);
    } catch (const std::exception& error) {
        QTextStream(stderr) << "index: " << QString::fromUtf8(error.what()) << '\n';
        return false;
    }
    for (const QString& notice : std::as_const(notices))
        QTextStream(stderr) << "index: notice: " << notice << '\n';
    const fulltext::IndexOpening opened = fulltext::TryOpenIndex(catalogueDir);
    if (!opened.index) {
        QTextStream(stderr) << "index: " << QDir(catalogueDir).filePath(QStringLiteral("index"))
                            << ": written but cannot be read back (did data/ change meanwhile?): " << opened.problem
                            << '\n';
        return false;
    }
    QTextStream(stdout) << "indexed " << opened.index->PageCount() << " page files into "
                        << QDir(catalogueDir).filePath(QStringLiteral("index")) << " (" << timer.elapsed() << " ms)\n";
    return true;
}

int IndexCommand::run(const QStringList& arguments)
{
    if (arguments.size() != 1) {
        QTextStream(stderr) << "usage: velora-catalogue-tool index DIR\n";
        return kWrongArgumentsExitCode;
    }
    return writeIndex(arguments[0]) ? 0 : 2;
}

int FindCommand::run(const QStringList& arguments)
{
    const std::optional<FindArguments> read = ReadFindArguments(arguments);
    if (!read)
        return kWrongArgumentsExitCode;
    QTextStream err(stderr);
    const QDir data(QDir(read->folder).filePath(QStringLiteral("data")));
    if (!data.exists() || !data.isReadable()) {
        err << "find: " << data.path() << ": cannot read the page files\n";
        return 2;
    }
    const fulltext::IndexOpening opened = fulltext::TryOpenIndex(read->folder);
    if (!opened.index) {
        err << "find: " << QDir(read->folder).filePath(opened.problem)
            << "; write the index with: velora-catalogue-tool index " << read->folder << '\n';
        return 2;
    }
    fulltext::Results results;
    try {
        results = opened.index->Find(read->query, read->letter, 0, read->limit);
    } catch (const fulltext::UnsoundIndex& unsound) {
        err << "find: " << QDir(read->folder).filePath(unsound.problem())
            << "; write the index with: velora-catalogue-tool index " << read->folder << '\n';
        return 2;
    }
    QTextStream out(stdout);
    out << "rank\tpage\tposition\ttitle\tsnippet\n";
    for (const fulltext::Hit& hit : results.hits)
        out << hit.rank << '\t' << SqlCommand::escaped(hit.pageFile) << '\t' << hit.category << '.' << hit.position
            << '\t' << SqlCommand::escaped(hit.title) << '\t' << SqlCommand::escaped(hit.snippet) << '\n';
    if (results.cut)
        err << "find: note: the search was cut short by the limits every query keeps (a long query, many word forms "
               "or very large pages): the hits are those found within them\n";
    return 0;
}
