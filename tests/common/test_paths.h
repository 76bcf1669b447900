#pragma once
// Paths of the source tree, the build folder, the genuine Jet samples and the demo catalogue.
#include <QCryptographicHash>
#include <QFile>
#include <QString>
#include <ostream>

// Readable QString values in test failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace testing_support {
inline QString sourceDir() { return QStringLiteral(VELORA_SOURCE_DIR); }
inline QString buildDir() { return QStringLiteral(VELORA_BUILD_DIR); }
inline QString jetSamplesDir() { return QStringLiteral(VELORA_JET_SAMPLES_DIR); }
// The built demo catalogue (data/, velora2014.mdb, sp/) lies beside the executable.
inline QString demoCatalogueDir() { return buildDir(); }
inline QString programPath() { return buildDir() + QStringLiteral("/velora-catalogue"); }
inline QString toolPath() { return buildDir() + QStringLiteral("/velora-catalogue-tool"); }

// Fingerprint of a file's bytes (empty when it cannot be read), to show a file was left as it was.
inline QByteArray FileSha256(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result();
}
}  // namespace testing_support
