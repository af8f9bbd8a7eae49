#pragma once

#include <string>

// Why a call failed, as the user reads it: a Japanese text of ours for the errno values a copy,
// a folder or a record meets in practice; the system's own text for any other. Thread-safe.
std::string ErrorText(int error);
