#pragma once
// The stem of a word for the index, the queries and the title suggestions alike: the word's lemma
// from the Hunspell dictionary of its script (ru_RU for a word with Cyrillic letters, en_US for
// any other), put through the Snowball stemmer of that language; a word the dictionary does not
// know goes through Snowball as it stands. So every form of a word the dictionary knows meets the
// others, and a word it does not know still meets its forms that Snowball joins.
//
// A word with several lemmas ("стали": сталь, стать) takes the first whose Snowball stem is the
// word's own Snowball stem, else the dictionary's first: the lemma nearest to the word's spelling.
// Words are looked up as written and, when unknown, with a capital first letter (names such as
// "москве"); "ё" is written "е" in every stem. Without the dictionaries the stem is Snowball's.
//
// Safe to use from several threads at once.
#include <QString>
#include <QStringList>

#include <memory>
#include <string>

namespace fulltext {

class WordForms {
public:
    // The dictionaries of the system (Debian's hunspell-ru and hunspell-en-us), loaded on first use
    // and shared by the whole process.
    static std::shared_ptr<const WordForms> Shared();

    // Reads ru_RU and en_US from the first of the folders that holds each; a dictionary found in
    // none is left out, and its words are stemmed by Snowball alone.
    explicit WordForms(const QStringList& dictionaryFolders);
    ~WordForms();
    WordForms(const WordForms&) = delete;
    WordForms& operator=(const WordForms&) = delete;

    // The stem of a word in lower case (UTF-8, as Xapian hands words to a stemmer).
    std::string Stem(const std::string& word) const;

    // Names the stemmer and the dictionaries it read (with their sizes), so that an index can record
    // it and a later program can tell whether its words would be stemmed the same way.
    std::string Description() const;

    // True when the dictionary of the language was read.
    bool HasRussianDictionary() const;
    bool HasEnglishDictionary() const;

    // Where the system keeps Hunspell dictionaries.
    static QStringList SystemDictionaryFolders();

private:
    class Dictionary;
    class Cache;
    std::string stemUncached(const std::string& word) const;

    std::unique_ptr<Dictionary> russian_;
    std::unique_ptr<Dictionary> english_;
    std::unique_ptr<Cache> cache_;
    std::string description_;
};

}  // namespace fulltext
