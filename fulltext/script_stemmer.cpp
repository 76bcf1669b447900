#include "script_stemmer.h"

namespace fulltext {

namespace {

bool HasCyrillic(const std::string& word)
{
    for (Xapian::Utf8Iterator it(word); it != Xapian::Utf8Iterator(); ++it)
        if (*it >= 0x400 && *it <= 0x52F)
            return true;
    return false;
}

class ByScript : public Xapian::StemImplementation {
public:
    std::string operator()(const std::string& word) override
    {
        return HasCyrillic(word) ? m_russian(word) : m_english(word);
    }
    std::string get_description() const override { return "russian+english"; }

private:
    Xapian::Stem m_russian{"russian"};
    Xapian::Stem m_english{"english"};
};

}  // namespace

Xapian::Stem ScriptStemmer() { return Xapian::Stem(new ByScript); }

}  // namespace fulltext
