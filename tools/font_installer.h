#pragma once
// Lays the Chinese font installer beside a built catalogue: sp/chnfont.sh from the sources and,
// when fontTools and a Noto Sans CJK font are at hand, a subset of that font holding exactly
// the characters the catalogue uses (sp/velora-cjk.otf), which the script installs, with its
// licence beside it (sp/OFL.txt). The subset takes a family name of its own, so that a full
// Chinese font installed later is never shadowed by it.
#include <QString>

class FontInstaller {
public:
    static constexpr const char* kFontFileName = "velora-cjk.otf";
    static constexpr const char* kLicenceFileName = "OFL.txt";
    static constexpr const char* kFamily = "Velora CJK Subset";

    // Throws std::runtime_error when the script cannot be written. Returns a notice when no
    // font could be made (the catalogue is still complete without it), else an empty text.
    static QString write(const QString& sourceFolder, const QString& destination, const QString& usedText);

private:
    static QString findCjkFont(int* faceIndex);
    static QString makeSubset(const QString& font, int faceIndex, const QString& characters, const QString& spFolder);
    static bool writeLicence(const QString& path, const QString& sourceFamily, const QString& copyrightNotice);
};
