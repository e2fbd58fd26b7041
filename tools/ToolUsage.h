// The text `corvina-tool --help` prints, and a usage error after its reason.
#pragma once

#include <string_view>

/// Every command with its options and an example.
extern const std::string_view kToolUsage;
