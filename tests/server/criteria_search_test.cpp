// The criteria search of the web on the demo catalogue: every project found with the position whose
// page shows it, pages of results that follow on, and arguments outside their range refused.
#include "ado_query.h"
#include "criteria_search.h"
#include "page_names.h"
#include "page_text.h"
#include "project_counts.h"
#include "test_paths.h"

#include <QFile>

#include <set>

#include <gtest/gtest.h>

namespace {

QString PageTitleOf(CataloguePosition at, const QString& letter)
{
    QFile page(testing_support::demoCatalogueDir() + QStringLiteral("/data/") +
               PageFileName(at.category, at.position, letter));
    return page.open(QIODevice::ReadOnly) ? fulltext::ExtractPageText(page.readAll()).title.simplified() : QString();
}

Request RequestWith(std::vector<std::pair<QString, QString>> arguments)
{
    Request request;
    request.method = "GET";
    request.arguments = std::move(arguments);
    return request;
}

}  // namespace

TEST(CriteriaSearch, EveryProjectIsFoundWithThePositionOfItsPage)
{
    const QString dir = testing_support::demoCatalogueDir();
    CategoryCounts counts{};
    TADOQuery query;
    ASSERT_TRUE(LoadProjectCounts(query, dir + u'/', counts));
    for (const char* code : {"rus", "eng"}) {
        const QString letter = QLatin1String(code) == QLatin1String("rus") ? QStringLiteral("r") : QStringLiteral("e");
        SearchCriteria all;
        all.sortIndex = 1;
        const FoundProjects found = RunCriteriaSearch(dir, all, QLatin1String(code), 0, 100000);
        int projects = 0;
        for (int category = 1; category <= 11; ++category)
            projects += counts[std::size_t(category)];
        EXPECT_EQ(found.total, projects);
        ASSERT_EQ(int(found.rows.size()), projects);
        std::set<std::pair<int, int>> positions;
        for (const FoundProject& project : found.rows) {
            positions.insert({project.position.category, project.position.position});
            EXPECT_EQ(project.title, PageTitleOf(project.position, letter)) << code;
            EXPECT_FALSE(project.category.isEmpty());
            EXPECT_FALSE(project.organisation.isEmpty());
        }
        EXPECT_EQ(int(positions.size()), projects);

        // A page of results further on is that part of the whole list.
        const FoundProjects part = RunCriteriaSearch(dir, all, QLatin1String(code), 10, 5);
        EXPECT_EQ(part.total, projects);
        ASSERT_EQ(part.rows.size(), 5u);
        for (int i = 0; i < 5; ++i)
            EXPECT_EQ(part.rows[std::size_t(i)].position, found.rows[std::size_t(10 + i)].position);
    }
}

TEST(CriteriaSearch, ArgumentsAreReadOrRefusedByName)
{
    const CriteriaRequest read =
        ReadCriteriaRequest(RequestWith({{QStringLiteral("title"), QStringLiteral("rock'n'roll")},
                                         {QStringLiteral("cat"), QStringLiteral("11")},
                                         {QStringLiteral("dep"), QStringLiteral("7")},
                                         {QStringLiteral("sort"), QStringLiteral("person")},
                                         {QStringLiteral("start"), QStringLiteral("50")}}));
    EXPECT_TRUE(read.submitted);
    EXPECT_TRUE(read.badArgument.isEmpty());
    EXPECT_EQ(read.criteria.title, "rock'n'roll");
    EXPECT_EQ(read.criteria.categoryIndex, 11);
    EXPECT_EQ(read.criteria.departmentIndex, 7);
    EXPECT_EQ(read.criteria.sortIndex, 2);
    EXPECT_EQ(read.start, 50);

    EXPECT_FALSE(ReadCriteriaRequest(RequestWith({})).submitted);
    EXPECT_EQ(ReadCriteriaRequest(RequestWith({{QStringLiteral("cat"), QStringLiteral("12")}})).badArgument, "cat");
    EXPECT_EQ(ReadCriteriaRequest(RequestWith({{QStringLiteral("dep"), QStringLiteral("-1")}})).badArgument, "dep");
    EXPECT_EQ(ReadCriteriaRequest(RequestWith({{QStringLiteral("sort"), QStringLiteral("title")}})).badArgument,
              "sort");
    EXPECT_EQ(ReadCriteriaRequest(RequestWith({{QStringLiteral("start"), QStringLiteral("1e3")}})).badArgument,
              "start");
    EXPECT_EQ(ReadCriteriaRequest(RequestWith({{QStringLiteral("cat"), QStringLiteral(" 5")}})).badArgument, "cat");
}
