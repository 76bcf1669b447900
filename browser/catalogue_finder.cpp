#include "catalogue_finder.h"

CatalogueFinder::CatalogueFinder(QObject* parent)
    : CatalogueFinder(
          // Here, on its own thread, the opening also looks at every page file, so a page edited
          // in place since the index was written is never shown from it.
          [](const QString& catalogueDir) {
              return fulltext::TryOpenIndex(catalogueDir, fulltext::Verification::Pages).index;
          },
          [](const QString& catalogueDir, const std::function<void(int)>& progress, const std::atomic_bool& cancel) {
              return fulltext::BuildInMemory(catalogueDir, progress, cancel);
          },
          parent)
{}

CatalogueFinder::CatalogueFinder(Opener opener, Builder builder, QObject* parent)
    : QObject(parent), opener_(std::move(opener)), builder_(std::move(builder))
{}

CatalogueFinder::~CatalogueFinder()
{
    cancel_ = true;
    if (worker_.joinable())
        worker_.join();
}

void CatalogueFinder::Start(const QString& catalogueDir)
{
    if (state_ != State::NotStarted)
        return;
    catalogueDir_ = catalogueDir;
    state_ = State::Preparing;
    worker_ = std::thread([this, catalogueDir] { prepare(catalogueDir, true); });
}

void CatalogueFinder::Rebuild()
{
    if (state_ != State::Ready && state_ != State::Unavailable)
        return;
    // The worker has ended: it only runs while preparing.
    if (worker_.joinable())
        worker_.join();
    index_.reset();
    pagesRead_ = 0;
    state_ = State::Preparing;
    worker_ = std::thread([this, catalogueDir = catalogueDir_] { prepare(catalogueDir, false); });
}

void CatalogueFinder::prepare(const QString& catalogueDir, bool openFirst)
{
    std::unique_ptr<fulltext::CatalogueIndex> index;
    bool inMemory = false;
    // Nothing that goes wrong here reaches the user as an error: the search says it is not
    // available instead.
    try {
        if (openFirst)
            index = opener_(catalogueDir);
        if (!index && !cancel_) {
            inMemory = true;
            index = builder_(
                catalogueDir, [this](int pages) { pagesRead_ = pages; }, cancel_);
        }
    } catch (...) {
        index.reset();
    }
    if (cancel_)
        return;
    index_ = std::move(index);
    builtInMemory_ = inMemory;
    // index_ is written before the state says Ready, and read only after it does.
    state_ = index_ ? State::Ready : State::Unavailable;
    QMetaObject::invokeMethod(this, &CatalogueFinder::prepared, Qt::QueuedConnection);
}

std::shared_ptr<const fulltext::CatalogueIndex> CatalogueFinder::index() const
{
    return state_ == State::Ready ? index_ : nullptr;
}
