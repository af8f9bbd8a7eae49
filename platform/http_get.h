#pragma once

#include "platform/http_limits.h"

#include <functional>
#include <optional>
#include <string>

// One GET exchange over HTTP or HTTPS: agent "Test:GoogleMap", the fixed header lines, no body,
// redirects followed, certificates checked against the system's, no proxy. The body is returned
// whatever the HTTP status. Nothing when the exchange failed: no connection within the limits,
// no complete answer within them, an answer larger than they allow, or `keepGoing` (asked about
// at least every 50 ms and whenever bytes arrive) turned false.
std::optional<std::string> HttpGet(const std::string& url, const HttpLimits& limits,
                                   const std::function<bool()>& keepGoing = {});
