#pragma once

#include <string>
#include <string_view>
#include <unordered_map>

// The translations of a compiled gettext catalogue (a ".mo" file), read straight from its bytes
// so that no locale, and no LANGUAGE setting of the user's, decides which language comes out.
using MessageCatalogue = std::unordered_map<std::string, std::string>;

// Every message with a non-empty original and translation, keyed by the original. Plural and
// context forms keep only their first part. A file without the catalogue's magic number, or
// whose tables lie outside it, gives an empty catalogue; a single message whose text lies
// outside it is skipped.
MessageCatalogue readMessageCatalogue(std::string_view bytes);
