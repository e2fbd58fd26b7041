// Key names and their virtual keys.
#include "platform/ui/KeyNames.h"

#include "platform/ui/DesktopKeys.h"

#include <algorithm>
#include <cctype>

namespace {

struct NamedKey {
    std::string_view name;
    UINT virtualKey;
};

constexpr NamedKey kNamedKeys[] = {
    {"Return", VK_RETURN},  {"Escape", VK_ESCAPE}, {"Tab", VK_TAB},       {"BackSpace", VK_BACK},
    {"Delete", VK_DELETE},  {"Up", VK_UP},         {"Down", VK_DOWN},     {"Left", VK_LEFT},
    {"Right", VK_RIGHT},    {"space", VK_SPACE},   {"Space", VK_SPACE},   {"Home", VK_HOME},
    {"End", VK_END},        {"Prior", VK_PRIOR},   {"Page_Up", VK_PRIOR}, {"Next", VK_NEXT},
    {"Page_Down", VK_NEXT}, {"Esc", VK_ESCAPE},    {"Del", VK_DELETE},    {"Ins", VK_INSERT},
    {"Insert", VK_INSERT},  {"PgUp", VK_PRIOR},    {"PgDown", VK_NEXT},   {"Backspace", VK_BACK},
    {"Enter", VK_RETURN},   {"F1", VK_F1},         {"F2", VK_F1 + 1},     {"F3", VK_F1 + 2},
    {"F4", VK_F1 + 3},      {"F5", VK_F1 + 4},     {"F6", VK_F1 + 5},     {"F7", VK_F1 + 6},
    {"F8", VK_F1 + 7},      {"F9", VK_F1 + 8},     {"F10", VK_F1 + 9},    {"F11", VK_F1 + 10},
    {"F12", VK_F1 + 11},
};

struct NamedModifier {
    std::string_view name;
    UINT modifier;
};

constexpr NamedModifier kModifiers[] = {
    {"ctrl", MK_CONTROL},
    {"shift", MK_SHIFT},
    {"alt", static_cast<UINT>(kAltDown)},
};

/// The modifier named `name` in any case; 0 for none.
UINT ModifierFromName(std::string_view name) {
    const auto sameLetters = [name](std::string_view known) {
        return std::equal(name.begin(), name.end(), known.begin(), known.end(),
                          [](char a, char b) { return std::tolower(static_cast<unsigned char>(a)) == b; });
    };
    const auto* found = std::find_if(std::begin(kModifiers), std::end(kModifiers),
                                     [&](const NamedModifier& m) { return sameLetters(m.name); });
    return found != std::end(kModifiers) ? found->modifier : 0;
}

bool IsLetterOrDigit(std::string_view name) {
    return name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])) != 0;
}

} // namespace

UINT VirtualKeyFromName(std::string_view name) {
    if (IsLetterOrDigit(name)) {
        // Letter keys are named by their capitals among the virtual keys.
        return static_cast<UINT>(std::toupper(static_cast<unsigned char>(name[0])));
    }
    const auto* found = std::find_if(std::begin(kNamedKeys), std::end(kNamedKeys),
                                     [name](const NamedKey& key) { return key.name == name; });
    return found != std::end(kNamedKeys) ? found->virtualKey : 0;
}

std::vector<std::string_view> KnownKeyNames() {
    std::vector<std::string_view> names;
    for (const NamedKey& key : kNamedKeys) {
        names.push_back(key.name);
    }
    return names;
}

std::optional<KeyCombination> KeyCombinationFromText(std::string_view text) {
    KeyCombination combination;
    // Every part before the last "+" is a modifier; the last names the key. A "+" at the very end
    // would name the plus key, which no command uses.
    for (std::size_t plus = text.find('+'); plus != std::string_view::npos; plus = text.find('+')) {
        const UINT modifier = ModifierFromName(text.substr(0, plus));
        if (modifier == 0 || (combination.modifiers & modifier) != 0) {
            return std::nullopt;
        }
        combination.modifiers |= modifier;
        text.remove_prefix(plus + 1);
    }
    combination.virtualKey = VirtualKeyFromName(text);
    if (combination.virtualKey == 0) {
        return std::nullopt;
    }
    return combination;
}
