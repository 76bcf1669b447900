#pragma once
// What the server reads out of a page file again and again, its declared character set and its
// title, remembered by file name for as long as the file's size and time of change stay the same.
// At most a fixed number of files are remembered, more than any catalogue has pages, so memory is
// bounded by the catalogue and not by the traffic; the answers are the same as without it.
#include <QByteArray>
#include <QHash>
#include <QString>

#include <functional>
#include <shared_mutex>

class PageFacts {
public:
    struct Facts {
        QByteArray charset;  // lower case; empty when the page declares none
        QString title;  // on one line
    };

    // The facts of the page named `name`; `read` gives its bytes when they are not known for this
    // size and time of change.
    Facts Of(const QString& name, qint64 size, qint64 modifiedNs, const std::function<QByteArray()>& read) const;

private:
    struct Entry {
        qint64 size = 0;
        qint64 modifiedNs = 0;
        Facts facts;
    };
    static constexpr qsizetype kMostEntries = 200000;
    mutable std::shared_mutex mutex_;
    mutable QHash<QString, Entry> entries_;
};
