// The Chinese font installer script: installs the shipped font once when no Chinese font is
// present, stays quiet, leaves a system that has one alone, and replaces an earlier install of
// its own. The font the catalogue tool makes for it carries a family name of its own.
#include "tool_run.h"

#include <QFileInfo>
#include <QRawFont>
#include <QTemporaryDir>

namespace {

class FontScript : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(root.path() + QStringLiteral("/sp"));
        QDir().mkpath(root.path() + QStringLiteral("/bin"));
        QDir().mkpath(root.path() + QStringLiteral("/home"));
        ASSERT_TRUE(QFile::copy(demoSources() + QStringLiteral("/sp/chnfont.sh"),
                                root.path() + QStringLiteral("/sp/chnfont.sh")));
        write(QStringLiteral("sp/velora-cjk.otf"), "stand-in font bytes");
        write(QStringLiteral("sp/OFL.txt"), "the font's licence");
        // Stand-ins for fontconfig: fc-list answers what the test says, fc-cache logs its runs.
        setChineseFontInstalled(false);
        write(QStringLiteral("bin/fc-cache"), "#!/bin/sh\necho run >> \"$FC_CACHE_LOG\"\n", true);
    }

    void write(const QString& name, const QByteArray& bytes, bool executable = false)
    {
        QFile file(root.path() + QLatin1Char('/') + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
        if (executable)
            file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    }

    void setChineseFontInstalled(bool installed)
    {
        write(QStringLiteral("bin/fc-list"), installed ? "#!/bin/sh\necho 'Noto Sans CJK SC'\n" : "#!/bin/sh\nexit 0\n",
              true);
    }

    int runScript()
    {
        QProcess process;
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("HOME"), root.path() + QStringLiteral("/home"));
        environment.insert(QStringLiteral("PATH"), root.path() + QStringLiteral("/bin:/usr/bin:/bin"));
        environment.insert(QStringLiteral("FC_CACHE_LOG"), root.path() + QStringLiteral("/fc-cache.log"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral("/bin/sh"), {root.path() + QStringLiteral("/sp/chnfont.sh")});
        EXPECT_TRUE(process.waitForFinished(30000));
        output += process.readAll();
        return process.exitCode();
    }

    QString installedFont() const
    {
        return root.path() + QStringLiteral("/home/.local/share/fonts/velora/velora-cjk.otf");
    }
    QByteArray installedFontBytes() const
    {
        QFile font(installedFont());
        return font.open(QIODevice::ReadOnly) ? font.readAll() : QByteArray();
    }
    int cacheRuns() const
    {
        QFile log(root.path() + QStringLiteral("/fc-cache.log"));
        return log.open(QIODevice::ReadOnly) ? int(log.readAll().count('\n')) : 0;
    }

    QTemporaryDir root;
    QByteArray output;
};

}  // namespace

TEST_F(FontScript, InstallsTheShippedFontOnceAndQuietly)
{
    EXPECT_EQ(runScript(), 0);
    EXPECT_EQ(installedFontBytes(), QByteArray("stand-in font bytes"));
    EXPECT_EQ(cacheRuns(), 1);
    const QDateTime installedAt = QFileInfo(installedFont()).lastModified();

    EXPECT_EQ(runScript(), 0);
    EXPECT_EQ(cacheRuns(), 1);
    EXPECT_EQ(QFileInfo(installedFont()).lastModified(), installedAt);
    EXPECT_TRUE(output.isEmpty()) << output.toStdString();
    EXPECT_EQ(QDir(QFileInfo(installedFont()).path()).entryList(QDir::Files),
              (QStringList{QStringLiteral("OFL.txt"), QStringLiteral("velora-cjk.otf")}));
}

TEST_F(FontScript, LeavesASystemWithAChineseFontAlone)
{
    setChineseFontInstalled(true);
    EXPECT_EQ(runScript(), 0);
    EXPECT_FALSE(QFile::exists(installedFont()));
    EXPECT_EQ(cacheRuns(), 0);
}

TEST_F(FontScript, WithoutAShippedFontDoesNothing)
{
    ASSERT_TRUE(QFile::remove(root.path() + QStringLiteral("/sp/velora-cjk.otf")));
    EXPECT_EQ(runScript(), 0);
    EXPECT_FALSE(QDir(root.path() + QStringLiteral("/home/.local")).exists());
}

// Earlier subsets kept the full font's family name; where one is installed, a full Chinese font
// installed since is shadowed by it, so the script replaces it even then.
TEST_F(FontScript, ReplacesAnEarlierInstallEvenBesideAFullChineseFont)
{
    QDir().mkpath(QFileInfo(installedFont()).path());
    write(QStringLiteral("home/.local/share/fonts/velora/velora-cjk.otf"), "earlier subset named Noto Sans CJK SC");
    setChineseFontInstalled(true);
    EXPECT_EQ(runScript(), 0);
    EXPECT_EQ(installedFontBytes(), QByteArray("stand-in font bytes"));
    EXPECT_EQ(cacheRuns(), 1);
    EXPECT_TRUE(output.isEmpty()) << output.toStdString();
}

// The subset the build made for the demo catalogue, as fontconfig reads it: one family, its own,
// in every language; and it holds the catalogue's Chinese characters, not the whole font.
TEST(FontSubset, HasAFamilyOfItsOwnAndTheCatalogueCharacters)
{
    const QString font = testing_support::demoCatalogueDir() + QStringLiteral("/sp/velora-cjk.otf");
    ASSERT_TRUE(QFile::exists(font)) << "the build made no font subset (fontTools or fonts-noto-cjk missing)";
    QProcess scan;
    scan.start(QStringLiteral("fc-scan"),
               {QStringLiteral("--format"), QStringLiteral("%{family}|%{fullname}|%{postscriptname}|%{style}"), font});
    ASSERT_TRUE(scan.waitForFinished(30000));
    EXPECT_EQ(QString::fromUtf8(scan.readAllStandardOutput()),
              QStringLiteral("Velora CJK Subset|Velora CJK Subset|VeloraCJKSubset-Regular|Regular"));

    const QRawFont raw(font, 12);
    ASSERT_TRUE(raw.isValid());
    // The Chinese name of category 1 is in the catalogue; a rare character is not.
    for (const QChar character : QStringLiteral("农业、食品和海洋资源"))
        EXPECT_TRUE(raw.supportsCharacter(character)) << QString(character).toStdString();
    EXPECT_FALSE(raw.supportsCharacter(QChar(0x9F98)));
}
