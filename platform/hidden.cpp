#include "platform/hidden.h"

#include "platform/file_contents.h"

#include <algorithm>
#include <cerrno>
#include <mutex>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace {

struct PathParts {
    std::string parent; // ends in '/', or empty for the current folder
    std::string name;
};

PathParts SplitPath(std::string path) {
    while (path.size() > 1 && path.ends_with('/')) {
        path.pop_back();
    }
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return {"", path};
    }
    return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

std::string HiddenList(const PathParts& parts) {
    return parts.parent + ".hidden";
}

// Names are compared byte for byte; only a CR left by a Windows editor is dropped.
std::string_view Line(std::string_view line) {
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    return line;
}

bool IsListed(std::string_view list, std::string_view name) {
    while (!list.empty()) {
        const std::size_t end = std::min(list.find('\n'), list.size());
        if (Line(list.substr(0, end)) == name) {
            return true;
        }
        list.remove_prefix(std::min(end + 1, list.size()));
    }
    return false;
}

std::string WithName(std::string list, const std::string& name) {
    if (!list.empty() && !list.ends_with('\n')) {
        list += '\n';
    }
    return list + name + '\n';
}

} // namespace

HiddenNames::HiddenNames(const std::string& folder, const std::vector<std::string>& names) {
    if (names.empty()) {
        return;
    }
    // Only the names asked about are kept: a large list costs one pass, not a set of its own.
    const std::unordered_set<std::string_view> asked(names.begin(), names.end());
    const std::optional<std::string> list = ReadWholeFile(folder + ".hidden");
    std::string_view rest = list ? std::string_view(*list) : std::string_view();
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        if (const std::string_view line = Line(rest.substr(0, end)); asked.contains(line)) {
            listed_.emplace(line);
        }
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
}

bool HiddenNames::hides(const std::string& name) const {
    return name.starts_with('.') || listed_.contains(name);
}

namespace {

// Adds the names missing from the list at `listPath` with one rewrite of it.
bool AddNames(const PathAt& listPath, const std::vector<std::string>& names) {
    // Two threads adding to one folder would otherwise each drop the other's line.
    static std::mutex writing;
    std::lock_guard guard(writing);
    const std::optional<std::string> list = ReadWholeFile(listPath);
    if (!list && errno != ENOENT) {
        return false;
    }
    std::string updated = list.value_or("");
    for (const std::string& name : names) {
        if (!IsListed(updated, name)) {
            updated = WithName(std::move(updated), name);
        }
    }
    // A list that is a link to a file elsewhere may be read through, never written through.
    return list == updated ||
           ReplaceFileAtomically(listPath, updated, Durability::CallerSyncs, LinkAtPath::Replaced);
}

bool Hideable(const PathParts& parts) {
    return !parts.name.empty() && parts.name.find('\n') == std::string::npos;
}

} // namespace

bool AddHidden(const PathAt& path) {
    const PathParts parts = SplitPath(path.path);
    return Hideable(parts) && AddNames(PathAt{path.base, HiddenList(parts)}, {parts.name});
}

void HiddenBatch::add(const std::string& path) {
    const PathParts parts = SplitPath(path);
    if (Hideable(parts)) {
        names_[HiddenList(parts)].push_back(parts.name);
    } else {
        unwritten_.push_back({HiddenList(parts), EINVAL});
    }
}

std::vector<HiddenBatch::Unwritten> HiddenBatch::flush() {
    for (const auto& [list, names] : names_) {
        if (!AddNames(PathAt{base_, list}, names)) {
            unwritten_.push_back({list, errno});
        }
    }
    names_.clear();
    return std::exchange(unwritten_, {});
}
