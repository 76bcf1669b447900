// The Chinese font installer script: installs the shipped font once when no Chinese font is
// present, stays quiet, and leaves a system that has one alone.
#include "tool_run.h"

#include <QFileInfo>
#include <QTemporaryDir>

namespace {

class FontScript : public ::testing::Test {
protected:
    void SetUp() override
    {
        QDir().mkpath(root.path() + QStringLiteral("/sp"));
        QDir().mkpath(root.path() + QStringLiteral("/bin"));
        QDir().mkpath(root.path() + QStringLiteral("/home"));
        ASSERT_TRUE(QFile::copy(demoSources() + QStringLiteral("/sp/chnfont.sh"), root.path() + QStringLiteral("/sp/chnfont.sh")));
        write(QStringLiteral("sp/velora-cjk.otf"), "stand-in font bytes");
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
        write(QStringLiteral("bin/fc-list"),
              installed ? "#!/bin/sh\necho 'Noto Sans CJK SC'\n" : "#!/bin/sh\nexit 0\n", true);
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

    QString installedFont() const { return root.path() + QStringLiteral("/home/.local/share/fonts/velora/velora-cjk.otf"); }
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
    QFile font(installedFont());
    ASSERT_TRUE(font.open(QIODevice::ReadOnly));
    EXPECT_EQ(font.readAll(), QByteArray("stand-in font bytes"));
    EXPECT_EQ(cacheRuns(), 1);
    const QDateTime installedAt = QFileInfo(installedFont()).lastModified();

    EXPECT_EQ(runScript(), 0);
    EXPECT_EQ(cacheRuns(), 1);
    EXPECT_EQ(QFileInfo(installedFont()).lastModified(), installedAt);
    EXPECT_TRUE(output.isEmpty()) << output.toStdString();
    EXPECT_EQ(QDir(QFileInfo(installedFont()).path()).entryList(QDir::Files), QStringList{QStringLiteral("velora-cjk.otf")});
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
