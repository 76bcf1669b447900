#pragma once
// Varied description text for generated catalogues: sentences drawn from a small technical
// vocabulary, the same words in the three languages (Russian in several grammatical forms), so a
// large catalogue gives a full-text index realistic work. The same number always gives the same text.
#include "catalogue_content.h"

#include <cstdint>

// Two to four paragraphs in each language, separated by blank lines.
PerLanguage SyntheticDescription(std::uint32_t number);
