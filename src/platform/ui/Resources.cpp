// Lookup of the installed resource tables by number.
#include "platform/ui/Resources.h"

#include <algorithm>

namespace {

/// The tables every lookup reads: installed once at start-up, read-only afterwards.
ResourceTables& InstalledTables() {
    static ResourceTables tables;
    return tables;
}

template <typename Record> const Record* FindById(std::span<const Record> records, std::uint16_t id) {
    const auto found =
        std::find_if(records.begin(), records.end(), [id](const Record& r) { return r.id == id; });
    return found == records.end() ? nullptr : &*found;
}

constexpr char16_t kAccessMark = u'&';

} // namespace

void InstallResources(const ResourceTables& tables) {
    InstalledTables() = tables;
}

std::optional<std::u16string_view> FindStringResource(std::uint16_t id) {
    const StringResource* entry = FindById(InstalledTables().strings, id);
    if (entry == nullptr) {
        return std::nullopt;
    }
    return entry->text;
}

std::u16string LoadStringResource(std::uint16_t id) {
    return std::u16string(FindStringResource(id).value_or(std::u16string_view()));
}

const DialogTemplate* FindDialogTemplate(std::uint16_t id) {
    return FindById(InstalledTables().dialogs, id);
}

const MenuTemplate* FindMenu(std::uint16_t id) {
    return FindById(InstalledTables().menus, id);
}

const MenuBarTemplate* FindMenuBar(std::uint16_t id) {
    return FindById(InstalledTables().menuBars, id);
}

const AcceleratorTable* FindAcceleratorTable(std::uint16_t id) {
    return FindById(InstalledTables().accelerators, id);
}

std::u16string StripMenuAmpersands(std::u16string_view text) {
    std::u16string label;
    label.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != kAccessMark) {
            label.push_back(text[i]);
        } else if (i + 1 < text.size() && text[i + 1] == kAccessMark) {
            label.push_back(kAccessMark);
            ++i;
        }
    }
    return label;
}

std::u16string MenuBarButtonLabel(const MenuBarTemplate& bar, const MenuBarButtonTemplate& button) {
    if (button.labelStringId != 0) {
        if (const auto text = FindStringResource(button.labelStringId)) {
            return StripMenuAmpersands(*text);
        }
    }
    const MenuTemplate* menu = FindMenu(bar.menuId);
    if (menu == nullptr || button.popupIndex >= menu->items.size()) {
        return {};
    }
    return StripMenuAmpersands(menu->items[button.popupIndex].text);
}
