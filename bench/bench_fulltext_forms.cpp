// How often two forms of the same word meet on one stem, so that a search for one finds the other:
// the dictionary stemmer of the full-text index (Hunspell's lemma, then Snowball) against Snowball
// alone, its peer, on the same sample. The sample: kSample entries of each of Debian's ru_RU and
// en_US Hunspell dictionaries, chosen by a seeded generator so every run takes the same ones, every
// form of each expanded by Hunspell's `unmunch`, in lower case as the index hands words to its
// stemmer; forms that the index would cut into several words (with a hyphen, a space or a full
// stop) are left out. Also the share of forms that sit on their word's most common stem, and the
// time to stem every form once.
#include "word_forms.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int kSample = 3000;
const char* const kSentinel = "qqsentinelqq";

struct Share {
    long pairs = 0, pairsMet = 0;
    long forms = 0, formsOnMainStem = 0;
    double stemMs = 0;
};

// The forms of each sampled entry, in lower case; empty on failure (the reason on stderr).
std::vector<std::vector<std::string>> SampleForms(const QString& dictionary)
{
    const QString folder = QStringLiteral("/usr/share/hunspell/");
    QFile dic(folder + dictionary + QStringLiteral(".dic"));
    if (!dic.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: cannot read\n", qPrintable(dic.fileName()));
        return {};
    }
    QStringList entries = QString::fromUtf8(dic.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    entries.removeFirst();  // the count
    std::mt19937 random(2014);
    std::shuffle(entries.begin(), entries.end(), random);
    entries = entries.mid(0, kSample);
    // One entry, then a word without affixes that unmunch writes back alone, between the forms of
    // one entry and those of the next.
    QTemporaryDir scratch;
    QFile sample(scratch.filePath(QStringLiteral("sample.dic")));
    if (!sample.open(QIODevice::WriteOnly))
        return {};
    QTextStream out(&sample);
    out << entries.size() * 2 << '\n';
    for (const QString& entry : entries)
        out << entry << '\n' << kSentinel << '\n';
    out.flush();
    sample.close();
    const QStringList arguments{sample.fileName(), folder + dictionary + QStringLiteral(".aff")};
    std::printf("running: unmunch %s\n", qPrintable(arguments.join(QLatin1Char(' '))));
    QProcess unmunch;
    unmunch.setProcessChannelMode(QProcess::SeparateChannels);
    unmunch.start(QStringLiteral("unmunch"), arguments);
    if (!unmunch.waitForFinished(600000) || unmunch.exitCode() != 0) {
        std::fprintf(stderr, "unmunch failed (Debian package hunspell-tools)\n");
        return {};
    }
    std::vector<std::vector<std::string>> groups(1);
    for (const QString& line : QString::fromUtf8(unmunch.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (line == QLatin1String(kSentinel)) {
            groups.emplace_back();
            continue;
        }
        if (line.isEmpty() || line.contains(QLatin1Char('-')) || line.contains(QLatin1Char(' ')) ||
            line.contains(QLatin1Char('.')))
            continue;
        groups.back().push_back(line.toLower().toStdString());
    }
    return groups;
}

Share Measure(const std::vector<std::vector<std::string>>& groups, const fulltext::WordForms& stemmer)
{
    Share share;
    std::map<std::string, std::string> stems;
    QElapsedTimer timer;
    timer.start();
    for (const auto& group : groups)
        for (const std::string& form : group)
            if (!stems.count(form))
                stems[form] = stemmer.Stem(form);
    share.stemMs = double(timer.nsecsElapsed()) / 1e6;
    for (const auto& group : groups) {
        const std::set<std::string> distinct(group.begin(), group.end());
        const std::vector<std::string> forms(distinct.begin(), distinct.end());
        std::map<std::string, int> count;
        for (const std::string& form : forms)
            ++count[stems[form]];
        int most = 0;
        for (const auto& [stem, n] : count)
            most = std::max(most, n);
        share.forms += long(forms.size());
        share.formsOnMainStem += most;
        for (std::size_t a = 0; a < forms.size(); ++a)
            for (std::size_t b = a + 1; b < forms.size(); ++b) {
                ++share.pairs;
                share.pairsMet += stems[forms[a]] == stems[forms[b]] ? 1 : 0;
            }
    }
    return share;
}

double Percent(long part, long whole) { return whole > 0 ? 100.0 * double(part) / double(whole) : 0; }

}  // namespace

int main()
{
    const fulltext::WordForms dictionary(fulltext::WordForms::SystemDictionaryFolders());
    const fulltext::WordForms snowball(QStringList{});
    if (!dictionary.HasRussianDictionary() || !dictionary.HasEnglishDictionary()) {
        std::fprintf(stderr, "the Hunspell dictionaries ru_RU and en_US are not installed\n");
        return 1;
    }
    std::printf("stemmer: %s\npeer:    %s\n", dictionary.Description().c_str(), snowball.Description().c_str());
    for (const char* language : {"ru_RU", "en_US"}) {
        const auto groups = SampleForms(QString::fromLatin1(language));
        if (groups.empty())
            return 1;
        const Share ours = Measure(groups, dictionary);
        const Share peer = Measure(groups, snowball);
        std::printf("%s: %d entries, %ld forms, %ld pairs of forms of the same entry\n", language, kSample, ours.forms,
                    ours.pairs);
        std::printf("  %-36s %10s %10s\n", "", "dictionary", "Snowball");
        std::printf("  %-36s %9.2f%% %9.2f%%\n", "pairs of forms that meet", Percent(ours.pairsMet, ours.pairs),
                    Percent(peer.pairsMet, peer.pairs));
        std::printf("  %-36s %9.2f%% %9.2f%%\n", "forms on their word's main stem",
                    Percent(ours.formsOnMainStem, ours.forms), Percent(peer.formsOnMainStem, peer.forms));
        std::printf("  %-36s %7.0f ms %7.0f ms\n", "stemming every form once", ours.stemMs, peer.stemMs);
    }
    return 0;
}
