#include "catalogue_copy.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace {

bool CopyTree(const QString& from, const QString& to)
{
    if (!QDir().mkpath(to))
        return false;
    QDirIterator files(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString source = files.next();
        const QString target = to + source.mid(from.size());
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target))
            return false;
    }
    return true;
}

}  // namespace

CatalogueCopy::CatalogueCopy(const QString& from)
{
    const QString source = QDir(from).absolutePath();
    valid_ = folder_.isValid() && QFile::copy(source + QStringLiteral("/velora2014.mdb"), databasePath()) &&
        CopyTree(source + QStringLiteral("/data"), dir() + QStringLiteral("data")) &&
        (!QDir(source + QStringLiteral("/sp")).exists() ||
         CopyTree(source + QStringLiteral("/sp"), dir() + QStringLiteral("sp")));
    hash_ = FileSha256(databasePath());
    valid_ = valid_ && !hash_.isEmpty();
}

QByteArray CatalogueCopy::currentHash() const { return FileSha256(databasePath()); }
