#include "app/batch_options.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string_view>
#include <unordered_map>

#include "engine/choice_names.h"
#include "engine/conditions_file.h"
#include "engine/platform_error.h"

namespace rivex {
namespace {

using Values = std::vector<std::string>;
using Apply = std::function<std::string(BatchRequest&, const Values&)>;

struct OptionSpec {
    const char* name;
    const char* values;  // as the help shows them
    const char* help;    // what the option fills, in one line
    std::size_t valueCount;
    // Applies the option; returns an error text when its values are unusable.
    Apply apply;
};

// A choice set to `value`; a later option of the same choice overrides it.
template <typename Member, typename Value>
Apply Set(Member ExtractionRequest::*member, Value value) {
    return [member, value](BatchRequest& r, const Values&) {
        r.form.*member = value;
        return std::string();
    };
}

// A text box filled with the option's value.
Apply Fill(std::string ExtractionRequest::*box) {
    return [box](BatchRequest& r, const Values& v) {
        r.form.*box = v[0];
        return std::string();
    };
}

// A file name box; only here does "-" stand for the standard stream instead.
Apply Name(std::string ExtractionRequest::*box, bool StandardStreams::*stream) {
    return [box, stream](BatchRequest& r, const Values& v) {
        r.form.*box = v[0];
        r.streams.*stream = v[0] == "-";
        return std::string();
    };
}

// A choice set to the value the option's value names.
template <typename Value, typename Member>
Apply Choose(Member ExtractionRequest::*member,
             std::function<std::optional<Value>(std::string_view)> named, std::string refusal) {
    return [member, named = std::move(named), refusal = std::move(refusal)](BatchRequest& r,
                                                                            const Values& v) {
        const std::optional<Value> value = named(v[0]);
        if (!value) return refusal;
        r.form.*member = *value;
        return std::string();
    };
}

template <typename Value, std::size_t N>
std::function<std::optional<Value>(std::string_view)> From(const ChoiceNames<Value, N>& names) {
    return [&names](std::string_view name) { return ValueNamed(names, name); };
}

// The source's line end: "crlf" is another name for "cr" here.
std::optional<LineRuleChoice> LineRuleNamed(std::string_view name) {
    return ValueNamed(kLineRuleNames, name == "crlf" ? "cr" : name);
}

// An output choice set to the value the option's value names.
template <typename Value, std::size_t N>
Apply ChooseOutput(Value OutputForm::*member, const ChoiceNames<Value, N>& names,
                   std::string refusal) {
    return [member, &names, refusal = std::move(refusal)](BatchRequest& r, const Values& v) {
        const std::optional<Value> value = ValueNamed(names, v[0]);
        if (!value) return refusal;
        r.form.Output.*member = *value;
        return std::string();
    };
}

Apply SetOutput(bool OutputForm::*member, bool value) {
    return [member, value](BatchRequest& r, const Values&) {
        r.form.Output.*member = value;
        return std::string();
    };
}

// The name of the field row given last.
std::string FieldName(BatchRequest& r, const Values& v) {
    if (r.form.FieldRows.empty()) return "--field-name follows the --field it names";
    r.form.FieldNames.resize(r.form.FieldRows.size());
    r.form.FieldNames.back() = v[0];
    return "";
}

std::string Answer(BatchRequest& r, const Values& v) {
    if (v[2] != "0" && v[2] != "1") return "--at takes 0 or 1 as its last value";
    r.form.Answers.push_back({v[0], v[1], v[2] == "1"});
    return "";
}

// In the order the help lists them.
const std::vector<OptionSpec>& Options() {
    static const std::vector<OptionSpec> options{
        {"--source", "TEXT", "the source file name; \"@\" makes a series; - is standard input", 1,
         Name(&ExtractionRequest::SourceName, &StandardStreams::input)},
        {"--output", "TEXT", "the output file name, may hold \"@\"; - is standard output", 1,
         Name(&ExtractionRequest::OutputName, &StandardStreams::output)},
        {"--whole", "", "write whole records", 0,
         Set(&ExtractionRequest::FieldMode, FieldModes::WholeRecord)},
        {"--fields", "", "write the listed fields", 0,
         Set(&ExtractionRequest::FieldMode, FieldModes::ListedFields)},
        {"--field", "LEFT RIGHT NEXT LAST",
         "a field grid row: left, right, next left and last left (of a repeat)", 4,
         [](BatchRequest& r, const Values& v) {
             r.form.FieldRows.push_back({v[0], v[1], v[2], v[3]});
             return std::string();
         }},
        {"--field-name", "TEXT", "the column name of the --field row before it, for the header", 1,
         FieldName},
        {"--all", "", "select all records", 0,
         Set(&ExtractionRequest::SelectMode, SelectModes::AllRecords)},
        {"--by-count", "", "select records by their number", 0,
         Set(&ExtractionRequest::SelectMode, SelectModes::ByCount)},
        {"--by-code", "", "select records by the code at the key columns", 0,
         Set(&ExtractionRequest::SelectMode, SelectModes::ByCode)},
        {"--range", "FROM TO", "one row of the count/code grid: from and to", 2,
         [](BatchRequest& r, const Values& v) {
             r.form.SelectionRows.push_back({v[0], v[1]});
             return std::string();
         }},
        {"--key", "TEXT", "the key columns, as 4-5,10", 1, Fill(&ExtractionRequest::KeyPositions)},
        {"--exclude", "", "write the records whose code is in no range", 0,
         Set(&ExtractionRequest::ExcludeListed, true)},
        {"--no-exclude", "", "clear --exclude (after --conditions set it)", 0,
         Set(&ExtractionRequest::ExcludeListed, false)},
        {"--order", "unknown|grouped|scattered", "how the codes stand in the source", 1,
         Choose<CodeOrder>(&ExtractionRequest::Order, From(kCodeOrderNames),
                           "--order takes unknown, grouped or scattered")},
        {"--at", "LEFT RIGHT 0|1",
         "an answer for \"@\": a text, or a range of numbers; 1 if the last", 3, Answer},
        {"--line-end", "auto|cr|crlf|lf", "how source records end (crlf: cr); auto when left out",
         1,
         Choose<LineRuleChoice>(&ExtractionRequest::LineRules, LineRuleNamed,
                                "--line-end takes auto, cr, crlf or lf")},
        {"--output-line-end", "source|crlf|lf",
         "what follows each record; source (the source's) when left out", 1,
         Choose<OutputLineEnd>(&ExtractionRequest::OutputLineEnds, From(kOutputLineEndNames),
                               "--output-line-end takes source, crlf or lf")},
        {"--encoding", "sjis|utf8", "the records' encoding, into which codes are converted", 1,
         Choose<CodePage>(&ExtractionRequest::Encoding, CodePageNamed,
                          "--encoding takes sjis or utf8")},
        {"--format", "fixed|csv|tsv", "fields as cut, or as CSV or TSV values; fixed when left out",
         1,
         ChooseOutput(&OutputForm::Format, kOutputFormatNames, "--format takes fixed, csv or tsv")},
        {"--trim", "", "CSV and TSV values without the blanks at both ends", 0,
         SetOutput(&OutputForm::Trim, true)},
        {"--no-trim", "", "clear --trim (after --conditions set it)", 0,
         SetOutput(&OutputForm::Trim, false)},
        {"--output-encoding", "same|utf8|utf8-bom|sjis",
         "the output's encoding; same (as --encoding) when left out", 1,
         ChooseOutput(&OutputForm::Encoding, kOutputEncodingNames,
                      "--output-encoding takes same, utf8, utf8-bom or sjis")},
        {"--no-header", "", "CSV and TSV without the header row of column names", 0,
         SetOutput(&OutputForm::Header, false)},
        {"--header", "", "clear --no-header (after --conditions set it)", 0,
         SetOutput(&OutputForm::Header, true)},
        {"--lang", "ja|en", "the language of the messages and the RunLog; the locale's if left out",
         1,
         [](BatchRequest& r, const Values& v) {
             const std::optional<Language> language = LanguageNamed(v[0]);
             if (!language) return std::string("--lang takes ja or en");
             r.language = *language;
             return std::string();
         }},
    };
    return options;
}

// Looked up by name for every argument: a run may be given tens of thousands of them.
const OptionSpec* Find(std::string_view name) {
    static const auto byName = [] {
        std::unordered_map<std::string_view, const OptionSpec*> index;
        for (const OptionSpec& option : Options()) index.emplace(option.name, &option);
        return index;
    }();
    const auto it = byName.find(name);
    return it == byName.end() ? nullptr : it->second;
}

}  // namespace

const char* const kBatchUsage =
    "usage: rivex-batch [--conditions FILE] --source TEXT --output TEXT (--whole | --fields)\n"
    "                   [--field L R NEXT LAST [--field-name TEXT]]...\n"
    "                   (--all | --by-count | --by-code) [--range FROM TO]... [--key TEXT]\n"
    "                   [--exclude | --no-exclude] [--order unknown|grouped|scattered]\n"
    "                   [--at LEFT RIGHT 0|1]... [--line-end auto|cr|crlf|lf]\n"
    "                   [--output-line-end source|crlf|lf] [--encoding sjis|utf8]\n"
    "                   [--format fixed|csv|tsv] [--trim | --no-trim]\n"
    "                   [--header | --no-header]\n"
    "                   [--output-encoding same|utf8|utf8-bom|sjis]\n"
    "                   [--lang ja|en] [--save-conditions FILE]\n"
    "       rivex-batch --help | --version\n";

std::string BatchHelp() {
    std::string help = kBatchUsage;
    help += "\nEach option fills one control of the main window:\n";
    const auto line = [&help](const std::string& option, const std::string& text) {
        help += "  " + option + std::string(option.size() < 38 ? 38 - option.size() : 1, ' ') +
                text + "\n";
    };
    for (const OptionSpec& option : Options()) {
        line(std::string(option.name) + (*option.values ? " " : "") + option.values, option.help);
    }
    line("--conditions FILE", "load a saved conditions file first; the options beside it fill");
    line("", "their controls, and --field, --range or --at replace its rows");
    line("--save-conditions FILE", "write the conditions into FILE and run nothing");
    line("--OPTION=VALUE", "the same as --OPTION VALUE, for an option of one value");
    line("--help", "print this help");
    line("--version", "print the version");
    return help;
}

namespace {

// The options that take a file of conditions rather than fill a control.
constexpr std::string_view kConditions = "--conditions";
constexpr std::string_view kSaveConditions = "--save-conditions";

bool IsOption(const std::string& a) {
    return Find(a) != nullptr || a == "--help" || a == "--version" || a == kConditions ||
           a == kSaveConditions;
}

// "--option=value" as "--option" "value", for each option that takes one value.
std::vector<std::string> SplitEqualsForms(const std::vector<std::string>& args) {
    std::vector<std::string> split;
    for (const std::string& a : args) {
        const std::size_t equals = a.find('=');
        const std::string name = a.substr(0, equals);
        const OptionSpec* option = Find(name);
        const bool oneValue = (option != nullptr && option->valueCount == 1) ||
                              name == kConditions || name == kSaveConditions;
        if (a.starts_with("--") && equals != std::string::npos && oneValue) {
            split.push_back(name);
            split.push_back(a.substr(equals + 1));
        } else {
            split.push_back(a);
        }
    }
    return split;
}

// The file named by `option` among `args`: empty when the option is not given, nullopt when
// it has no usable value (none, another option, or an empty name).
std::optional<std::string> FileOption(const std::vector<std::string>& args,
                                      std::string_view option) {
    const auto it = std::ranges::find(args, option);
    if (it == args.end()) return std::string();
    if (it + 1 == args.end() || IsOption(*(it + 1)) || (it + 1)->empty()) return std::nullopt;
    return *(it + 1);
}

// The form the conditions file holds, or why it cannot be used.
std::variant<ExtractionRequest, std::string> LoadedConditions(const std::string& path,
                                                              Language language) {
    try {
        auto loaded = LoadConditions(path);
        if (auto* refusal = std::get_if<Message>(&loaded)) return Say(language, *refusal);
        return std::get<ExtractionRequest>(std::move(loaded));
    } catch (const PlatformError& e) {
        return Say(language, e.told()) + ": " + path;
    }
}

// The language the last --lang names wherever it stands, as the options read it, for the
// texts of options read before it; the locale's when it is not given.
Language LanguageOf(const std::vector<std::string>& args) {
    const auto it = std::ranges::find(args.rbegin(), args.rend(), "--lang");
    if (it == args.rend() || it == args.rbegin()) return LanguageOfEnvironment();
    return LanguageNamed(*(it - 1)).value_or(LanguageOfEnvironment());
}

}  // namespace

BatchCommand ParseBatchArguments(const std::vector<std::string>& given) {
    const std::vector<std::string> args = SplitEqualsForms(given);
    BatchRequest request;
    request.language = LanguageOf(args);
    const std::optional<std::string> conditions = FileOption(args, kConditions);
    const std::optional<std::string> saveTo = FileOption(args, kSaveConditions);
    if (!conditions) return UsageError{"--conditions needs a file"};
    if (!saveTo) return UsageError{"--save-conditions needs a file"};
    if (!conditions->empty()) {
        auto loaded = LoadedConditions(*conditions, request.language);
        if (auto* error = std::get_if<std::string>(&loaded)) return UsageError{std::move(*error)};
        request.form = std::get<ExtractionRequest>(std::move(loaded));
        // Rows given as options replace the file's rows of that grid.
        if (std::ranges::count(args, "--field") > 0) {
            request.form.FieldRows.clear();
            request.form.FieldNames.clear();
        }
        if (std::ranges::count(args, "--range") > 0) request.form.SelectionRows.clear();
        if (std::ranges::count(args, "--at") > 0) request.form.Answers.clear();
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--help") return HelpRequest{};
        if (args[i] == "--version") return VersionRequest{};
        if (args[i] == kConditions || args[i] == kSaveConditions) {
            ++i;
            continue;
        }
        const OptionSpec* option = Find(args[i]);
        if (option == nullptr) return UsageError{"unknown option: " + args[i]};
        const auto first = args.begin() + static_cast<std::ptrdiff_t>(i) + 1;
        const auto count = std::min(option->valueCount, args.size() - i - 1);
        // A value that is itself an option means the values ran short.
        const auto last = std::find_if(first, first + static_cast<std::ptrdiff_t>(count), IsOption);
        if (last - first < static_cast<std::ptrdiff_t>(option->valueCount)) {
            return UsageError{args[i] + " needs " + std::to_string(option->valueCount) +
                              " value(s)"};
        }
        const Values values(first, last);
        i += option->valueCount;
        if (std::string error = option->apply(request, values); !error.empty()) {
            return UsageError{std::move(error)};
        }
    }
    if (!saveTo->empty()) {
        return SaveConditionsRequest{std::move(request.form), *saveTo, request.language};
    }
    // Such a run could only end at once, having done nothing.
    if (request.form.SourceName.find('@') != std::string::npos && request.form.Answers.empty()) {
        return UsageError{"the source name holds \"@\" but no --at answer is given"};
    }
    return request;
}

}  // namespace rivex
