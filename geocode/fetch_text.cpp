#include "geocode/fetch_text.h"

#include "geocode/builtin_geocoder.h"
#include "geocode/geocoding_service.h"
#include "geocode/utf8_to_narrow.h"
#include "platform/http_get.h"

std::string fetchText(const std::string& url, const HttpLimits& limits,
                      const std::function<bool()>& keepGoing) {
    if (isBuiltinGeocodeUrl(url)) {
        return builtinGeocodeAnswer(url);
    }
    const std::optional<std::string> answer = HttpGet(url, limits, keepGoing);
    return answer ? utf8ToNarrow(*answer) : std::string();
}
