// Xapian first: Qt's keyword macros (signals, slots) would break its headers.
#include <xapian.h>

#include "catalogue_index.h"
#include "index_manifest.h"
#include "page_document.h"
#include "page_file.h"
#include "page_names.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <optional>
#include <sstream>

namespace fulltext {

namespace {

QString Damaged(const QString& file, const QString& why)
{
    return QStringLiteral("index/%1: damaged: %2").arg(file, why);
}

// Names that look meant as page names but are none (0501234e.html, 12001e.html, 05012E.html):
// the index leaves them out, which the publisher should hear of.
QStringList AlmostPageNames(const QString& data)
{
    static const QRegularExpression almost(QStringLiteral("^[0-9]+[a-z]*\\.html?$"),
                                           QRegularExpression::CaseInsensitiveOption);
    QStringList lines;
    const QStringList names =
        QDir(data).entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString& name : names)
        if (almost.match(name).hasMatch() && !ParsePageName(name))
            lines << QStringLiteral("data/%1: not a page name (two digits of category, 00 to 11, three of position, "
                                    "a language letter r, e or c, \".html\"): left out of the index")
                         .arg(name);
    return lines;
}

// The tables against the manifest, the engine's own check, and every document as a page.
// Returns the names of the pages the documents hold; nothing when they cannot all be read.
std::optional<QSet<QString>> CheckTables(const QString& folder, const IndexManifest& manifest, QStringList& problems)
{
    QSet<QString> documents;
    for (const IndexTable& table : manifest.tables) {
        const QString path = folder + QLatin1Char('/') + table.name;
        if (!QFileInfo(path).isFile())
            problems << Damaged(table.name, QStringLiteral("missing"));
        else if (FileChecksum(path) != table.checksum)
            problems << Damaged(table.name, QStringLiteral("its checksum differs from the one written with it"));
    }
    const std::string path = QFile::encodeName(folder).toStdString();
    try {
        std::ostringstream report;
        const std::size_t errors = Xapian::Database::check(path, 0, &report);
        if (errors > 0)
            problems << Damaged(QString(), QStringLiteral("the engine's check finds %1 errors").arg(errors));
        const Xapian::Database database(path, Xapian::DB_BACKEND_GLASS);
        if (database.get_metadata(kFormatKey) != kFormat)
            problems << QStringLiteral("index/: written in another form: write it again");
        if (std::int64_t(database.get_doccount()) != manifest.pages)
            problems << Damaged(
                QString(),
                QStringLiteral("%1 pages where %2 were written").arg(database.get_doccount()).arg(manifest.pages));
        for (Xapian::PostingIterator it = database.postlist_begin(std::string()); it != database.postlist_end({});
             ++it) {
            const std::optional<StoredPage> stored = DecodeStoredPage(database.get_document(*it).get_data());
            if (!stored) {
                problems << Damaged(QString(), QStringLiteral("document %1 is no page of the catalogue").arg(*it));
                continue;
            }
            documents.insert(stored->record.name);
        }
    } catch (const Xapian::Error& error) {
        problems << Damaged(QString(), QString::fromStdString(error.get_description()));
        return std::nullopt;
    }
    return documents;
}

}  // namespace

QStringList CheckIndex(const QString& catalogueDir)
{
    const QString folder = catalogueDir + QStringLiteral("/index");
    const QString data = catalogueDir + QStringLiteral("/data");
    QStringList problems = AlmostPageNames(data);
    const QStringList names = ListPageNames(data).value_or(QStringList());

    // The pages as the index reads them, and the record of each.
    QHash<QString, PageRecord> current;
    for (const QString& name : names) {
        const PageFile file = ReadPageFile(data + QLatin1Char('/') + name);
        const QString notice = ReadingNotice(name, file.state, file.error);
        if (!notice.isEmpty())
            problems << notice;
        const bool read = file.state == PageFileState::Read || file.state == PageFileState::Cut;
        current.insert(name,
                       {name, read ? file.size : -1, file.modified, read ? PageChecksum(file.bytes) : QByteArray()});
    }

    if (!QFileInfo(folder).isDir()) {
        problems << QStringLiteral("index/: missing: the browser indexes the pages in memory at every start; write it "
                                   "with: velora-catalogue-tool index FOLDER");
        return problems;
    }
    const std::optional<IndexManifest> manifest = ReadManifest(folder);
    if (!manifest) {
        problems << Damaged(QLatin1String(kManifestFile), QStringLiteral("missing or unreadable"));
        return problems;
    }
    const std::optional<QSet<QString>> documents = CheckTables(folder, *manifest, problems);
    const std::optional<std::vector<PageRecord>> records = ReadPageRecords(folder);
    if (!records) {
        problems << Damaged(QLatin1String(kPagesFile), QStringLiteral("missing or unreadable"));
        return problems;
    }
    QSet<QString> recorded;
    for (const PageRecord& record : *records) {
        recorded.insert(record.name);
        if (documents && record.size >= 0 && !documents->contains(record.name))
            problems << Damaged(QString(), QStringLiteral("data/%1 is recorded but not indexed").arg(record.name));
        const auto now = current.constFind(record.name);
        if (now == current.cend())
            problems << QStringLiteral("data/%1: removed since the index was written: the index is out of date")
                            .arg(record.name);
        else if (now->size != record.size || now->checksum != record.checksum)
            problems << QStringLiteral("data/%1: changed since the index was written: the index is out of date")
                            .arg(record.name);
    }
    for (const QString& name : names)
        if (!recorded.contains(name))
            problems
                << QStringLiteral("data/%1: added since the index was written: the index is out of date").arg(name);
    return problems;
}

}  // namespace fulltext
