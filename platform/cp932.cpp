#include "platform/cp932.h"

#include <cerrno>
#include <iconv.h>
#include <string_view>

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// iconv descriptors carry state and must not be shared between threads; one per thread and
// direction also spares the module lookup on every call.
class Converter {
public:
    Converter(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {}
    ~Converter() {
        if (valid()) {
            iconv_close(descriptor_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Appends the converted form of the longest convertible start of `input`; returns its size.
    std::size_t convert(std::string_view input, std::string& output) {
        if (!valid()) {
            return 0;
        }
        iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        while (inLeft > 0) {
            char buffer[4096];
            char* out = buffer;
            std::size_t outLeft = sizeof buffer;
            const std::size_t result = iconv(descriptor_, &in, &inLeft, &out, &outLeft);
            output.append(buffer, static_cast<std::size_t>(out - buffer));
            if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
                break;
            }
        }
        return input.size() - inLeft;
    }

private:
    bool valid() const { return descriptor_ != reinterpret_cast<iconv_t>(-1); }

    iconv_t descriptor_;
};

Converter& ToCp932() {
    thread_local Converter converter("CP932", "UTF-8");
    return converter;
}

Converter& FromCp932() {
    thread_local Converter converter("UTF-8", "CP932");
    return converter;
}

std::optional<std::string> ConvertStrict(Converter& converter, std::string_view input) {
    std::string output;
    if (converter.convert(input, output) != input.size()) {
        return std::nullopt;
    }
    return output;
}

// A lead byte and the continuation bytes that follow it, or one stray byte.
std::size_t Utf8CharacterLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text.front());
    const std::size_t expected = lead >= 0xF5   ? 1
                                 : lead >= 0xF0 ? 4
                                 : lead >= 0xE0 ? 3
                                 : lead >= 0xC2 ? 2
                                                : 1;
    std::size_t length = 1;
    while (length < expected && length < text.size() &&
           (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
        ++length;
    }
    return length;
}

std::size_t OneByte(std::string_view) {
    return 1;
}

std::string ConvertReplacing(Converter& converter, std::string_view input,
                             std::string_view replacement,
                             std::size_t (*refusedLength)(std::string_view)) {
    std::string output;
    for (;;) {
        input.remove_prefix(converter.convert(input, output));
        if (input.empty()) {
            return output;
        }
        output += replacement;
        input.remove_prefix(refusedLength(input));
    }
}

} // namespace

std::optional<std::string> Utf8ToCp932Strict(const std::string& utf8) {
    return ConvertStrict(ToCp932(), utf8);
}

std::string Utf8ToCp932Replacing(const std::string& utf8) {
    return ConvertReplacing(ToCp932(), utf8, "?", Utf8CharacterLength);
}

std::optional<std::string> Cp932ToUtf8Strict(const std::string& cp932) {
    return ConvertStrict(FromCp932(), cp932);
}

std::string Cp932ToUtf8Replacing(const std::string& cp932) {
    return ConvertReplacing(FromCp932(), cp932, kReplacementCharacter, OneByte);
}
