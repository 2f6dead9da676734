#include "app/batch_options.h"

#include <functional>
#include <map>

namespace rivex {

const char* const kBatchUsage =
    "usage: rivex-batch --source TEXT --output TEXT (--whole | --fields) [--field L R NEXT "
    "LAST]...\n"
    "                   (--all | --by-count | --by-code) [--range FROM TO]... [--key TEXT]\n"
    "                   [--exclude] [--order unknown|grouped|scattered] [--at LEFT RIGHT 0|1]...\n"
    "                   [--line-end auto|cr|lf] [--output-line-end crlf|lf] [--encoding "
    "sjis|utf8]\n"
    "       rivex-batch --help\n";

namespace {

using Values = std::vector<std::string>;

struct OptionSpec {
    std::size_t valueCount;
    // Applies the option; returns an error text when its values are unusable.
    std::function<std::string(BatchRequest&, const Values&)> apply;
};

// Checking one radio button of a group clears the others, as a click does; a check box is a
// group of its own.
std::function<std::string(BatchRequest&, const Values&)> Check(
    bool FormInput::*chosen, std::vector<bool FormInput::*> group) {
    return [chosen, group](BatchRequest& r, const Values&) {
        for (const auto member : group) r.form.*member = false;
        r.form.*chosen = true;
        return std::string();
    };
}

// A text box filled with the option's value.
std::function<std::string(BatchRequest&, const Values&)> Fill(std::string FormInput::*box) {
    return [box](BatchRequest& r, const Values& v) {
        r.form.*box = v[0];
        return std::string();
    };
}

// A drop-down list set to the item named by the option's value.
template <typename Item>
std::function<std::string(BatchRequest&, const Values&)> Choose(Item FormInput::*list,
                                                                std::map<std::string, Item> items,
                                                                std::string refusal) {
    return [list, items = std::move(items), refusal = std::move(refusal)](BatchRequest& r,
                                                                          const Values& v) {
        const auto it = items.find(v[0]);
        if (it == items.end()) return refusal;
        r.form.*list = it->second;
        return std::string();
    };
}

const std::map<std::string, OptionSpec>& Options() {
    const std::vector<bool FormInput::*> fieldGroup{&FormInput::RadioButton6,
                                                    &FormInput::RadioButton7};
    const std::vector<bool FormInput::*> selectGroup{
        &FormInput::RadioButton8, &FormInput::RadioButton1, &FormInput::RadioButton2};
    static const std::map<std::string, OptionSpec> options{
        {"--source", {1, Fill(&FormInput::Edit1)}},
        {"--output", {1, Fill(&FormInput::Edit2)}},
        {"--key", {1, Fill(&FormInput::Edit3)}},
        {"--whole", {0, Check(&FormInput::RadioButton6, fieldGroup)}},
        {"--fields", {0, Check(&FormInput::RadioButton7, fieldGroup)}},
        {"--all", {0, Check(&FormInput::RadioButton8, selectGroup)}},
        {"--by-count", {0, Check(&FormInput::RadioButton1, selectGroup)}},
        {"--by-code", {0, Check(&FormInput::RadioButton2, selectGroup)}},
        {"--field",
         {4,
          [](BatchRequest& r, const Values& v) {
              r.form.StringGrid1.push_back({v[0], v[1], v[2], v[3]});
              return std::string();
          }}},
        {"--range",
         {2,
          [](BatchRequest& r, const Values& v) {
              r.form.StringGrid2.push_back({v[0], v[1]});
              return std::string();
          }}},
        {"--exclude", {0, Check(&FormInput::CheckBox1, {})}},
        {"--order",
         {1,
          [](BatchRequest& r, const Values& v) {
              const std::map<std::string, bool FormInput::*> orders{
                  {"unknown", &FormInput::RadioButton3},
                  {"grouped", &FormInput::RadioButton4},
                  {"scattered", &FormInput::RadioButton5}};
              const auto it = orders.find(v[0]);
              if (it == orders.end()) return "--order takes unknown, grouped or scattered";
              for (const auto& [name, member] : orders) r.form.*member = false;
              r.form.*(it->second) = true;
              return "";
          }}},
        {"--line-end",
         {1, Choose<LineRuleChoice>(&FormInput::ComboBox1,
                                    {{"auto", LineRuleChoice::Auto},
                                     {"cr", LineRuleChoice::Cr},
                                     {"lf", LineRuleChoice::Lf}},
                                    "--line-end takes auto, cr or lf")}},
        {"--output-line-end",
         {1, Choose<OutputLineEnd>(&FormInput::ComboBox2,
                                   {{"crlf", OutputLineEnd::CrLf}, {"lf", OutputLineEnd::Lf}},
                                   "--output-line-end takes crlf or lf")}},
        {"--encoding",
         {1, Choose<CodePage>(&FormInput::ComboBox3,
                              {{"sjis", CodePage::Cp932}, {"utf8", CodePage::Utf8}},
                              "--encoding takes sjis or utf8")}},
        {"--at",
         {3,
          [](BatchRequest& r, const Values& v) {
              if (v[2] != "0" && v[2] != "1") return "--at takes 0 or 1 as its last value";
              r.answers.push_back({v[0], v[1], v[2] == "1"});
              return "";
          }}},
    };
    return options;
}

}  // namespace

BatchCommand ParseBatchArguments(const std::vector<std::string>& args) {
    BatchRequest request;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--help") return HelpRequest{};
        const auto it = Options().find(args[i]);
        if (it == Options().end()) return UsageError{"unknown option: " + args[i]};
        const OptionSpec& option = it->second;
        if (args.size() - i - 1 < option.valueCount) {
            return UsageError{args[i] + " needs " + std::to_string(option.valueCount) +
                              " value(s)"};
        }
        const Values values(args.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                            args.begin() + static_cast<std::ptrdiff_t>(i + option.valueCount) + 1);
        i += option.valueCount;
        if (std::string error = option.apply(request, values); !error.empty()) {
            return UsageError{std::move(error)};
        }
    }
    return request;
}

}  // namespace rivex
