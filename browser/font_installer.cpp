#include "font_installer.h"

#include "languages.h"

#include <QDir>
#include <QFontDatabase>
#include <QProcess>

#if defined(Q_OS_WIN)
#include <windows.h>
#elif !defined(Q_OS_MACOS)
#include <dlfcn.h>
#endif

QString FontInstallerPath(const QString& exeDir)
{
#if defined(Q_OS_WIN)
    return exeDir + QStringLiteral("sp\\chnfont.bat");
#else
    return exeDir + QStringLiteral("sp") + QDir::separator() + QStringLiteral("chnfont.sh");
#endif
}

bool StartFontInstaller(const QString& exeDir)
{
    QProcess process;
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
#if defined(Q_OS_WIN)
    process.setProgram(QStringLiteral("cmd.exe"));
    process.setArguments({QStringLiteral("/c"), FontInstallerPath(exeDir)});
    process.setCreateProcessArgumentsModifier(
        [](QProcess::CreateProcessArguments* args) { args->flags |= CREATE_NO_WINDOW; });
#else
    process.setProgram(QStringLiteral("/bin/sh"));
    process.setArguments({FontInstallerPath(exeDir)});
#endif
    return process.startDetached();
}

QString FontRestartMessage(std::uint8_t language)
{
    switch (language) {
    case LangRussian: return QStringLiteral("Пожалуйста, перезапустите программу");
    case LangEnglish: return QStringLiteral("Please, restart a programm");
    default: return QString();
    }
}

void ReloadFontConfiguration()
{
#if !defined(Q_OS_WIN) && !defined(Q_OS_MACOS)
    // Qt's font database on this platform loads fontconfig; look it up in the process rather
    // than linking it a second time.
    using Reinitialize = int (*)();
    if (auto reinitialize = reinterpret_cast<Reinitialize>(dlsym(RTLD_DEFAULT, "FcInitReinitialize")))
        reinitialize();
    // Qt keeps its list of families until its application fonts change: an empty registration
    // (which fails, leaving an empty entry) followed by clearing them makes it read the list
    // again from fontconfig. The program registers no application fonts of its own.
    QFontDatabase::addApplicationFontFromData(QByteArray());
    QFontDatabase::removeAllApplicationFonts();
#endif
}
