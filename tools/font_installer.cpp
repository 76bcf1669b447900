#include "font_installer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <stdexcept>

QString FontInstaller::write(const QString& sourceFolder, const QString& destination, const QString& usedText)
{
    const QString spFolder = destination + QStringLiteral("/sp");
    const QString script = spFolder + QStringLiteral("/chnfont.sh");
    QFile::remove(script);
    if (!QDir().mkpath(spFolder) || !QFile::copy(sourceFolder + QStringLiteral("/sp/chnfont.sh"), script))
        throw std::runtime_error(QStringLiteral("%1: cannot write the font installer").arg(script).toStdString());
    QFile::setPermissions(script, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                      QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther |
                                      QFileDevice::ExeOther);

    // Each character once, the Latin letters and digits of mixed texts included.
    QString characters;
    QSet<uint> seen;
    for (const uint code : usedText.toUcs4()) {
        if (code > 32 && !seen.contains(code)) {
            seen.insert(code);
            characters += QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
        }
    }
    int faceIndex = 0;
    const QString font = findCjkFont(&faceIndex);
    if (font.isEmpty())
        return QStringLiteral("no Noto Sans CJK font found: the font installer has no font to install");
    return makeSubset(font, faceIndex, characters, spFolder + QLatin1Char('/') + QLatin1String(kFontFileName));
}

QString FontInstaller::findCjkFont(int* faceIndex)
{
    QProcess match;
    match.start(QStringLiteral("fc-match"), {QStringLiteral("-f"), QStringLiteral("%{file}\n%{index}"),
                                             QStringLiteral("Noto Sans CJK SC:style=Regular")});
    if (!match.waitForFinished(10000) || match.exitCode() != 0)
        return {};
    const QStringList lines = QString::fromUtf8(match.readAllStandardOutput()).split(QLatin1Char('\n'));
    // fc-match always answers with some font; only a CJK one will do.
    if (lines.size() < 2 || !lines[0].contains(QLatin1String("CJK")))
        return {};
    *faceIndex = lines[1].toInt();
    return lines[0];
}

QString FontInstaller::makeSubset(const QString& font, int faceIndex, const QString& characters, const QString& output)
{
    QTemporaryFile textFile;
    if (!textFile.open())
        return QStringLiteral("cannot write a temporary file for the font subset");
    textFile.write(characters.toUtf8());
    textFile.flush();

    // Debian's fontTools lives with the system Python; pyftsubset is its command-line name.
    QString program = QStandardPaths::findExecutable(QStringLiteral("pyftsubset"));
    QStringList arguments;
    if (program.isEmpty()) {
        program = QStringLiteral("/usr/bin/python3");
        arguments << QStringLiteral("-m") << QStringLiteral("fontTools.subset");
    }
    arguments << font << QStringLiteral("--font-number=%1").arg(faceIndex)
              << QStringLiteral("--text-file=%1").arg(textFile.fileName())
              << QStringLiteral("--layout-features=*") << QStringLiteral("--output-file=%1").arg(output + QStringLiteral(".tmp"));
    QProcess subset;
    subset.start(program, arguments);
    if (!subset.waitForFinished(120000) || subset.exitStatus() != QProcess::NormalExit || subset.exitCode() != 0) {
        QFile::remove(output + QStringLiteral(".tmp"));
        return QStringLiteral("no font subset made (fontTools missing or failed: %1)")
            .arg(QString::fromUtf8(subset.readAllStandardError()).trimmed().section(QLatin1Char('\n'), -1));
    }
    QFile::remove(output);
    QFile::rename(output + QStringLiteral(".tmp"), output);
    return {};
}
