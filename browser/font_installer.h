#pragma once
// The Chinese font installer: a script under the catalogue folder that the program starts and
// does not watch, the restart notice that follows, and the re-reading of the installed fonts.
#include <QString>
#include <cstdint>

// ExeDir + "sp/chnfont.sh" ("sp\chnfont.bat" on Windows); exeDir ends with the separator.
QString FontInstallerPath(const QString& exeDir);

// Starts the installer detached, without a window and with its output discarded. Returns
// whether the process could be started; callers do not report a failure.
bool StartFontInstaller(const QString& exeDir);

// "Пожалуйста, перезапустите программу" in Russian, "Please, restart a programm" in English,
// nothing in Chinese mode.
QString FontRestartMessage(std::uint8_t language);

// Makes this process see fonts installed since it started: fontconfig re-reads its
// configuration and Qt rebuilds its list of font families. On Windows and macOS it does nothing.
void ReloadFontConfiguration();
