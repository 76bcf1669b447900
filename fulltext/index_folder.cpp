#include "index_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <cstdio>
#include <fcntl.h>
#include <stdexcept>

namespace fulltext {

namespace {

std::string Utf8(const QString& text) { return text.toStdString(); }

}  // namespace

IndexWriteLock::IndexWriteLock(const QString& catalogueDir)
    : lock_(std::make_unique<QLockFile>(catalogueDir + QStringLiteral("/index.lock")))
{
    // Writing an index takes minutes on the largest catalogues: only a lock whose process has
    // ended is stale, however old it is.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0))
        return;
    if (lock_->error() != QLockFile::LockFailedError)
        throw std::runtime_error(Utf8(lock_->fileName()) + ": cannot create the lock file");
    qint64 pid = 0;
    QString host, application;
    lock_->getLockInfo(&pid, &host, &application);
    throw std::runtime_error(Utf8(QStringLiteral("%1: another index run (process %2 on %3) is writing this "
                                                 "catalogue's index; run again when it has ended")
                                      .arg(lock_->fileName())
                                      .arg(pid)
                                      .arg(host)));
}

IndexWriteLock::~IndexWriteLock() = default;

QString DraftFolder(const QString& catalogueDir) { return catalogueDir + QStringLiteral("/index.draft"); }
QString FreshFolder(const QString& catalogueDir) { return catalogueDir + QStringLiteral("/index.new"); }
QString RetiredFolder(const QString& catalogueDir) { return catalogueDir + QStringLiteral("/index.old"); }

void RemoveLeftovers(const QString& catalogueDir)
{
    for (const QString& folder : {DraftFolder(catalogueDir), FreshFolder(catalogueDir), RetiredFolder(catalogueDir)})
        if (QFileInfo::exists(folder) && !QDir(folder).removeRecursively())
            throw std::runtime_error(Utf8(folder) + ": cannot remove what an earlier index run left");
}

void ReplaceFolder(const QString& fresh, const QString& target)
{
    const QByteArray from = QFile::encodeName(fresh);
    const QByteArray to = QFile::encodeName(target);
    if (!QFileInfo::exists(target)) {
        if (std::rename(from.constData(), to.constData()) != 0)
            throw std::runtime_error(Utf8(target) + ": cannot put the new index in place");
        return;
    }
#ifdef RENAME_EXCHANGE
    // Linux swaps the two folders in one step; `fresh` then holds the old index.
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_EXCHANGE) == 0) {
        QDir(fresh).removeRecursively();
        return;
    }
#endif
    // Elsewhere, or on a file system without the swap: the old index goes aside for the moment
    // of the second rename.
    const QString retired = target + QStringLiteral(".old");
    QDir(retired).removeRecursively();
    if (std::rename(to.constData(), QFile::encodeName(retired).constData()) != 0)
        throw std::runtime_error(Utf8(target) + ": cannot move the old index aside");
    if (std::rename(from.constData(), to.constData()) != 0) {
        std::rename(QFile::encodeName(retired).constData(), to.constData());
        throw std::runtime_error(Utf8(target) + ": cannot put the new index in place");
    }
    QDir(retired).removeRecursively();
}

}  // namespace fulltext
