#pragma once
// The go-to box: a text "category.project" checked in a fixed order. The first failing check names
// the message to show; a text that passes every check names the project to open.
#include "catalogue_position.h"

#include <QString>

enum class GoToVerdict {
    Open,  // target is a project of the catalogue
    FormatShort,  // fewer than three characters (example 1.1)
    FormatNoCategory,  // nothing before the dot (example 1.2)
    FormatNoProject,  // nothing after the dot (example 1.3)
    FormatNotNumber,  // a part that is not a 32-bit decimal integer (example 1.4)
    CategoryOutside,  // category outside 1 to 11
    ProjectAboveCount,  // project above the category's count
    ProjectBelowOne,  // project below 1
};

struct GoToCheck {
    GoToVerdict verdict = GoToVerdict::FormatShort;
    // The category and project read, as far as they were read.
    CataloguePosition target;
    // The category's count, for ProjectAboveCount.
    std::int32_t count = 0;
};

GoToCheck CheckGoToText(const QString& text, const CategoryCounts& counts);

// The message of a failed check, Russian or English; empty for Open.
QString GoToMessageText(const GoToCheck& check, bool russian);
