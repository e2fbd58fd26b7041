// Resource tests: every dialog template, menu, menu bar and shortcut table is walked and checked
// against the string table and the pictures; the fixed texts and picture sizes are pinned.
#include "platform/core/Strings.h"
#include "platform/ui/Bitmap.h"
#include "platform/ui/DC.h"
#include "platform/ui/Resources.h"
#include "platform/ui/testing/PictureProbe.h"
#include "res/ResourceIds.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>
#include <string>

namespace {

class ProgramResourceTables : public ::testing::Test {
protected:
    void SetUp() override { InstallProgramResources(); }
    const ResourceTables& tables = ProgramResources();
};

/// Command ids live in the program's range or the framework's.
constexpr std::uint16_t kFirstProgramCommand = 0x8000;
constexpr std::uint16_t kFirstFrameworkCommand = 0xE000;
bool IsCommandId(std::uint16_t id) {
    return id >= kFirstProgramCommand;
}
bool IsFrameworkCommand(std::uint16_t id) {
    return id >= kFirstFrameworkCommand;
}

/// Class names a template may use: the platform's controls and the check-tree control.
bool IsKnownClass(std::u16string_view name) {
    return name == kStaticClass || name == kEditClass || name == kButtonClass || name == kListViewClass ||
           name == u"MFCVisualTreeCtrl";
}

void WalkMenuItems(std::span<const MenuItemTemplate> items, std::set<std::uint16_t>& commands,
                   const std::string& where) {
    ASSERT_FALSE(items.empty()) << where << ": a popup with nothing in it";
    EXPECT_FALSE(items.front().IsSeparator()) << where << ": a popup starting with a separator";
    EXPECT_FALSE(items.back().IsSeparator()) << where << ": a popup ending with a separator";
    for (const MenuItemTemplate& item : items) {
        if (item.IsSeparator()) {
            EXPECT_EQ(item.command, 0) << where;
            EXPECT_TRUE(item.text.empty()) << where;
            continue;
        }
        EXPECT_FALSE(item.text.empty()) << where << ": an item without text";
        if (item.IsPopup()) {
            WalkMenuItems(item.popup, commands, where + " > popup");
            continue;
        }
        EXPECT_TRUE(IsCommandId(item.command)) << where << ": command " << item.command;
        EXPECT_TRUE(commands.insert(item.command).second)
            << where << ": command " << item.command << " twice";
    }
}

} // namespace

TEST_F(ProgramResourceTables, StringIdsAreUniqueAndTextsNotEmpty) {
    std::set<std::uint16_t> ids;
    for (const StringResource& entry : tables.strings) {
        EXPECT_TRUE(ids.insert(entry.id).second) << "string " << entry.id << " twice";
        EXPECT_FALSE(entry.text.empty()) << "string " << entry.id;
    }
}

TEST_F(ProgramResourceTables, EveryMenuIsWellFormedAndUsesEachCommandOnce) {
    for (const MenuTemplate& menu : tables.menus) {
        std::set<std::uint16_t> commands;
        const std::string where = "menu " + std::to_string(menu.id);
        for (const MenuItemTemplate& top : menu.items) {
            EXPECT_TRUE(top.IsPopup()) << where << ": a menu bar's menu holds popups only";
            WalkMenuItems(top.popup, commands, where + " " + ToUtf8(top.text));
        }
    }
}

TEST_F(ProgramResourceTables, CommandDescriptionsExistForTheDescribedCommands) {
    for (std::uint16_t command : {ID_FILE_NEW, ID_FILE_OPEN, ID_DOCUMENT_RENAME, ID_DOCUMENT_EXPORT,
                                  ID_DOCUMENT_DELETE, ID_LIST_CHECKALL, ID_LIST_UNCHECKALL, ID_LIST_ADDITEM,
                                  ID_ITEM_MOVEUP, ID_ITEM_MOVEDOWN, ID_FILE_SAVE, ID_FILE_SAVE_AS}) {
        EXPECT_TRUE(FindStringResource(command).has_value())
            << "command " << command << " has no description";
    }
    // Every described command is one a menu offers, so no description is left orphaned.
    std::set<std::uint16_t> offered;
    for (const MenuTemplate& menu : tables.menus) {
        for (const MenuItemTemplate& top : menu.items) {
            for (const MenuItemTemplate& item : top.popup) {
                offered.insert(item.command);
            }
        }
    }
    for (const StringResource& entry : tables.strings) {
        if (IsCommandId(entry.id) && offered.count(entry.id) == 0 && !IsFrameworkCommand(entry.id)) {
            // Program-range strings that are not commands are menu-bar labels.
            bool isLabel = false;
            for (const MenuBarTemplate& bar : tables.menuBars) {
                for (const MenuBarButtonTemplate& button : bar.buttons) {
                    isLabel = isLabel || button.labelStringId == entry.id;
                }
            }
            EXPECT_TRUE(isLabel) << "string " << entry.id << " describes no command and labels no button";
        }
    }
}

TEST_F(ProgramResourceTables, MenuBarsPointAtExistingPopupsAndLabels) {
    for (const MenuBarTemplate& bar : tables.menuBars) {
        const MenuTemplate* menu = FindMenu(bar.menuId);
        ASSERT_NE(menu, nullptr) << "menu bar " << bar.id;
        EXPECT_EQ(bar.buttons.size(), menu->items.size()) << "one button per popup, menu bar " << bar.id;
        for (const MenuBarButtonTemplate& button : bar.buttons) {
            ASSERT_LT(button.popupIndex, menu->items.size()) << "menu bar " << bar.id;
            if (button.labelStringId != 0) {
                EXPECT_TRUE(FindStringResource(button.labelStringId).has_value()) << button.labelStringId;
            }
            EXPECT_EQ(MenuBarButtonLabel(bar, button),
                      StripMenuAmpersands(menu->items[button.popupIndex].text))
                << "a button's label is its popup's title";
        }
    }
}

TEST_F(ProgramResourceTables, EveryDialogTemplateNamesKnownControlsPicturesAndUniqueIds) {
    for (const DialogTemplate& dialog : tables.dialogs) {
        const std::string where = "dialog " + std::to_string(dialog.id);
        EXPECT_FALSE(dialog.caption.empty()) << where;
        EXPECT_GT(dialog.cx, 0) << where;
        EXPECT_GT(dialog.cy, 0) << where;
        EXPECT_EQ(dialog.fontFace, u"System") << where;
        EXPECT_EQ(dialog.fontPointSize, 8) << where;
        std::set<std::uint16_t> ids;
        for (const DialogItemTemplate& item : dialog.items) {
            EXPECT_TRUE(IsKnownClass(item.className)) << where << " control " << item.id;
            EXPECT_GT(item.cx, 0) << where << " control " << item.id;
            EXPECT_GT(item.cy, 0) << where << " control " << item.id;
            if (item.id != IDC_STATIC) {
                EXPECT_TRUE(ids.insert(item.id).second) << where << ": control " << item.id << " twice";
                EXPECT_FALSE(IsCommandId(item.id)) << where << ": control id in the command range";
            }
            const bool isPicture = item.className == kStaticClass && (item.style & SS_TYPEMASK) == SS_BITMAP;
            if (isPicture) {
                CBitmap picture;
                EXPECT_TRUE(picture.LoadBitmap(item.resourceId)) << where << ": picture " << item.resourceId;
            } else {
                EXPECT_EQ(item.resourceId, 0) << where << " control " << item.id;
            }
        }
    }
}

TEST_F(ProgramResourceTables, LookupFindsEachKindByNumberAndNothingElse) {
    ASSERT_NE(FindDialogTemplate(IDD_LISTFILES), nullptr);
    EXPECT_EQ(FindDialogTemplate(IDD_LISTFILES)->caption, u"Corvina");
    ASSERT_NE(FindDialogTemplate(IDD_ABOUTBOX), nullptr);
    EXPECT_EQ(FindDialogTemplate(IDD_ABOUTBOX)->caption, u"About Corvina");
    EXPECT_NE(FindMenu(IDR_LISTFILES_MENU), nullptr);
    EXPECT_NE(FindMenu(IDR_LISTEDITOR_MENU), nullptr);
    EXPECT_NE(FindMenuBar(IDR_LISTFILES_MENU), nullptr);
    EXPECT_EQ(FindDialogTemplate(1), nullptr);
    EXPECT_EQ(FindMenu(IDD_LISTFILES), nullptr);
    EXPECT_FALSE(FindStringResource(1).has_value());
    EXPECT_EQ(LoadStringResource(1), u"");
}

TEST_F(ProgramResourceTables, DocumentListMenuBarReadsNewDocumentViewTools) {
    const MenuBarTemplate* bar = FindMenuBar(IDR_LISTFILES_MENU);
    ASSERT_NE(bar, nullptr);
    std::u16string labels;
    for (const MenuBarButtonTemplate& button : bar->buttons) {
        labels += MenuBarButtonLabel(*bar, button) + u"|";
    }
    EXPECT_EQ(labels, u"New|Document|View|Tools|");
    const MenuTemplate* menu = FindMenu(IDR_LISTFILES_MENU);
    const MenuItemTemplate& document = menu->items[kListFilesDocumentPopup];
    EXPECT_EQ(document.text, u"Document");
    ASSERT_EQ(document.popup.size(), 6u);
    EXPECT_EQ(document.popup[0].command, ID_FILE_OPEN);
    EXPECT_EQ(document.popup[5].command, ID_DOCUMENT_DELETE);
}

TEST_F(ProgramResourceTables, EnterAloneOpensAndNothingElseIsAShortcut) {
    const AcceleratorTable* table = FindAcceleratorTable(IDR_ACCELERATORS);
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->entries.size(), 1u);
    EXPECT_EQ(table->entries[0].key, VK_RETURN);
    EXPECT_EQ(table->entries[0].flags, FVIRTKEY) << "no Shift, Ctrl or Alt";
    EXPECT_EQ(table->entries[0].command, ID_FILE_OPEN);
}

TEST_F(ProgramResourceTables, StartUpTextsAreExact) {
    EXPECT_EQ(LoadStringResource(IDS_REGISTRY_KEY), u"SOFTWARE\\Tarrow\\Corvina");
    EXPECT_EQ(LoadStringResource(IDS_INSTALL_DIR_VALUE), u"InstallDir");
    EXPECT_EQ(LoadStringResource(IDS_LISTS_SUBFOLDER), u"\\Lists");
    EXPECT_EQ(LoadStringResource(IDS_MY_DOCUMENTS), u"\\My Documents");
    EXPECT_EQ(LoadStringResource(IDS_LIST_PATTERN), u"*.crv");
    EXPECT_EQ(LoadStringResource(IDS_SAVE_CHANGES),
              u"'%s' contents have been changed.\nWould you like to save changes?");
}

TEST(MenuText, AmpersandsAreAccessMarksAndDoubledOnesStay) {
    EXPECT_EQ(StripMenuAmpersands(u"&File"), u"File");
    EXPECT_EQ(StripMenuAmpersands(u"Save &as..."), u"Save as...");
    EXPECT_EQ(StripMenuAmpersands(u"Salt && pepper"), u"Salt & pepper");
    EXPECT_EQ(StripMenuAmpersands(u"End&"), u"End");
}

// --- Pictures
// -----------------------------------------------------------------------------------------------------

TEST(ProgramPictures, SizesAreThoseTheScreensLayOut) {
    const std::pair<unsigned, CSize> expected[] = {
        {IDB_BANNER, {240, 22}},           {IDB_LIST_ICON, {13, 16}},
        {IDB_LIST_BACKGROUND, {480, 8}},   {IDB_ABOUT, {50, 75}},
        {IDB_TITLE_BACKGROUND, {240, 28}}, {IDB_CHECKED, {12, 12}},
        {IDB_UNCHECKED, {12, 12}},         {IDB_EXPANDED, {9, 9}},
        {IDB_COLLAPSED, {9, 9}},           {IDB_SCROLL_DOWN, {13, 12}},
        {IDB_SCROLL_UP, {13, 12}},         {IDB_THUMB_TOP, {13, 4}},
        {IDB_THUMB_MIDDLE, {13, 4}},       {IDB_THUMB_BOTTOM, {13, 4}},
        {IDB_NOTES_MARK, {12, 12}},        {IDB_IMPORTANCE_HIGH, {12, 12}},
        {IDB_IMPORTANCE_LOW, {12, 12}},    {IDB_IMPORTANCE_NORMAL, {12, 12}},
        {IDB_EDITOR_TOOLBAR, {48, 16}},    {IDB_SHEET_COMMANDBAR, {32, 16}},
    };
    for (const auto& [id, size] : expected) {
        CBitmap picture;
        ASSERT_TRUE(picture.LoadBitmap(id)) << "picture " << id;
        EXPECT_EQ(picture.GetSize(), size) << "picture " << id;
    }
    CBitmap none;
    EXPECT_FALSE(none.LoadBitmap(9999));
    EXPECT_TRUE(none.IsNull());
}

TEST(ProgramPictures, ListBackgroundRulesRepeatEveryFourRowsAndFadeToWhite) {
    CBitmap background;
    ASSERT_TRUE(background.LoadBitmap(IDB_LIST_BACKGROUND));
    const COLORREF dark = RGB(181, 207, 247);
    const COLORREF light = RGB(214, 227, 247);
    for (int x : {240, 300, 479}) {
        EXPECT_EQ(background.GetPixel(x, 0), dark);
        EXPECT_EQ(background.GetPixel(x, 1), dark);
        EXPECT_EQ(background.GetPixel(x, 2), light);
        EXPECT_EQ(background.GetPixel(x, 3), light);
        EXPECT_EQ(background.GetPixel(x, 4), dark);
        EXPECT_EQ(background.GetPixel(x, 7), light);
    }
    EXPECT_EQ(background.GetPixel(0, 0), RGB(255, 255, 255));
    // Towards the left every channel only gets lighter.
    for (int x = 1; x < 240; ++x) {
        EXPECT_GE(GetRValue(background.GetPixel(x - 1, 0)), GetRValue(background.GetPixel(x, 0))) << x;
    }
}

TEST(ProgramPictures, APictureDrawnIntoLeavesEveryOtherLoadOfItAsBuilt) {
    CBitmap drawnInto;
    ASSERT_TRUE(drawnInto.LoadBitmap(IDB_LIST_BACKGROUND));
    CBitmap loadedBefore;
    ASSERT_TRUE(loadedBefore.LoadBitmap(IDB_LIST_BACKGROUND));
    {
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
        ASSERT_NE(dc.SelectObject(&drawnInto), nullptr);
        dc.FillSolidRect(0, 0, 8, 8, RGB(0, 0, 0));
    }
    CBitmap loadedAfter;
    ASSERT_TRUE(loadedAfter.LoadBitmap(IDB_LIST_BACKGROUND));
    EXPECT_EQ(drawnInto.GetPixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(loadedBefore.GetPixel(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(loadedAfter.GetPixel(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(loadedAfter.GetPixel(300, 0), RGB(181, 207, 247));
}

TEST(ProgramPictures, ImportanceMarksShowOnlyTheirMarkThroughTheKeyColour) {
    const auto keyedPixels = [](unsigned id) {
        CBitmap mark;
        EXPECT_TRUE(mark.LoadBitmap(id));
        int keyed = 0;
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 12; ++x) {
                keyed += mark.GetPixel(x, y) == RGB(255, 0, 0) ? 1 : 0; // pure red, the key colour
            }
        }
        return keyed;
    };
    EXPECT_EQ(keyedPixels(IDB_IMPORTANCE_NORMAL), 144) << "normal importance shows nothing";
    EXPECT_GT(keyedPixels(IDB_IMPORTANCE_HIGH), 72) << "a slim mark on a see-through square";
    EXPECT_LT(keyedPixels(IDB_IMPORTANCE_HIGH), 144);
    EXPECT_GT(keyedPixels(IDB_IMPORTANCE_LOW), 72);
    EXPECT_LT(keyedPixels(IDB_IMPORTANCE_LOW), 144);
}

TEST(ProgramPictures, ApplicationIconHasATransparentSurround) {
    const std::optional<uitest::IconOpacity> icon = uitest::LoadIconOpacity(IDR_MAINFRAME);
    ASSERT_TRUE(icon.has_value());
    EXPECT_EQ(icon->size, CSize(32, 32));
    EXPECT_EQ(icon->AlphaAt(0, 0), 0);
    EXPECT_EQ(icon->AlphaAt(16, 16), 255);
}
