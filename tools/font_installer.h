#pragma once
// Lays the Chinese font installer beside a built catalogue: sp/chnfont.sh from the sources and,
// when fontTools and a Noto Sans CJK font are at hand, a subset of that font holding exactly
// the characters the catalogue uses (sp/velora-cjk.otf), which the script installs.
#include <QString>

class FontInstaller {
public:
    static constexpr const char* kFontFileName = "velora-cjk.otf";

    // Throws std::runtime_error when the script cannot be written. Returns a notice when no
    // font could be made (the catalogue is still complete without it), else an empty text.
    static QString write(const QString& sourceFolder, const QString& destination, const QString& usedText);

private:
    static QString findCjkFont(int* faceIndex);
    static QString makeSubset(const QString& font, int faceIndex, const QString& characters, const QString& output);
};
