// The document list screen over a private device root: a Lists folder, the screen's rows as texts,
// and points on the rows to tap.
#pragma once

#include "support/DeviceRootFixture.h"

#include "platform/ui/Resources.h"
#include "shell/ListFilesDlg.h"
#include "shell/ListFolderListing.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace shelltest {

using Row = std::vector<std::u16string>;

inline constexpr std::u16string_view kLists = u"\\Program Files\\Corvina\\Lists";

/// A device root with an empty Lists folder and its listing.
class ListFilesScreenTest : public DeviceRootTest {
protected:
    void SetUp() override {
        DeviceRootTest::SetUp();
        InstallProgramResources();
        MakeFolder(kLists);
        m_listing = std::make_unique<CListFolderListing>(Device(), std::u16string(kLists), u"*.crv");
    }
    void TearDown() override {
        m_listing.reset();
        DeviceRootTest::TearDown();
    }

    std::u16string Path(std::u16string_view name) const {
        return std::u16string(kLists) + u"\\" + std::u16string(name);
    }

    static std::vector<Row> Rows(CListFilesDlg& screen) {
        CListFilesCtrl& list = screen.GetListCtrl();
        std::vector<Row> rows;
        for (int row = 0; row < list.GetItemCount(); ++row) {
            rows.push_back({list.GetItemText(row, 0), list.GetItemText(row, 1), list.GetItemText(row, 2)});
        }
        return rows;
    }

    static CPoint RowPoint(CListFilesDlg& screen, int row) {
        CRect rect;
        EXPECT_TRUE(screen.GetListCtrl().GetItemRect(row, &rect));
        return {rect.left + rect.Width() / 2, rect.top + rect.Height() / 2};
    }

    // A point in the list control below its last row.
    static CPoint BelowRows(CListFilesDlg& screen) {
        CListFilesCtrl& list = screen.GetListCtrl();
        CRect last;
        EXPECT_TRUE(list.GetItemRect(list.GetItemCount() - 1, &last));
        CRect client;
        list.GetClientRect(&client);
        EXPECT_LT(last.bottom + 10, client.bottom);
        return {client.Width() / 2, last.bottom + 10};
    }

    std::unique_ptr<CListFolderListing> m_listing;
};

} // namespace shelltest
