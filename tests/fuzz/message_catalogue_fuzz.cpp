#include "geocode/message_catalogue.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// The embedded geocoder reads a system gettext catalogue through this parser.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const MessageCatalogue catalogue =
        readMessageCatalogue({reinterpret_cast<const char*>(data), size});
    // Texts may share the file's bytes, but none can be longer than the file.
    for (const auto& [original, translation] : catalogue) {
        if (original.empty() || translation.empty() || original.size() > size ||
            translation.size() > size || original.find('\0') != std::string_view::npos ||
            translation.find('\0') != std::string_view::npos) {
            __builtin_trap();
        }
    }
    return 0;
}
