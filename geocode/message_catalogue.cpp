#include "geocode/message_catalogue.h"

#include "platform/byte_reader.h"

#include <cstdint>
#include <optional>
#include <span>

namespace {

constexpr std::uint32_t kMagic = 0x950412DE;
constexpr std::uint32_t kEntryBytes = 8;

std::optional<ByteReader> ReaderFor(std::span<const std::uint8_t> bytes) {
    for (const bool bigEndian : {false, true}) {
        const ByteReader reader(bytes, bigEndian);
        if (reader.u32(0) == kMagic) {
            return reader;
        }
    }
    return std::nullopt;
}

// The string a table entry points at, up to its first NUL: that cuts a plural form's second
// text, and a context stays in front of its original.
std::optional<std::string_view> EntryText(const ByteReader& reader, std::uint64_t entry) {
    const auto length = reader.u32(entry);
    const auto offset = reader.u32(entry + 4);
    if (!length || !offset) {
        return std::nullopt;
    }
    const auto text = reader.slice(*offset, *length);
    if (!text) {
        return std::nullopt;
    }
    const std::string_view view(reinterpret_cast<const char*>(text->data()), text->size());
    return view.substr(0, view.find('\0'));
}

} // namespace

MessageCatalogue readMessageCatalogue(std::string_view bytes) {
    const std::span<const std::uint8_t> span(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                             bytes.size());
    const auto reader = ReaderFor(span);
    if (!reader) {
        return {};
    }
    const auto count = reader->u32(8);
    const auto originals = reader->u32(12);
    const auto translations = reader->u32(16);
    // Both tables must lie inside the file before a single entry is read: a hostile count cannot
    // make the catalogue reserve or walk more than the file holds.
    if (!count || !originals || !translations ||
        !reader->slice(*originals, std::uint64_t{*count} * kEntryBytes) ||
        !reader->slice(*translations, std::uint64_t{*count} * kEntryBytes)) {
        return {};
    }
    MessageCatalogue catalogue;
    catalogue.reserve(*count);
    for (std::uint64_t i = 0; i < *count; ++i) {
        const auto original = EntryText(*reader, *originals + i * kEntryBytes);
        const auto translation = EntryText(*reader, *translations + i * kEntryBytes);
        if (original && translation && !original->empty() && !translation->empty()) {
            catalogue.emplace(*original, *translation);
        }
    }
    return catalogue;
}
