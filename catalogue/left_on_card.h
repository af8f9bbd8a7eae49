#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

// What a file below the source that is neither a photo nor a photo's companion is, or a photo in
// a hidden folder: it stays on the card, and the user must hear of it before formatting the card.
enum class LeftKind { Video, RawOnly, Picture, Other, HiddenPhoto };

inline constexpr std::size_t kLeftKindCount = 5;

// The kind by the name's extension (never HiddenPhoto), ASCII letters in any case; a RAW here is
// one without its JPEG.
LeftKind LeftKindOf(const std::string& name);

// The files a walk leaves on the card, by kind, each kind's paths in walk order.
struct LeftOnCard {
    std::array<std::vector<std::string>, kLeftKindCount> paths;

    void add(LeftKind kind, const std::string& path);
    const std::vector<std::string>& of(LeftKind kind) const;
    std::size_t count(LeftKind kind) const { return of(kind).size(); }
    bool empty() const;
    void clear();
};
