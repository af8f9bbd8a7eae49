#include "records/record_lines.h"

#include "platform/cp932.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr int kOpenAttempts = 10;
constexpr auto kOpenRetryWait = std::chrono::milliseconds(100);

// Linux has no exclusive opening to wait out, as the Windows readers had; only a passing
// shortage of descriptors or memory can make a later attempt succeed.
bool MayPass(int error) {
    return error == EINTR || error == EAGAIN || error == EMFILE || error == ENFILE ||
           error == ENOMEM;
}

// Non-blocking, so a FIFO planted under a record's name cannot hold the analysis.
int OpenRecord(const std::string& path) {
    for (int attempt = 1;; ++attempt) {
        const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
        if (fd >= 0 || !MayPass(errno) || attempt == kOpenAttempts) {
            return fd;
        }
        std::this_thread::sleep_for(kOpenRetryWait);
    }
}

// What a regular file of at most kMaxRecordBytes holds; a read error keeps what came before it.
std::string ReadWhole(int fd) {
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        static_cast<std::uint64_t>(status.st_size) > kMaxRecordBytes) {
        return {};
    }
    std::string bytes(static_cast<std::size_t>(status.st_size), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    bytes.resize(done);
    return bytes;
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) {
        return false;
    }
    return std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char a, char b) { return AsciiLower(a) == AsciiLower(b); });
}

// "<?xml version=1.0 encoding=UTF-8?>" as our writer puts it; quotes and case are forgiven.
bool DeclaresUtf8(std::string_view line) {
    if (!line.starts_with("<?xml")) {
        return false;
    }
    for (std::size_t at = 0; at < line.size(); ++at) {
        std::string_view rest = line.substr(at);
        if (!StartsWithIgnoringCase(rest, "encoding=")) {
            continue;
        }
        rest.remove_prefix(9);
        if (!rest.empty() && (rest.front() == '"' || rest.front() == '\'')) {
            rest.remove_prefix(1);
        }
        return StartsWithIgnoringCase(rest, "utf-8");
    }
    return false;
}

std::string_view TakeLine(std::string_view& bytes) {
    const std::size_t end = std::min(bytes.find('\n'), bytes.size());
    std::string_view line = bytes.substr(0, end);
    bytes.remove_prefix(std::min(end + 1, bytes.size()));
    if (line.ends_with('\r')) {
        line.remove_suffix(1);
    }
    return line;
}

} // namespace

int ReadRecordLines(const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    const int fd = OpenRecord(path);
    if (fd < 0) {
        return 0;
    }
    const std::string bytes = ReadWhole(fd);
    close(fd);
    return SplitRecordLines(bytes, lines);
}

int SplitRecordLines(std::string_view bytes, std::vector<std::string>& lines) {
    lines.clear();
    bool utf8 = false;
    while (!bytes.empty()) {
        const std::string_view line = TakeLine(bytes);
        if (line.empty()) {
            continue;
        }
        if (lines.empty()) {
            utf8 = DeclaresUtf8(line);
        }
        lines.push_back(utf8 ? std::string(line) : Cp932ToUtf8Replacing(std::string(line)));
    }
    return static_cast<int>(lines.size());
}

std::string JoinRecordLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
    }
    return text;
}

std::string FindElement(std::string_view name, std::string_view text) {
    const std::string open = "<" + std::string(name) + ">";
    const std::string close = "</" + std::string(name) + ">";
    const std::size_t start = text.find(open);
    if (start == std::string_view::npos) {
        return {};
    }
    const std::size_t valueStart = start + open.size();
    const std::size_t end = text.find(close, valueStart);
    if (end == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(valueStart, end - valueStart));
}
