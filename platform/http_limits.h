#pragma once

#include <chrono>
#include <cstddef>

// The bounds of one HTTP exchange. The defaults are the program's; tests pass shorter ones.
struct HttpLimits {
    std::chrono::milliseconds connect{10'000};
    std::chrono::milliseconds whole{30'000};
    // An answer up to this size is taken whole; a larger one fails the exchange.
    std::size_t answerBytes = 1 << 20;
};
