// Fuzzes the reading of damaged Access (Jet) files: a genuine sample with bytes changed, or cut, is
// written to a temporary file and opened through the dataset like any catalogue, and every table
// the import produced is read whole. Errors are expected; a crash or a hang of this process is not.
// libmdb runs in the reader program (velora-jet-reader, beside this one), under the import's time
// limit: it loops on some damaged files, which in-process fuzzing would report as hangs of its own.
//
// Input: one byte choosing the sample, one byte of flags (bit 0: cut the file to a whole number
// of pages given by the next two bytes), then edits of four bytes each: a 24-bit offset and the
// new byte. An offset with its top bit set falls into the first eight pages (header, catalogue
// and table definitions), otherwise anywhere in the file.
//
// The samples are the .mdb files in VELORA_JET_SAMPLES, or in tests/data/jet of the source tree
// (VELORA_JET_SAMPLES_DIR, set by the build).
#include "ado_query.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <fcntl.h>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>
#include <vector>

namespace {

QString SamplesFolder()
{
    const QString chosen = qEnvironmentVariable("VELORA_JET_SAMPLES");
    if (!chosen.isEmpty())
        return chosen;
    return QStringLiteral(VELORA_JET_SAMPLES_DIR);
}

struct Samples {
    Samples()
    {
        const QDir folder(SamplesFolder());
        for (const QString& name : folder.entryList({QStringLiteral("*.mdb")}, QDir::Files, QDir::Name)) {
            QFile file(folder.filePath(name));
            if (file.open(QIODevice::ReadOnly))
                files.push_back(file.readAll());
        }
        if (files.empty() || !work.isValid()) {
            // A missing sample folder is a set-up fault, not a finding: end at once, without the
            // crash handlers that would keep the input as a failing one.
            std::fprintf(stderr, "no Jet samples in %s (set VELORA_JET_SAMPLES)\n", qPrintable(folder.path()));
            std::fflush(stderr);
            std::_Exit(2);
        }
        path = work.path() + QStringLiteral("/damaged.mdb");
    }

    std::vector<QByteArray> files;
    QTemporaryDir work;
    QString path;
    long long version = 0;
};

QByteArray Damaged(const QByteArray& sample, const std::uint8_t* data, std::size_t size)
{
    QByteArray bytes = sample;
    const qsizetype pageSize = bytes.at(0x14) == 0 ? 2048 : 4096;
    std::size_t at = 2;
    if (size >= 4 && (data[1] & 1)) {
        const qsizetype pages = (qsizetype(data[2]) << 8 | data[3]) % (bytes.size() / pageSize + 1);
        bytes.truncate(pages * pageSize);
        at = 4;
    }
    if (bytes.isEmpty())
        return bytes;
    for (; at + 4 <= size; at += 4) {
        const std::uint32_t offset = std::uint32_t(data[at]) << 16 | std::uint32_t(data[at + 1]) << 8 | data[at + 2];
        const qsizetype span = (offset & 0x800000) ? qMin<qsizetype>(bytes.size(), 8 * pageSize) : bytes.size();
        bytes[(offset & 0x7fffff) % span] = char(data[at + 3]);
    }
    return bytes;
}

// Writes the file with a modification time of its own: the import keeps the image of a file
// whose size and time it has seen, and each input must be read afresh.
bool WriteVersion(Samples& samples, const QByteArray& bytes)
{
    QFile file(samples.path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    ++samples.version;
    const timespec times[2] = {{1000000000 + samples.version, 0}, {1000000000 + samples.version, 0}};
    return utimensat(AT_FDCWD, QFile::encodeName(samples.path).constData(), times, 0) == 0;
}

QStringList TableNames(TADOQuery& query)
{
    QStringList names;
    query.setSql(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
    query.Open();
    for (int row = 0; row < query.RecordCount(); ++row)
        names << query.value(row, 0).toString();
    query.Close();
    return names;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    static int argc = 1;
    static char name[] = "fuzz_jet_import";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);
    static Samples samples;

    const QByteArray& sample = samples.files[data[0] % samples.files.size()];
    if (!WriteVersion(samples, Damaged(sample, data, size)))
        std::abort();

    TADOQuery query;
    query.setConnectionString(QStringLiteral("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=") + samples.path +
                              QStringLiteral(";Persist Security Info=False"));
    static const bool verbose = qEnvironmentVariableIsSet("VELORA_FUZZ_VERBOSE");
    int tables = 0, rows = 0;
    try {
        for (const QString& table : TableNames(query)) {
            query.setSql(QStringLiteral("SELECT * FROM [") + table + u']');
            try {
                query.Open();
                ++tables;
                rows += query.RecordCount();
                for (int row = 0; row < query.RecordCount(); ++row)
                    for (int column = 0; column < query.columnNames().size(); ++column)
                        query.displayText(row, column);
                query.Close();
            } catch (const DatabaseError&) {
                // A name the dialect cannot bracket (one holding ']'); the other tables are still read.
            }
        }
    } catch (const DatabaseError&) {
        // The damaged file was refused.
    }
    if (verbose)
        std::fprintf(stderr, "%d tables, %d rows\n", tables, rows);
    return 0;
}
