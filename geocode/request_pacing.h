#pragma once

#include <chrono>
#include <string>

// One request's turn at `endpoint`, held for the length of the exchange. Taking it waits, when
// needed, until `interval` has passed since the last request this process made there, and
// callers on several threads are served one interval apart in the order they came. Giving it back
// holds the next request until an interval after this one's answer too, so that the server never
// sees two requests closer than that, however the network delays either.
class RequestTurn {
public:
    RequestTurn(std::string endpoint, std::chrono::milliseconds interval);
    ~RequestTurn();
    RequestTurn(const RequestTurn&) = delete;
    RequestTurn& operator=(const RequestTurn&) = delete;

private:
    std::string endpoint_;
    std::chrono::milliseconds interval_;
};
