#include "engine/conditions_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <utility>
#include <vector>

#include "engine/choice_names.h"
#include "engine/conditions_json.h"
#include "engine/notation.h"
#include "engine/platform_error.h"
#include "engine/read_fully.h"
#include "engine/write_fully.h"

namespace rivex {
namespace {

// A file is written with its members in a fixed order, and read into a map: a member added
// to an ordered object moves the members before it, the grids of 10,000 rows included.
using Json = nlohmann::json;
using OrderedJson = nlohmann::ordered_json;

constexpr std::string_view kFormat = "rivex-conditions";
constexpr int kVersion = 1;
// The grids, read as rows of texts.
const std::vector<std::string_view> kGridKeys = {"fields", "ranges"};

std::filesystem::path FolderOf(const std::filesystem::path& file) {
    return file.has_parent_path() ? file.parent_path() : ".";
}

// An optional choice as the file keeps it: its name, or null while unmade.
template <typename Value, std::size_t N>
OrderedJson NameOrNull(const std::optional<Value>& value, const ChoiceNames<Value, N>& names) {
    if (!value) return nullptr;
    return std::string(NameOf(names, *value));
}

template <std::size_t N>
OrderedJson Rows(const std::vector<std::array<std::string, N>>& rows) {
    auto last = rows.end();
    while (last != rows.begin() &&
           std::ranges::all_of(*(last - 1), [](const std::string& c) { return c.empty(); })) {
        --last;
    }
    OrderedJson out = OrderedJson::array();
    for (auto row = rows.begin(); row != last; ++row) out.push_back(*row);
    return out;
}

using Unreadable = ConditionsUnreadable;

Unreadable Missing(std::string_view key) {
    return {{Phrase::ConditionsKeyMissing, {std::string(key)}}};
}

Unreadable WrongForm(std::string_view key) {
    return {{Phrase::ConditionsWrongForm, {std::string(key)}}};
}

const Json& Member(const Json& json, std::string_view key) {
    const auto it = json.find(key);
    if (it == json.end()) throw Missing(key);
    return *it;
}

// A text of the file; a NUL would cut a file name short, so no text holds one.
std::string Checked(std::string text, std::string_view key) {
    if (text.find('\0') != std::string::npos) {
        throw Unreadable{{Phrase::ConditionsBadCharacter, {std::string(key)}}};
    }
    return text;
}

std::string TextOf(const Json& value, std::string_view key) {
    if (!value.is_string()) throw WrongForm(key);
    return Checked(value.get<std::string>(), key);
}

std::string Text(const Json& json, std::string_view key) {
    return TextOf(Member(json, key), key);
}

template <typename Value, std::size_t N>
Value Named(const Json& json, std::string_view key, const ChoiceNames<Value, N>& names) {
    const std::optional<Value> value = ValueNamed(names, Text(json, key));
    if (!value) throw WrongForm(key);
    return *value;
}

// A choice the window may leave unmade: null while it is.
template <typename Value, std::size_t N>
std::optional<Value> NamedOrNull(const Json& json, std::string_view key,
                                 const ChoiceNames<Value, N>& names) {
    if (Member(json, key).is_null()) return std::nullopt;
    return Named(json, key, names);
}

// The output's form: a file saved before it could be chosen leaves it as the default.
OutputForm OutputFormOf(const Json& json) {
    OutputForm form;
    const auto flag = [&json](std::string_view key, bool& into) {
        if (!json.contains(key)) return;
        const Json& value = json[key];
        if (!value.is_boolean()) throw WrongForm(key);
        into = value.get<bool>();
    };
    if (json.contains("outputFormat"))
        form.Format = Named(json, "outputFormat", kOutputFormatNames);
    if (json.contains("outputEncoding")) {
        form.Encoding = Named(json, "outputEncoding", kOutputEncodingNames);
    }
    flag("trim", form.Trim);
    flag("header", form.Header);
    return form;
}

// The field rows' names, by row; none in a file saved before fields had them.
std::vector<std::string> FieldNamesOf(const Json& json) {
    std::vector<std::string> names;
    if (!json.contains("fieldNames")) return names;
    const Json& value = json["fieldNames"];
    if (!value.is_array()) throw WrongForm("fieldNames");
    for (const Json& name : value) names.push_back(TextOf(name, "fieldNames"));
    return names;
}

CodePage EncodingOf(const Json& json) {
    const std::optional<CodePage> cp = CodePageNamed(Text(json, "encoding"));
    if (!cp) throw WrongForm("encoding");
    return *cp;
}

template <std::size_t N>
std::vector<std::array<std::string, N>> GridRows(const ConditionsJson& read, std::string_view key) {
    std::vector<std::array<std::string, N>> rows;
    if (const auto texts = read.grids.find(key); texts != read.grids.end()) {
        rows.reserve(texts->second.size());
        for (const std::vector<std::string>& row : texts->second) {
            if (row.size() != N) throw WrongForm(key);
            std::array<std::string, N> cells;
            for (std::size_t c = 0; c < N; ++c) cells[c] = Checked(row[c], key);
            rows.push_back(std::move(cells));
        }
        return rows;
    }
    const Json& value = Member(read.members, key);
    if (!value.is_array()) throw WrongForm(key);
    for (const Json& row : value) {
        if (!row.is_array() || row.size() != N) throw WrongForm(key);
        std::array<std::string, N> cells;
        for (std::size_t c = 0; c < N; ++c) cells[c] = TextOf(row[c], key);
        rows.push_back(std::move(cells));
    }
    return rows;
}

// 1-based line and column of byte `offset` of `text`.
std::pair<std::size_t, std::size_t> LineAndColumn(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    const std::string_view before = text.substr(0, offset);
    const std::size_t line = static_cast<std::size_t>(std::ranges::count(before, '\n')) + 1;
    const std::size_t lineStart = before.rfind('\n');
    const std::size_t column =
        lineStart == std::string_view::npos ? offset : offset - lineStart - 1;
    return {line, column + 1};
}

// Every text of the form: the names, the key positions, the grid cells and the answers.
std::vector<const std::string*> Texts(const ExtractionRequest& form) {
    std::vector<const std::string*> texts{&form.SourceName, &form.OutputName, &form.KeyPositions};
    for (const auto& row : form.FieldRows) {
        for (const auto& cell : row) texts.push_back(&cell);
    }
    for (const auto& name : form.FieldNames) texts.push_back(&name);
    for (const auto& row : form.SelectionRows) {
        for (const auto& cell : row) texts.push_back(&cell);
    }
    for (const auto& answer : form.Answers) {
        texts.push_back(&answer.left);
        texts.push_back(&answer.right);
    }
    return texts;
}

bool IsUtf8(const std::string& text) {
    try {
        (void)Json(text).dump();
        return true;
    } catch (const Json::type_error&) {
        return false;
    }
}

// A text that is not UTF-8 as a message can show it: its bad bytes as U+FFFD.
std::string Shown(const std::string& text) {
    const std::string quoted = Json(text).dump(-1, ' ', false, Json::error_handler_t::replace);
    return quoted.substr(1, quoted.size() - 2);
}

bool IsConditionsFile(const std::filesystem::path& path) {
    try {
        const Json json = ParseConditionsJson(ReadConditionsFile(path), kGridKeys).members;
        return json.is_object() && json.contains("format") && json["format"] == kFormat;
    } catch (...) {
        return false;
    }
}

// The mode of the file `path` replaces, whose owner it keeps where it may; a new one's as
// the umask leaves it.
mode_t ModeFor(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) return st.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// `bytes` in place of the file `path` at once: written beside it, then renamed over it.
void ReplaceWhole(const std::filesystem::path& path, std::string_view bytes) {
    const std::filesystem::path folder = FolderOf(path);
    std::string temporary = folder.string();
    temporary.append("/.").append(path.filename().string()).append(".XXXXXX");
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) throw FileError(errno, path.string());
    int error = ::fchmod(fd, ModeFor(path)) != 0 ? errno : 0;
    if (struct stat st{}; error == 0 && ::stat(path.c_str(), &st) == 0) {
        (void)::fchown(fd, st.st_uid, st.st_gid);  // only a privileged user may give it away
    }
    if (error == 0) error = WriteFully(fd, bytes.data(), bytes.size());
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0) error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        throw FileError(error, path.string());
    }
}

// The placeholder answers a file keeps for rivex-batch; a file without them has none.
std::vector<PlaceholderAnswer> Answers(const Json& json) {
    constexpr std::string_view key = "answers";
    std::vector<PlaceholderAnswer> answers;
    if (!json.contains(key)) return answers;
    const Json& list = json[key];
    if (!list.is_array()) throw WrongForm(key);
    for (const Json& a : list) {
        if (!a.is_object() || a.size() != 3) throw WrongForm(key);
        const Json& last = Member(a, "last");
        if (!last.is_boolean()) throw WrongForm(key);
        answers.push_back({Text(a, "left"), Text(a, "right"), last.get<bool>()});
    }
    return answers;
}

// `path` made absolute, with no "." or ".." left and links left as they are (a link named in
// a job may lead elsewhere next month); as it is when the current folder is gone.
std::filesystem::path Absolute(const std::filesystem::path& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return (error ? path : absolute).lexically_normal();
}

bool IsPathName(const std::string& trimmed) {
    return !trimmed.empty() && trimmed != "-" && !trimmed.starts_with('/');
}

// A file name as a conditions file in `folder` keeps it: a relative one relative to that
// folder, so that the file finds it wherever it is used from.
std::string KeptName(const std::string& name, const std::filesystem::path& folder) {
    const std::string trimmed = TrimSide("B", name);
    if (!IsPathName(trimmed)) return name;
    const std::filesystem::path kept = Absolute(trimmed).lexically_relative(Absolute(folder));
    return kept.empty() ? trimmed : kept.string();
}

// A name kept by a conditions file in `folder`, as found from there: relative to the
// current folder again, so that a file saved and loaded in one folder keeps its bytes.
std::string FoundName(const std::string& name, const std::filesystem::path& folder) {
    const std::string trimmed = TrimSide("B", name);
    if (!IsPathName(trimmed)) return name;
    const std::filesystem::path found = Absolute(folder / trimmed);
    std::error_code error;
    const std::filesystem::path here = std::filesystem::current_path(error);
    const std::filesystem::path relative =
        error ? std::filesystem::path() : found.lexically_relative(here.lexically_normal());
    return relative.empty() ? found.string() : relative.string();
}

ExtractionRequest FormOf(const ConditionsJson& read) {
    const Json& json = read.members;
    if (!json.is_object() || !json.contains("format") || json["format"] != kFormat) {
        throw Unreadable{{Phrase::ConditionsNotConditions}};
    }
    const Json& version = Member(json, "version");
    if (!version.is_number_integer()) throw WrongForm("version");
    if (version != kVersion) {
        throw Unreadable{{Phrase::ConditionsVersion, {version.dump()}}};
    }
    ExtractionRequest form;
    form.SourceName = Text(json, "sourceFile");
    form.OutputName = Text(json, "outputFile");
    form.FieldMode = NamedOrNull(json, "fieldMode", kFieldModeNames);
    form.FieldRows = GridRows<4>(read, "fields");
    form.FieldNames = FieldNamesOf(json);
    form.SelectMode = NamedOrNull(json, "selectMode", kSelectModeNames);
    form.SelectionRows = GridRows<2>(read, "ranges");
    form.KeyPositions = Text(json, "keyPositions");
    const Json& exclude = Member(json, "exclude");
    if (!exclude.is_boolean()) throw WrongForm("exclude");
    form.ExcludeListed = exclude.get<bool>();
    form.Order = NamedOrNull(json, "codeOrder", kCodeOrderNames);
    form.LineRules = Named(json, "lineEnd", kLineRuleNames);
    form.OutputLineEnds = Named(json, "outputLineEnd", kOutputLineEndNames);
    form.Encoding = EncodingOf(json);
    form.Output = OutputFormOf(json);
    form.Answers = Answers(json);
    return form;
}

}  // namespace

std::string ConditionsText(const ExtractionRequest& form) {
    OrderedJson json;
    json["format"] = kFormat;
    json["version"] = kVersion;
    json["sourceFile"] = form.SourceName;
    json["outputFile"] = form.OutputName;
    json["fieldMode"] = NameOrNull(form.FieldMode, kFieldModeNames);
    json["fields"] = Rows(form.FieldRows);
    if (std::ranges::any_of(form.FieldNames, [](const std::string& n) { return !n.empty(); })) {
        json["fieldNames"] = form.FieldNames;
    }
    json["selectMode"] = NameOrNull(form.SelectMode, kSelectModeNames);
    json["ranges"] = Rows(form.SelectionRows);
    json["keyPositions"] = form.KeyPositions;
    json["exclude"] = form.ExcludeListed;
    json["codeOrder"] = NameOrNull(form.Order, kCodeOrderNames);
    json["lineEnd"] = NameOf(kLineRuleNames, form.LineRules);
    json["outputLineEnd"] = NameOf(kOutputLineEndNames, form.OutputLineEnds);
    json["encoding"] = InfoOf(form.Encoding).name;
    json["outputFormat"] = NameOf(kOutputFormatNames, form.Output.Format);
    json["trim"] = form.Output.Trim;
    json["outputEncoding"] = NameOf(kOutputEncodingNames, form.Output.Encoding);
    json["header"] = form.Output.Header;
    if (!form.Answers.empty()) {
        OrderedJson& answers = json["answers"] = OrderedJson::array();
        for (const PlaceholderAnswer& a : form.Answers) {
            answers.push_back({{"left", a.left}, {"right", a.right}, {"last", a.last}});
        }
    }
    return json.dump(2) + "\n";
}

std::variant<ExtractionRequest, Message> ReadConditions(std::string_view text) {
    try {
        return FormOf(ParseConditionsJson(text, kGridKeys));
    } catch (const Json::parse_error& e) {
        const auto [line, column] = LineAndColumn(text, e.byte == 0 ? 0 : e.byte - 1);
        return Message{Phrase::ConditionsJsonAt, {std::to_string(line), std::to_string(column)}};
    } catch (const Json::out_of_range&) {
        return Message{Phrase::ConditionsNumberTooLarge};
    } catch (const Json::exception&) {
        return Message{Phrase::ConditionsNotJson};
    } catch (const Unreadable& e) {
        return e.message;
    }
}

std::string ReadConditionsFile(const std::string& path) {
    // A FIFO opens without waiting for a writer, and is then refused like any other non-file.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) throw FileError(errno, path);
    const auto refuse = [fd, &path](Message message) {
        ::close(fd);
        return PlatformError(std::move(message), path);
    };
    struct stat st {};
    if (::fstat(fd, &st) != 0) throw refuse(FileError(errno, path).told());
    if (!S_ISREG(st.st_mode)) throw refuse({Phrase::ConditionsNotRegular});
    std::string bytes(kMostConditionsBytes + 1, '\0');
    const ssize_t read = ReadFully(fd, bytes.data(), bytes.size(), 0);
    if (read < 0) throw refuse(FileError(errno, path).told());
    const auto got = static_cast<std::size_t>(read);
    if (got > kMostConditionsBytes) throw refuse({Phrase::ConditionsTooLarge});
    ::close(fd);
    bytes.resize(got);
    return bytes;
}

void SaveConditions(const std::string& path, const ExtractionRequest& form) {
    for (const std::string* text : Texts(form)) {
        if (!IsUtf8(*text)) {
            throw PlatformError({Phrase::ConditionsNotUtf8, {Shown(*text)}}, path);
        }
    }
    std::error_code error;
    const std::filesystem::path target = std::filesystem::exists(path, error)
                                             ? std::filesystem::canonical(path, error)
                                             : std::filesystem::path(path);
    if (std::filesystem::is_directory(target, error)) throw FileError(EISDIR, path);
    if (std::filesystem::exists(target, error) && !IsConditionsFile(target)) {
        throw PlatformError({Phrase::ConditionsSaveOverOther}, path);
    }
    ExtractionRequest kept = form;
    kept.SourceName = KeptName(form.SourceName, FolderOf(target));
    kept.OutputName = KeptName(form.OutputName, FolderOf(target));
    ReplaceWhole(target, ConditionsText(kept));
}

std::variant<ExtractionRequest, Message> LoadConditions(const std::string& path) {
    auto read = ReadConditions(ReadConditionsFile(path));
    if (auto* form = std::get_if<ExtractionRequest>(&read)) {
        // Saved beside the file a link leads to, the names are found from there too.
        std::error_code error;
        const std::filesystem::path resolved = std::filesystem::canonical(path, error);
        const std::filesystem::path folder = FolderOf(
            std::filesystem::is_symlink(path) && !error ? resolved : std::filesystem::path(path));
        form->SourceName = FoundName(form->SourceName, folder);
        form->OutputName = FoundName(form->OutputName, folder);
    }
    return read;
}

}  // namespace rivex
