// The command line of rivex-batch: each option fills one control of the main window.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "engine/form_input.h"
#include "engine/placeholder.h"

namespace rivex {

struct BatchRequest {
    FormInput form;
    std::vector<PlaceholderAnswer> answers;  // one per showing of the placeholder dialog
};

struct HelpRequest {};

struct UsageError {
    std::string message;
};

using BatchCommand = std::variant<BatchRequest, HelpRequest, UsageError>;

BatchCommand ParseBatchArguments(const std::vector<std::string>& args);

extern const char* const kBatchUsage;

}  // namespace rivex
