// The command, enabling-rule and notification tables of one window.
#include "platform/ui/CommandMap.h"

#include <algorithm>

void CommandMap::OnCommand(UINT id, CommandHandler handler) {
    m_commands[id] = std::move(handler);
}

void CommandMap::OnCommandRange(UINT first, UINT last, RangeHandler handler) {
    m_ranges.push_back({first, last, std::move(handler)});
}

void CommandMap::OnUpdate(UINT id, EnableRule rule) {
    m_rules[id] = std::move(rule);
}

void CommandMap::OnNotify(UINT controlId, UINT code, NotifyHandler handler) {
    m_notifications[{controlId, code}] = std::move(handler);
}

const CommandMap::Range* CommandMap::FindRange(UINT id) const {
    auto covers = [id](const Range& r) { return id >= r.first && id <= r.last; };
    auto it = std::find_if(m_ranges.begin(), m_ranges.end(), covers);
    return it == m_ranges.end() ? nullptr : &*it;
}

bool CommandMap::HasHandler(UINT id) const {
    return m_commands.contains(id) || FindRange(id) != nullptr;
}

bool CommandMap::IsEnabled(UINT id) const {
    auto rule = m_rules.find(id);
    if (rule != m_rules.end() && rule->second) {
        return rule->second();
    }
    return HasHandler(id);
}

bool CommandMap::DispatchCommand(UINT id) const {
    if (auto it = m_commands.find(id); it != m_commands.end() && it->second) {
        it->second();
        return true;
    }
    if (const Range* range = FindRange(id); range != nullptr && range->handler) {
        range->handler(id);
        return true;
    }
    return false;
}

bool CommandMap::DispatchNotify(const NMHDR& hdr, LRESULT* result) const {
    auto it = m_notifications.find({hdr.idFrom, hdr.code});
    if (it == m_notifications.end() || !it->second) {
        return false;
    }
    it->second(hdr, result);
    return true;
}
