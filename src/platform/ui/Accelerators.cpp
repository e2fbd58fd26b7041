// CAcceleratorTable: loading a shortcut table and turning a matching key press into a command.
#include "platform/ui/Accelerators.h"

#include "platform/ui/Resources.h"
#include "platform/ui/Wnd.h"

#include <algorithm>

namespace {
/// The modifier flags of an entry, from a key message's modifier word.
BYTE ModifiersOf(LPARAM state) {
    BYTE flags = 0;
    if ((state & MK_SHIFT) != 0) {
        flags |= FSHIFT;
    }
    if ((state & MK_CONTROL) != 0) {
        flags |= FCONTROL;
    }
    if ((state & kAltDown) != 0) {
        flags |= FALT;
    }
    return flags;
}
constexpr BYTE kModifierFlags = FSHIFT | FCONTROL | FALT;
} // namespace

bool CAcceleratorTable::Load(UINT tableId) {
    m_entries.clear();
    const AcceleratorTable* table = FindAcceleratorTable(static_cast<std::uint16_t>(tableId));
    if (table == nullptr) {
        return false;
    }
    for (const AcceleratorEntry& entry : table->entries) {
        m_entries.push_back({entry.flags, entry.key, entry.command});
    }
    return !m_entries.empty();
}

const CAcceleratorTable::Entry* CAcceleratorTable::Match(const MSG& msg) const {
    if (msg.message != WM_KEYDOWN) {
        return nullptr;
    }
    const BYTE held = ModifiersOf(msg.lParam);
    const auto matches = [&](const Entry& e) {
        return (e.flags & FVIRTKEY) != 0 && e.key == msg.wParam && (e.flags & kModifierFlags) == held;
    };
    const auto it = std::find_if(m_entries.begin(), m_entries.end(), matches);
    return it != m_entries.end() ? &*it : nullptr;
}

bool CAcceleratorTable::Translate(CWnd* target, const MSG& msg) const {
    const Entry* entry = target != nullptr ? Match(msg) : nullptr;
    if (entry == nullptr) {
        return false;
    }
    target->SendCommand(entry->command);
    return true;
}

bool CAcceleratorTable::TranslateEnabled(CWnd* target, const MSG& msg) const {
    const Entry* entry = target != nullptr ? Match(msg) : nullptr;
    if (entry == nullptr) {
        return false;
    }
    if (target->IsCommandEnabled(entry->command)) {
        target->SendCommand(entry->command);
    }
    return true;
}
