#pragma once
// Writing catalogueDir/index safely: one writer at a time, leftovers of a run that was killed
// removed by the next, and the complete new index put in the old one's place in one step, so
// that a reader finds the old index or the new one, never none and never a part. No widget.
#include <QString>

#include <memory>

class QLockFile;

namespace fulltext {

// Holds catalogueDir/index.lock for as long as it lives. A second writer, in this process or
// another, is refused at once with std::runtime_error naming the process that holds the lock; a
// lock left by a process that has ended is taken over.
class IndexWriteLock {
public:
    explicit IndexWriteLock(const QString& catalogueDir);
    ~IndexWriteLock();
    IndexWriteLock(const IndexWriteLock&) = delete;
    IndexWriteLock& operator=(const IndexWriteLock&) = delete;

private:
    std::unique_ptr<QLockFile> lock_;
};

// The folders a write works in beside the index: the shards being filled, the compacted index
// before it is put in place, and the old index on its way out.
QString DraftFolder(const QString& catalogueDir);
QString FreshFolder(const QString& catalogueDir);
QString RetiredFolder(const QString& catalogueDir);

// Removes those folders, as a run that was killed leaves them; call with the lock held.
void RemoveLeftovers(const QString& catalogueDir);

// Puts the folder `fresh` in the place of `target` in one step and removes the old target.
// Throws std::runtime_error when it cannot.
void ReplaceFolder(const QString& fresh, const QString& target);

}  // namespace fulltext
