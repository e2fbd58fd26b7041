// Sorting a command's arguments into operands and options.
#include "ToolArguments.h"

#include "platform/core/Strings.h"

namespace {

constexpr std::string_view kEndOfOptions = "--";
constexpr std::string_view kStandardStream = "-";

bool LooksLikeOption(std::string_view argument) {
    return argument.size() > 1 && argument.front() == '-';
}

} // namespace

ToolArguments::ToolArguments(const std::vector<std::string_view>& arguments, const ArgumentRules& rules) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        if (!optionsEnded && argument == kEndOfOptions) {
            optionsEnded = true;
            continue;
        }
        if (optionsEnded || argument == kStandardStream || !LooksLikeOption(argument)) {
            m_operands.push_back(FromUtf8OrCp1252(argument));
            continue;
        }
        const std::string name(argument);
        if (m_values.contains(name) || m_flags.contains(name)) {
            throw UsageFailure(name + " is given twice");
        }
        if (rules.flagOptions.contains(name)) {
            m_flags.insert(name);
        } else if (rules.valueOptions.contains(name)) {
            if (i + 1 == arguments.size()) {
                throw UsageFailure(name + " needs a value");
            }
            m_values.emplace(name, FromUtf8OrCp1252(arguments[++i]));
        } else {
            throw UsageFailure("unknown option " + name);
        }
    }
    if (m_operands.size() < rules.fewestOperands || m_operands.size() > rules.mostOperands) {
        throw UsageFailure("wrong number of files or titles");
    }
}

std::optional<std::u16string> ToolArguments::Value(std::string_view option) const {
    const auto found = m_values.find(option);
    if (found == m_values.end()) {
        return std::nullopt;
    }
    return found->second;
}
