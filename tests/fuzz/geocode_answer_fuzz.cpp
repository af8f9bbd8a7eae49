#include "geocode/geocode_answer.h"
#include "geocode/nominatim_answer.h"
#include "geocode/utf8_to_narrow.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Everything the client does with an answer once its bytes have arrived.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text = utf8ToNarrow({reinterpret_cast<const char*>(data), size});
    // Valid text is kept as it is, so a second pass must change nothing.
    if (text.find('\0') != std::string::npos || utf8ToNarrow(text) != text) {
        __builtin_trap();
    }
    std::vector<std::string> components = {"earlier"};
    const int result = readGeocodeAnswer(text, components);
    const bool known = result == kGeocodeOk || result == kGeocodeOverQueryLimit ||
                       result == kGeocodeRefused || result == kGeocodeFailed;
    if (!known || components.back() != "earlier" ||
        (result != kGeocodeOk && components.size() != 1)) {
        __builtin_trap();
    }
    // The web service's other dialect: JSON as it arrives, never thrown out of the reader.
    std::vector<std::string> parts = {"earlier"};
    const int read = readNominatimAnswer({reinterpret_cast<const char*>(data), size}, parts);
    if ((read != kGeocodeOk && read != kGeocodeFailed) || parts.back() != "earlier" ||
        (read != kGeocodeOk && parts.size() != 1)) {
        __builtin_trap();
    }
    return 0;
}
