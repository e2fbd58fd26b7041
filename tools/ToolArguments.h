// The command line of one corvina-tool command: its operands and its options, checked against what
// the command accepts.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

/// What a command accepts on its command line.
struct ArgumentRules {
    /// The fewest and the most operands (files, titles).
    std::size_t fewestOperands = 0;
    std::size_t mostOperands = 0;
    /// Options that take a value ("--format json").
    std::set<std::string, std::less<>> valueOptions;
    /// Options that stand alone ("--force").
    std::set<std::string, std::less<>> flagOptions;
};

/// A command line that breaks the rules; the message says how, and the usage follows it.
class UsageFailure : public std::runtime_error {
public:
    explicit UsageFailure(const std::string& reason) : std::runtime_error(reason) {}
};

/// The operands and options of one command, in the program's wide strings.
class ToolArguments {
public:
    /// Sorts `arguments` (those after the command's name) into operands and options. Options may
    /// stand anywhere; "--" ends them, so an operand may start with "-" ("-" alone is always an
    /// operand). Throws `UsageFailure` for an unknown option, a missing value, a repeated option or
    /// a wrong number of operands.
    ToolArguments(const std::vector<std::string_view>& arguments, const ArgumentRules& rules);

    const std::vector<std::u16string>& Operands() const { return m_operands; }
    const std::u16string& Operand(std::size_t index) const { return m_operands.at(index); }
    /// The value given to `option`, if it was given.
    std::optional<std::u16string> Value(std::string_view option) const;
    /// Whether `flag` was given.
    bool Has(std::string_view flag) const { return m_flags.contains(std::string(flag)); }

private:
    std::vector<std::u16string> m_operands;
    std::map<std::string, std::u16string, std::less<>> m_values;
    std::set<std::string, std::less<>> m_flags;
};
