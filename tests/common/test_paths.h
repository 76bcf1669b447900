#pragma once
// Paths of the source tree, the build folder, the genuine Jet samples and the demo catalogue.
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
}  // namespace testing_support
