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

bool CAcceleratorTable::Translate(CWnd* target, const MSG& msg) const {
    if (msg.message != WM_KEYDOWN || target == nullptr) {
        return false;
    }
    const BYTE held = ModifiersOf(msg.lParam);
    const auto matches = [&](const Entry& e) {
        return (e.flags & FVIRTKEY) != 0 && e.key == msg.wParam && (e.flags & kModifierFlags) == held;
    };
    const auto it = std::find_if(m_entries.begin(), m_entries.end(), matches);
    if (it == m_entries.end()) {
        return false;
    }
    target->SendCommand(it->command);
    return true;
}
