#pragma once

#include <chrono>
#include <string>

// Waits, when needed, until `interval` has passed since the last request this process made to
// `endpoint`, and books this request's turn. Callers on several threads are served one interval
// apart in the order they came; each waits at most an interval for each caller before it.
void waitForTurn(const std::string& endpoint, std::chrono::milliseconds interval);
