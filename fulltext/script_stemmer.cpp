#include "script_stemmer.h"

#include "word_forms.h"

#include <memory>

namespace fulltext {

namespace {

class ByScript : public Xapian::StemImplementation {
public:
    explicit ByScript(std::shared_ptr<const WordForms> forms) : m_forms(std::move(forms)) {}
    std::string operator()(const std::string& word) override { return m_forms->Stem(word); }
    std::string get_description() const override { return m_forms->Description(); }

private:
    std::shared_ptr<const WordForms> m_forms;
};

}  // namespace

Xapian::Stem ScriptStemmer() { return Xapian::Stem(new ByScript(WordForms::Shared())); }

std::string ScriptStemmerName() { return WordForms::Shared()->Description(); }

}  // namespace fulltext
