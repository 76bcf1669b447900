#pragma once
// Holds the catalogue's project titles for the find bar's suggestions. Start reads them on a
// thread of their own, so the window never waits; until they are read nothing is offered.
#include "title_suggestions.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class TitleSuggester : public QObject {
    Q_OBJECT
public:
    using Opener = std::function<std::unique_ptr<fulltext::TitleSuggestions>(const QString& catalogueDir)>;

    // With the index library's own reader of titles.
    explicit TitleSuggester(QObject* parent = nullptr);
    TitleSuggester(Opener opener, QObject* parent = nullptr);
    // Waits for a reading under way: it cannot be cut short.
    ~TitleSuggester() override;

    // Starts reading the titles of the catalogue folder; later calls do nothing.
    void Start(const QString& catalogueDir);
    bool ready() const { return ready_.load(); }
    // The titles matching text, in the language of page letter `letter`; none until ready.
    std::vector<fulltext::Suggestion> Suggest(const QString& text, const QString& letter, int limit) const;

private:
    Opener opener_;
    std::atomic_bool started_{false};
    std::atomic_bool ready_{false};
    std::unique_ptr<fulltext::TitleSuggestions> titles_;
    std::thread worker_;
};
