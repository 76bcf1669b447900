// The real program, through a session on a virtual display under strace, opens no file for
// writing outside the temporary and system folders (scripts/check-no-writes does the work).
#include <gtest/gtest.h>

#include "test_paths.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

using testing_support::buildDir;
using testing_support::programPath;
using testing_support::sourceDir;

TEST(NoWrites, SessionOfTheRealProgramWritesNoFile)
{
    for (const char* tool : {"strace", "xvfb-run", "xdotool", "python3"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            GTEST_SKIP() << tool << " is not installed";
    ASSERT_TRUE(QFileInfo::exists(programPath()));
    QProcess check;
    check.setProcessChannelMode(QProcess::MergedChannels);
    check.start(QStringLiteral("sh"), {sourceDir() + QStringLiteral("/scripts/check-no-writes"), buildDir()});
    ASSERT_TRUE(check.waitForFinished(180000));
    const QString output = QString::fromLocal8Bit(check.readAll());
    EXPECT_EQ(check.exitCode(), 0) << output.right(4000).toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("ok: nothing opened for writing"))) << output.right(4000).toStdString();
}
