#include "jet_import.h"

#include "database_error.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>
#include <QProcess>
#include <QStandardPaths>

#include <map>

namespace {

QString unrecognized(const QString& path) { return QStringLiteral("Unrecognized database format '%1'.").arg(path); }

struct CachedImport {
    qint64 size = -1;
    QDateTime modified;
    QByteArray image;
};

// Access writes whole pages (2 KB in Jet 3, 4 KB later); a file cut elsewhere is damaged.
void checkWholePages(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw DatabaseError(unrecognized(path));
    const QByteArray header = file.read(0x15);
    const qint64 pageSize = header.size() == 0x15 && header.at(0x14) == 0 ? 2048 : 4096;
    if (file.size() < 2 * pageSize || file.size() % pageSize != 0)
        throw DatabaseError(unrecognized(path));
}

// The folder of the running executable, with or without a QCoreApplication.
QString executableFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

}  // namespace

QString JetReaderProgram()
{
    const QString folder = executableFolder();
    if (folder.isEmpty())
        return QString();
    return QStandardPaths::findExecutable(
        QStringLiteral("velora-jet-reader"),
        {folder, QDir::cleanPath(folder + QStringLiteral("/" VELORA_JET_READER_FROM_BIN))});
}

QByteArray ImportJetDatabaseUncached(const QString& path, int timeLimitMs, const QString& reader)
{
    checkWholePages(path);
    if (reader.isEmpty())
        throw DatabaseError(QStringLiteral("Cannot read '%1': the Access database reader velora-jet-reader is missing "
                                           "from the program's folder.")
                                .arg(path));
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    // Its one line of complaint is for people who run it by hand; here every failure reads alike.
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(reader, {path}, QIODevice::ReadOnly);
    if (!process.waitForStarted(-1))
        throw DatabaseError(QStringLiteral("Cannot read '%1': the Access database reader %2 does not start: %3")
                                .arg(path, reader, process.errorString()));
    const bool finished = process.waitForFinished(timeLimitMs);
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(-1);
        }
        throw DatabaseError(unrecognized(path));
    }
    return process.readAllStandardOutput();
}

QByteArray ImportJetDatabase(const QString& path)
{
    static QMutex mutex;
    static std::map<QString, CachedImport> cache;
    const QFileInfo info(path);
    QMutexLocker lock(&mutex);
    CachedImport& entry = cache[info.absoluteFilePath()];
    if (entry.size == info.size() && entry.modified == info.lastModified())
        return entry.image;
    // A few seconds for any catalogue, more for very large files.
    const int limitMs = 5000 + int(qMin<qint64>(info.size() / (1 << 20) * 500, 120000));
    QByteArray image = ImportJetDatabaseUncached(path, limitMs, JetReaderProgram());
    entry = CachedImport{info.size(), info.lastModified(), image};
    return image;
}
