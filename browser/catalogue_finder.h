#pragma once
// Holds the catalogue's full-text index for the browser. Start opens the catalogue's own index
// (index/ beside data/) and, when there is none or it does not match the page files, builds one
// in memory; both run on a thread of their own, so the window never waits. An index that proves
// damaged or out of date while it is searched is replaced by one built in memory (Rebuild). The
// build stops within a moment when the holder is destroyed.
#include "catalogue_index.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

class CatalogueFinder : public QObject {
    Q_OBJECT
public:
    using Opener = std::function<std::unique_ptr<fulltext::CatalogueIndex>(const QString& catalogueDir)>;
    using Builder = std::function<std::unique_ptr<fulltext::CatalogueIndex>(
        const QString& catalogueDir, const std::function<void(int)>& progress, const std::atomic_bool& cancel)>;

    enum class State { NotStarted, Preparing, Ready, Unavailable };

    // With the index library's own opener and builder.
    explicit CatalogueFinder(QObject* parent = nullptr);
    CatalogueFinder(Opener opener, Builder builder, QObject* parent = nullptr);
    ~CatalogueFinder() override;

    // Starts preparing the index of the catalogue folder; later calls do nothing.
    void Start(const QString& catalogueDir);

    State state() const { return state_.load(); }
    // Pages read so far by the build in memory.
    int pagesRead() const { return pagesRead_.load(); }
    // True when the index was built in memory rather than opened from the catalogue.
    bool builtInMemory() const { return builtInMemory_.load(); }
    // The index once ready, else null. A search on another thread keeps it for as long as it runs.
    std::shared_ptr<const fulltext::CatalogueIndex> index() const;

    // The index proved damaged or out of date while it was searched: builds one in memory from
    // the page files as they are now. Does nothing before Start or while preparing.
    void Rebuild();

signals:
    // The state has left Preparing (Ready or Unavailable).
    void prepared();

private:
    void prepare(const QString& catalogueDir, bool openFirst);

    Opener opener_;
    Builder builder_;
    std::atomic<State> state_{State::NotStarted};
    std::atomic_int pagesRead_{0};
    std::atomic_bool builtInMemory_{false};
    std::atomic_bool cancel_{false};
    std::shared_ptr<const fulltext::CatalogueIndex> index_;
    QString catalogueDir_;
    std::thread worker_;
};
