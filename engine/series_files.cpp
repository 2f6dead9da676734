#include "engine/series_files.h"

#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <span>
#include <string_view>

namespace rivex {
namespace {

// One folder or file name as a pattern of fnmatch(3): "@" any text, everything else itself.
std::string PartPattern(std::string_view part) {
    std::string pattern;
    for (const char c : part) {
        if (c == '@') {
            pattern += '*';
            continue;
        }
        if (c == '*' || c == '?' || c == '[' || c == ']' || c == '\\') pattern += '\\';
        pattern += c;
    }
    return pattern;
}

std::string Join(const std::string& base, std::string_view part) {
    if (base.empty()) return std::string(part);
    return base.ends_with('/') ? base + std::string(part) : base + "/" + std::string(part);
}

class Walk {
  public:
    // False once the budget of entries is spent.
    bool From(const std::string& base, std::span<const std::string> parts) {
        if (parts.empty()) {
            struct stat st {};
            if (::stat(base.c_str(), &st) == 0) found_.emplace_back(st.st_dev, st.st_ino);
            return true;
        }
        if (parts.front().find('@') == std::string::npos) {
            return From(Join(base, parts.front()), parts.subspan(1));
        }
        DIR* folder = ::opendir(base.empty() ? "." : base.c_str());
        if (folder == nullptr) return true;
        const std::string pattern = PartPattern(parts.front());
        bool within = true;
        while (const dirent* entry = ::readdir(folder)) {
            if (budget_-- == 0) {
                within = false;
                break;
            }
            const std::string_view name = entry->d_name;
            if (name == "." || name == ".." ||
                ::fnmatch(pattern.c_str(), entry->d_name, FNM_PERIOD) != 0) {
                continue;
            }
            if (!From(Join(base, name), parts.subspan(1))) {
                within = false;
                break;
            }
        }
        ::closedir(folder);
        return within;
    }

    std::vector<FileId> found_;

  private:
    std::size_t budget_ = kMostSeriesEntries;
};

}  // namespace

std::optional<std::vector<FileId>> ExistingSeriesFiles(const std::string& name) {
    std::vector<std::string> parts;
    for (std::size_t from = 0; from <= name.size();) {
        const std::size_t slash = std::min(name.find('/', from), name.size());
        if (slash > from) parts.push_back(name.substr(from, slash - from));
        from = slash + 1;
    }
    Walk walk;
    if (!walk.From(name.starts_with('/') ? "/" : "", parts)) return std::nullopt;
    return std::move(walk.found_);
}

}  // namespace rivex
