#pragma once

#include "platform/http_limits.h"

#include <string>

// One exchange with the geocoding service (HttpGet); the body, whatever the HTTP status, as
// narrow text (utf8ToNarrow). Empty when the exchange failed. A URL of the embedded geocoder
// ("builtin:...") is answered by it, with no network and in the same shape.
std::string fetchText(const std::string& url, const HttpLimits& limits = {});
