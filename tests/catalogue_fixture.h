#pragma once

#include "catalogue/manage_qel_file_info.h"
#include "catalogue/memory_list_view.h"

#include <gtest/gtest.h>

// A catalogue with its two lists, as the window or the command line sets it up.
struct CatalogueFixture : ::testing::Test {
    MemoryListView sourceRows;
    MemoryListView resultRows;
    CManageQELFileInfo catalogue;

    void SetUp() override { catalogue.initCatalogue(&sourceRows, &resultRows, "/tmp/x.Ini"); }
};
