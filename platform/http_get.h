#pragma once

#include "platform/http_limits.h"

#include <functional>
#include <optional>
#include <string>

inline constexpr char kHttpAgent[] = "Test:GoogleMap";

// One GET exchange over HTTP or HTTPS: agent `agent`, the fixed header lines, no body,
// redirects followed, certificates checked against the system's, no proxy. The body is returned
// whatever the HTTP status, which goes to `status` when it is given. Nothing when the exchange
// failed: no connection within the limits, no complete answer within them, an answer larger than
// they allow, or `keepGoing` (asked at least every 50 ms and whenever bytes arrive) turned false.
std::optional<std::string> HttpGet(const std::string& url, const HttpLimits& limits,
                                   const std::function<bool()>& keepGoing = {},
                                   const std::string& agent = kHttpAgent, long* status = nullptr);
