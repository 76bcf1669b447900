#pragma once
// A catalogue folder of hand-made page files in a temporary folder, for the index tests.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

class CataloguePages {
public:
    CataloguePages() { QDir(m_dir.path()).mkpath(QStringLiteral("data")); }

    QString dir() const { return m_dir.path(); }
    QString path(const QString& relative) const { return m_dir.path() + QLatin1Char('/') + relative; }

    // Writes data/<name> as it stands (any character set).
    void writeBytes(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(QStringLiteral("data/") + name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(bytes), bytes.size());
    }

    // A UTF-8 page with a title and the body's HTML.
    void writePage(const QString& name, const QString& title, const QString& bodyHtml) const
    {
        writeBytes(name,
                   QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>%1</title></head>"
                                  "<body>%2</body></html>")
                       .arg(title, bodyHtml)
                       .toUtf8());
    }

private:
    QTemporaryDir m_dir;
};
