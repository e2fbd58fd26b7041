// A screen's table of command handlers, enabling rules and notification handlers: command id ->
// handler, command id -> rule, (control id, code) -> handler.
#pragma once

#include "platform/ui/Notify.h"
#include "platform/ui/WinTypes.h"

#include <functional>
#include <map>
#include <utility>
#include <vector>

/// Routes commands and notifications of one window to its handlers.
///
/// A command with an enabling rule is enabled when the rule says so; without a rule, it is enabled
/// exactly when it has a handler. An id with neither is disabled.
class CommandMap {
public:
    using CommandHandler = std::function<void()>;
    using RangeHandler = std::function<void(UINT id)>;
    using EnableRule = std::function<bool()>;
    using NotifyHandler = std::function<void(const NMHDR& hdr, LRESULT* result)>;

    /// Runs `handler` for command `id`. A later registration for the same id replaces it.
    void OnCommand(UINT id, CommandHandler handler);
    /// Runs `handler` with the id for every command from `first` to `last`, both included.
    void OnCommandRange(UINT first, UINT last, RangeHandler handler);
    /// Decides whether command `id` shows enabled, consulted just before a popup opens.
    void OnUpdate(UINT id, EnableRule rule);
    /// Runs `handler` for notification `code` from control `controlId`.
    void OnNotify(UINT controlId, UINT code, NotifyHandler handler);

    /// True when a handler (single or range) is registered for `id`.
    bool HasHandler(UINT id) const;
    /// True when an enabling rule is registered for `id`.
    bool HasRule(UINT id) const { return m_rules.contains(id); }
    /// The enabling rule's answer for `id`, or HasHandler(id) when it has no rule.
    bool IsEnabled(UINT id) const;
    /// Runs the handler of `id`; false when there is none.
    bool DispatchCommand(UINT id) const;
    /// Runs the handler of the header's (sender id, code); false when there is none.
    bool DispatchNotify(const NMHDR& hdr, LRESULT* result) const;

private:
    struct Range {
        UINT first;
        UINT last;
        RangeHandler handler;
    };
    const Range* FindRange(UINT id) const;

    std::map<UINT, CommandHandler> m_commands;                      ///< single-id handlers
    std::vector<Range> m_ranges;                                    ///< id-range handlers, first match wins
    std::map<UINT, EnableRule> m_rules;                             ///< enabling rules by command id
    std::map<std::pair<UINT, UINT>, NotifyHandler> m_notifications; ///< by (control id, code)
};
