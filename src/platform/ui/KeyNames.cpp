// Key names and their virtual keys.
#include "platform/ui/KeyNames.h"

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
    {"Page_Down", VK_NEXT},
};

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
