#pragma once

#include "geocode/http_limits.h"

#include <string>

// One GET exchange with the geocoding service: agent "Test:GoogleMap", the fixed header lines,
// no body, redirects followed, HTTPS checked against the system's certificates, no proxy. The
// body is read whatever the HTTP status and returned as narrow text (utf8ToNarrow). Empty when
// the exchange failed: no connection within the limits, no complete answer within them, or an
// answer larger than they allow. A URL of the embedded geocoder ("builtin:...") is answered by
// it, with no network and in the same shape.
std::string fetchText(const std::string& url, const HttpLimits& limits = {});
