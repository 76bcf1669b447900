// The data source shows the dataset's rows to views and follows its opening, closing and row.
#include "ado_query.h"
#include "catalogue_fixture.h"
#include "data_source.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace catalogue_fixture;

TEST(DataSource, PresentsTheOpenDatasetReadOnly)
{
    CatalogueFolder folder;
    writeCatalogue(folder.databasePath(), {});
    TADOQuery query;
    query.setConnectionString("Data Source=" + folder.databasePath());
    TDataSource source(&query);
    QSignalSpy resets(&source, &QAbstractItemModel::modelReset);
    QSignalSpy changes(&source, &TDataSource::DataChange);
    EXPECT_EQ(source.rowCount(), 0);
    EXPECT_EQ(source.columnCount(), 0);
    EXPECT_FALSE(source.AutoEdit());

    query.setSql("SELECT cn, ctrus FROM c WHERE cn > 8 ORDER BY cn DESC;");
    query.Open();
    EXPECT_EQ(resets.count(), 1);
    ASSERT_EQ(source.rowCount(), 3);
    ASSERT_EQ(source.columnCount(), 2);
    EXPECT_EQ(source.headerData(1, Qt::Horizontal).toString(), "ctrus");
    EXPECT_EQ(source.data(source.index(0, 0)).toString(), "11");
    EXPECT_EQ(source.data(source.index(2, 1)).toString(), "Категория 9");
    EXPECT_FALSE(source.flags(source.index(0, 0)) & Qt::ItemIsEditable);
    EXPECT_EQ(source.column("CTRUS"), 1);
    EXPECT_EQ(source.column("ct"), -1);

    EXPECT_EQ(source.currentRow(), 0);
    source.setCurrentRow(2);
    EXPECT_EQ(query.RecNo(), 2);
    query.First();
    EXPECT_EQ(source.currentRow(), 0);
    EXPECT_GE(changes.count(), 3);

    query.Close();
    EXPECT_EQ(resets.count(), 2);
    EXPECT_EQ(source.rowCount(), 0);
    EXPECT_EQ(source.columnCount(), 0);
    EXPECT_EQ(source.currentRow(), -1);
}
