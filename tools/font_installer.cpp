#include "font_installer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    QFile::setPermissions(script,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
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
    return makeSubset(font, faceIndex, characters, spFolder);
}

QString FontInstaller::findCjkFont(int* faceIndex)
{
    QProcess match;
    match.start(
        QStringLiteral("fc-match"),
        {QStringLiteral("-f"), QStringLiteral("%{file}\n%{index}"), QStringLiteral("Noto Sans CJK SC:style=Regular")});
    if (!match.waitForFinished(10000) || match.exitCode() != 0)
        return {};
    const QStringList lines = QString::fromUtf8(match.readAllStandardOutput()).split(QLatin1Char('\n'));
    // fc-match always answers with some font; only a CJK one will do.
    if (lines.size() < 2 || !lines[0].contains(QLatin1String("CJK")))
        return {};
    *faceIndex = lines[1].toInt();
    return lines[0];
}

QString FontInstaller::makeSubset(const QString& font, int faceIndex, const QString& characters,
                                  const QString& spFolder)
{
    QTemporaryFile textFile;
    if (!textFile.open())
        return QStringLiteral("cannot write a temporary file for the font subset");
    textFile.write(characters.toUtf8());
    textFile.flush();
    QFile script(QStringLiteral(":/font_installer/make_font_subset.py"));
    if (!script.open(QIODevice::ReadOnly))
        return QStringLiteral("the font subset script is missing from the tool");

    // Debian's fontTools lives with the system Python, which a Python earlier in PATH may lack.
    QString python = QStringLiteral("/usr/bin/python3");
    if (!QFileInfo::exists(python))
        python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    const QString output = spFolder + QLatin1Char('/') + QLatin1String(kFontFileName);
    const QString partial = output + QStringLiteral(".tmp");
    QProcess subset;
    subset.start(
        python,
        {QStringLiteral("-"), font, QString::number(faceIndex), textFile.fileName(), partial, QLatin1String(kFamily)});
    subset.write(script.readAll());
    subset.closeWriteChannel();
    if (!subset.waitForFinished(120000) || subset.exitStatus() != QProcess::NormalExit || subset.exitCode() != 0) {
        subset.kill();
        QFile::remove(partial);
        return QStringLiteral("no font subset made (fontTools missing or failed: %1)")
            .arg(QString::fromUtf8(subset.readAllStandardError()).trimmed().section(QLatin1Char('\n'), -1));
    }
    // The script names the font it took the glyphs from and that font's copyright notice.
    const QStringList source = QString::fromUtf8(subset.readAllStandardOutput()).split(QLatin1Char('\n'));
    const QString licence = spFolder + QLatin1Char('/') + QLatin1String(kLicenceFileName);
    if (!writeLicence(licence, source.value(0), source.value(1))) {
        QFile::remove(partial);
        return QStringLiteral("%1: cannot write the font's licence; no font subset laid out").arg(licence);
    }
    QFile::remove(output);
    QFile::rename(partial, output);
    return {};
}

bool FontInstaller::writeLicence(const QString& path, const QString& sourceFamily, const QString& copyrightNotice)
{
    QFile terms(QStringLiteral(":/font_installer/OFL-1.1.txt"));
    QFile licence(path);
    if (!terms.open(QIODevice::ReadOnly) || !licence.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const QString header =
        QStringLiteral("%1, font family \"%2\": the characters of this catalogue taken from\n"
                       "the font \"%3\", renamed so that it never stands in for that font.\n\n%4\n\n")
            .arg(QLatin1String(kFontFileName), QLatin1String(kFamily), sourceFamily, copyrightNotice);
    licence.write(header.toUtf8());
    licence.write(terms.readAll());
    return licence.error() == QFileDevice::NoError;
}
