// The command line of rivex-batch: each option fills one control of the main window.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "engine/catalogue.h"
#include "engine/extraction_request.h"
#include "engine/placeholder.h"

namespace rivex {

struct BatchRequest {
    ExtractionRequest form;
    StandardStreams streams;                 // "-" given as --source or --output
    Language language = Language::Japanese;  // of the messages and the RunLog
};

struct HelpRequest {};
struct VersionRequest {};

struct UsageError {
    std::string message;
};

// --save-conditions: the conditions written to `path`, nothing run.
struct SaveConditionsRequest {
    ExtractionRequest form;
    std::string path;
    Language language;
};

using BatchCommand =
    std::variant<BatchRequest, HelpRequest, VersionRequest, SaveConditionsRequest, UsageError>;

BatchCommand ParseBatchArguments(const std::vector<std::string>& args);

extern const char* const kBatchUsage;

// The usage, then one line for each option: what it fills, and its values.
std::string BatchHelp();

}  // namespace rivex
