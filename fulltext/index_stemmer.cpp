#include <xapian.h>

#include "index_stemmer.h"

#include "script_stemmer.h"

#include <QFile>
#include <QFileInfo>

namespace fulltext {

const char* const kStemmerMetadataKey = "stemmer";

bool IndexHasOtherStemmer(const QString& catalogueDir)
{
    const QString folder = catalogueDir + QStringLiteral("/index");
    if (!QFileInfo(folder).isDir())
        return false;
    try {
        const Xapian::Database database(QFile::encodeName(folder).toStdString(), Xapian::DB_BACKEND_GLASS);
        return database.get_metadata(kStemmerMetadataKey) != ScriptStemmerName();
    } catch (const Xapian::Error&) {
        return false;
    }
}

}  // namespace fulltext
