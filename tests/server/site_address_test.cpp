// Reading the site's addresses, and which files below data/ the server may hand out.
#include "site_address.h"
#include "stored_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(SiteAddress, PlacesBelowTheBasePath)
{
    const QString base = QStringLiteral("/cat");
    EXPECT_EQ(ReadSiteAddress(u"/cat/", base).place, Place::LanguageChoice);
    EXPECT_EQ(ReadSiteAddress(u"/cat", base).place, Place::AddSlash);
    EXPECT_EQ(ReadSiteAddress(u"/cat/en", base).place, Place::AddSlash);
    EXPECT_EQ(ReadSiteAddress(u"/catalogue/en/", base).place, Place::Nowhere);
    EXPECT_EQ(ReadSiteAddress(u"/en/5.12", base).place, Place::Nowhere);
    const SiteAddress home = ReadSiteAddress(u"/cat/zh/", base);
    EXPECT_EQ(home.place, Place::LanguageHome);
    ASSERT_NE(home.language, nullptr);
    EXPECT_EQ(home.language->letter, "c");
    const SiteAddress position = ReadSiteAddress(u"/cat/en/5.12", base);
    EXPECT_EQ(position.place, Place::Position);
    EXPECT_EQ(position.position, (CataloguePosition{5, 12}));
    EXPECT_EQ(ReadSiteAddress(u"/cat/ru/go", base).place, Place::GoTo);
    EXPECT_EQ(ReadSiteAddress(u"/cat/ru/search", base).place, Place::CriteriaSearch);
    EXPECT_EQ(ReadSiteAddress(u"/cat/ru/find", base).place, Place::FullTextSearch);
    EXPECT_EQ(ReadSiteAddress(u"/cat/suggest", base).place, Place::Suggest);
    EXPECT_EQ(ReadSiteAddress(u"/cat/healthz", base).place, Place::Health);
    const SiteAddress file = ReadSiteAddress(u"/cat/data/img/p05012.svg", base);
    EXPECT_EQ(file.place, Place::DataFile);
    EXPECT_EQ(file.file, "img/p05012.svg");
    const SiteAddress framed = ReadSiteAddress(u"/cat/en/page/05012e.html", base);
    EXPECT_EQ(framed.place, Place::PageFolder);
    EXPECT_EQ(framed.file, "05012e.html");
    EXPECT_EQ(ReadSiteAddress(u"/cat/de/5.12", base).place, Place::Nowhere);
}

TEST(SiteAddress, PositionsAreWrittenOneWayOnly)
{
    EXPECT_EQ(ReadPositionText(u"0.1"), (CataloguePosition{0, 1}));
    EXPECT_EQ(ReadPositionText(u"11.0"), (CataloguePosition{11, 0}));
    EXPECT_EQ(ReadPositionText(u"5.999"), (CataloguePosition{5, 999}));
    for (const char16_t* text : {u"5.012", u"05.12", u"5.", u".5", u"5", u"5.1.2", u"+5.1", u"5.-1", u"5. 1", u"123.1",
                                 u"5.1234567890", u"٥.١"})
        EXPECT_FALSE(ReadPositionText(text)) << QString::fromUtf16(text).toStdString();
    EXPECT_EQ(PositionText({5, 12}), "5.12");
}

TEST(SiteAddress, NoWayOutOfTheDataFolder)
{
    for (const char16_t* path :
         {u"/data/../velora2014.mdb", u"/data/img/../../velora2014.mdb", u"/data/./style.css", u"/data/.hidden",
          u"/data/img//p05012.svg", u"/data/", u"/data/a\\..\\b", u"/en/page/../../velora2014.mdb", u"/data/a\u0001b"})
        EXPECT_EQ(ReadSiteAddress(path, QString()).place, Place::Nowhere) << QString::fromUtf16(path).toStdString();
    // Escapes that decode to a NUL, a slash or a backslash are refused before any decoding counts.
    EXPECT_TRUE(HasForbiddenEscape("/data/img%2Fp05012.svg"));
    EXPECT_TRUE(HasForbiddenEscape("/data/..%5cvelora2014.mdb"));
    EXPECT_TRUE(HasForbiddenEscape("/data/style.css%00.html"));
    EXPECT_FALSE(HasForbiddenEscape("/en/find?q=a%2Fb%00"));
    EXPECT_FALSE(HasForbiddenEscape("/data/%D0%B0.html"));
}

TEST(SiteAddress, BasePathsArePlainAbsolutePaths)
{
    EXPECT_EQ(CanonicalBasePath(QStringLiteral("/")), QString());
    EXPECT_EQ(CanonicalBasePath(QStringLiteral("/catalogue/")), QStringLiteral("/catalogue"));
    EXPECT_EQ(CanonicalBasePath(QStringLiteral("/a/b-c_d")), QStringLiteral("/a/b-c_d"));
    for (const char* text : {"", "catalogue", "/a//b", "/a/../b", "/a b", "/a?b", "/a#b", "/a%2f"})
        EXPECT_FALSE(CanonicalBasePath(QString::fromLatin1(text))) << text;
}

TEST(StoredFiles, OnlyRegularFilesThatStayInsideTheFolder)
{
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const QString data = root.path() + QStringLiteral("/data");
    ASSERT_TRUE(QDir().mkpath(data + QStringLiteral("/img")));
    const auto write = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
    };
    ASSERT_TRUE(write(data + QStringLiteral("/img/p.svg")));
    ASSERT_TRUE(write(root.path() + QStringLiteral("/velora2014.mdb")));
    ASSERT_TRUE(QFile::link(QStringLiteral("../velora2014.mdb"), data + QStringLiteral("/out.html")));
    ASSERT_TRUE(QFile::link(QStringLiteral("/etc"), data + QStringLiteral("/etc")));
    ASSERT_TRUE(QFile::link(QStringLiteral("img/p.svg"), data + QStringLiteral("/in.svg")));
    ASSERT_TRUE(QFile::link(QStringLiteral("../img"), data + QStringLiteral("/img/up")));

    const StoredFolder folder(data);
    const std::optional<StoredFile> picture = folder.Open(QStringLiteral("img/p.svg"));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->size, 1);
    EXPECT_EQ(picture->file->read(10), "x");
    EXPECT_TRUE(folder.Open(QStringLiteral("in.svg")));
    EXPECT_TRUE(folder.Open(QStringLiteral("img/up/p.svg")));
    EXPECT_FALSE(folder.Open(QStringLiteral("out.html")));
    EXPECT_FALSE(folder.Open(QStringLiteral("etc/passwd")));
    EXPECT_FALSE(folder.Open(QStringLiteral("img")));
    EXPECT_FALSE(folder.Open(QStringLiteral("missing.html")));
    EXPECT_FALSE(folder.Open(QStringLiteral("../velora2014.mdb")));
    EXPECT_FALSE(StoredFolder(root.path() + QStringLiteral("/none")).Open(QStringLiteral("img/p.svg")));
    EXPECT_EQ(ContentTypeOfName(QStringLiteral("05012e.html")), "text/html");
    EXPECT_EQ(ContentTypeOfName(QStringLiteral("img/P05012.SVG")), "image/svg+xml");
    EXPECT_EQ(ContentTypeOfName(QStringLiteral("velora2014.mdb")), "application/octet-stream");
}
