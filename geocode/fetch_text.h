#pragma once

#include "platform/http_limits.h"

#include <functional>
#include <string>

// One exchange with the geocoding service (HttpGet); the body, whatever the HTTP status, as
// narrow text (utf8ToNarrow). Empty when the exchange failed or was broken off because
// `keepGoing` turned false. A URL of the embedded geocoder ("builtin:...") is answered by it,
// with no network and in the same shape.
std::string fetchText(const std::string& url, const HttpLimits& limits = {},
                      const std::function<bool()>& keepGoing = {});
