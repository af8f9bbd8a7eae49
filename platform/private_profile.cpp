#include "platform/private_profile.h"

#include "platform/file_contents.h"
#include "platform/leading_number.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <string_view>
#include <vector>

namespace {

struct Line {
    enum Kind { Other, Section, Entry };
    Kind kind = Other;
    std::string_view name; // section name or key, trimmed
    std::string_view value;
};

// The file's lines without their '\n'; a missing final '\n' is kept missing.
struct Profile {
    std::vector<std::string> lines;
    bool finalNewline = true;
};

struct Location {
    std::optional<std::size_t> section; // index of the header line
    std::size_t sectionEnd = 0;         // next header, or the end of the file
    std::optional<std::size_t> entry;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view WithoutCr(std::string_view line) {
    return line.ends_with('\r') ? line.substr(0, line.size() - 1) : line;
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

Line Parse(std::string_view text) {
    text = Trim(WithoutCr(text));
    if (text.starts_with('[')) {
        const std::size_t close = text.rfind(']');
        if (close == std::string_view::npos || close == 0) {
            return {};
        }
        return {Line::Section, Trim(text.substr(1, close - 1)), {}};
    }
    const std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) {
        return {};
    }
    return {Line::Entry, Trim(text.substr(0, equals)), Trim(text.substr(equals + 1))};
}

Profile Split(const std::string& text) {
    Profile profile;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        profile.finalNewline = end != std::string::npos;
        end = profile.finalNewline ? end : text.size();
        profile.lines.emplace_back(text, start, end - start);
        start = end + 1;
    }
    return profile;
}

std::string Join(const Profile& profile) {
    std::string text;
    for (std::size_t i = 0; i < profile.lines.size(); ++i) {
        text += profile.lines[i];
        if (i + 1 < profile.lines.size() || profile.finalNewline) {
            text += '\n';
        }
    }
    return text;
}

// Only the first section of that name counts, and in it the first line with that key.
Location Find(const std::vector<std::string>& lines, std::string_view section,
              std::string_view key) {
    Location location;
    location.sectionEnd = lines.size();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Line line = Parse(lines[i]);
        if (line.kind == Line::Section && location.section) {
            location.sectionEnd = i;
            break;
        }
        if (line.kind == Line::Section && EqualsIgnoringCase(line.name, section)) {
            location.section = i;
        } else if (line.kind == Line::Entry && location.section && !location.entry &&
                   EqualsIgnoringCase(line.name, key)) {
            location.entry = i;
        }
    }
    return location;
}

std::optional<std::string> FindValue(const std::string& section, const std::string& key,
                                     const std::string& path) {
    const std::optional<std::string> text = ReadWholeFile(path);
    if (!text) {
        return std::nullopt;
    }
    const Profile profile = Split(*text);
    const Location location = Find(profile.lines, Trim(section), Trim(key));
    if (!location.entry) {
        return std::nullopt;
    }
    return std::string(Parse(profile.lines[*location.entry]).value);
}

std::string CutToCapacity(std::string text, std::size_t capacity) {
    if (capacity == 0) {
        return {};
    }
    std::size_t end = capacity - 1;
    if (text.size() <= end) {
        return text;
    }
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    text.resize(end);
    return text;
}

// Keeps the key's spelling, its indentation and the blanks around '='; a CR line end stays.
void ReplaceValue(std::string& line, const std::string& value) {
    const std::string_view text = WithoutCr(line);
    std::size_t start = text.find('=') + 1;
    while (start < text.size() && IsBlank(text[start])) {
        ++start;
    }
    const bool crlf = text.size() != line.size();
    line = line.substr(0, start) + value + (crlf ? "\r" : "");
}

void Insert(Profile& profile, std::size_t index, std::string line) {
    if (index == profile.lines.size()) {
        profile.finalNewline = true;
    }
    profile.lines.insert(profile.lines.begin() + static_cast<std::ptrdiff_t>(index),
                         std::move(line));
}

// Blank lines that close a section stay between it and the next one.
std::size_t AfterLastContent(const std::vector<std::string>& lines, const Location& location) {
    std::size_t after = *location.section + 1;
    for (std::size_t i = after; i < location.sectionEnd; ++i) {
        if (!Trim(WithoutCr(lines[i])).empty()) {
            after = i + 1;
        }
    }
    return after;
}

void AppendSection(Profile& profile, std::string_view section, std::string entry) {
    if (!profile.lines.empty() && !Trim(WithoutCr(profile.lines.back())).empty()) {
        Insert(profile, profile.lines.size(), "");
    }
    Insert(profile, profile.lines.size(), "[" + std::string(section) + "]");
    Insert(profile, profile.lines.size(), std::move(entry));
}

void SetValue(Profile& profile, std::string_view section, std::string_view key,
              const std::string& value) {
    const Location location = Find(profile.lines, section, key);
    std::string entry = std::string(key) + "=" + value;
    if (location.entry) {
        ReplaceValue(profile.lines[*location.entry], value);
    } else if (location.section) {
        Insert(profile, AfterLastContent(profile.lines, location), std::move(entry));
    } else {
        AppendSection(profile, section, std::move(entry));
    }
}

bool HasLineBreak(const std::string& text) {
    return text.find_first_of("\r\n") != text.npos;
}

// A line break would split the entry, and '=' in a key would move it into the value.
bool CanBeWritten(const std::string& section, const std::string& key, const std::string& value) {
    return !HasLineBreak(section) && !HasLineBreak(key) && !HasLineBreak(value) &&
           key.find('=') == std::string::npos;
}

} // namespace

std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, const std::string& path,
                                    std::size_t capacity) {
    return CutToCapacity(FindValue(section, key, path).value_or(defaultValue), capacity);
}

// As the Windows call does, an empty value gives the default like a missing key.
int GetPrivateProfileInt(const std::string& section, const std::string& key, int defaultValue,
                         const std::string& path) {
    const std::optional<std::string> value = FindValue(section, key, path);
    return value && !value->empty() ? LeadingInt(*value) : defaultValue;
}

bool WritePrivateProfileString(const std::string& section, const std::string& key,
                               const std::string& value, const std::string& path) {
    return WritePrivateProfileStrings(section, {{key, value}}, path);
}

bool WritePrivateProfileStrings(const std::string& section, const ProfileEntries& entries,
                                const std::string& path) {
    for (const auto& [key, value] : entries) {
        if (!CanBeWritten(section, key, value)) {
            return false;
        }
    }
    std::optional<std::string> text = ReadWholeFile(path);
    if (!text && errno != ENOENT) {
        return false;
    }
    Profile profile = Split(text.value_or(""));
    for (const auto& [key, value] : entries) {
        SetValue(profile, Trim(section), Trim(key), value);
    }
    return ReplaceFileAtomically(path, Join(profile));
}
