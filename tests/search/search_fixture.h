#pragma once
// A main window over a small catalogue database in a temporary folder, and its search window.
#include "main_window.h"
#include "search_window.h"
#include "session.h"
#include "test_support.h"

#include <QTemporaryDir>
#include <memory>

class SearchWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Runs a search and returns the count shown.
    QString find();

    Session session;
    QTemporaryDir folder;
    std::unique_ptr<TForm1> form;
    TfrmSearch* search = nullptr;  // owned by form
};

// Writes the catalogue's tables with four projects into a database file.
void WriteSmallCatalogue(const QString& path);
