// CAcceleratorTable: a keyboard shortcut table loaded from the resources, turning key presses into
// commands for the focused window.
#pragma once

#include "platform/ui/WinTypes.h"

#include <vector>

/// Shortcut entry flags: the key is a virtual key and which modifiers must be held.
constexpr BYTE FVIRTKEY = 0x01;
constexpr BYTE FSHIFT = 0x04;
constexpr BYTE FCONTROL = 0x08;
constexpr BYTE FALT = 0x10;

/// A loaded shortcut table; empty until Load succeeds.
class CAcceleratorTable {
public:
    struct Entry {
        BYTE flags = 0;   ///< FVIRTKEY with the modifiers that must be held (and no others)
        WORD key = 0;     ///< virtual key
        WORD command = 0; ///< command sent
    };

    /// Loads shortcut table `tableId`; false (and empty) when it does not exist.
    bool Load(UINT tableId);
    bool IsLoaded() const { return !m_entries.empty(); }
    const std::vector<Entry>& Entries() const { return m_entries; }

    /// When `msg` is a key press matching an entry (key and exactly its modifiers), sends the entry's
    /// command to `target` and answers true: the press is consumed. Key releases are never
    /// consumed, so hooks that act on them still see them.
    bool Translate(CWnd* target, const MSG& msg) const;
    /// Like Translate, but the command is sent only when `target` shows it enabled (its enabling
    /// rule, or its handler): a key whose command is greyed does nothing, and is consumed all the
    /// same, so it never reaches a control as a key of its own.
    bool TranslateEnabled(CWnd* target, const MSG& msg) const;

private:
    const Entry* Match(const MSG& msg) const;

    std::vector<Entry> m_entries; ///< the shortcuts, in resource order
};
