#pragma once

#include <atomic>
#include <cstdint>

using WParam = std::uintptr_t;
using LParam = std::intptr_t;

struct WindowMessage {
    unsigned id = 0;
    WParam wParam = 0;
    LParam lParam = 0;
    // The worker job that sent it, so that a stopped job's messages can be dropped.
    const void* sender = nullptr;
};

// How workers and passes reach the main window. `post` queues the message for the UI thread;
// `send` waits until the UI thread has handled it, but gives up as soon as `running` reads 0,
// so that a stop never deadlocks with a worker blocked here.
class MessageTarget {
public:
    virtual ~MessageTarget() = default;
    virtual void post(const WindowMessage& message) = 0;
    // True when the message was handled; false when it was given up because `running` was
    // cleared (it is then never handled).
    virtual bool send(const WindowMessage& message, const std::atomic<int>& running) = 0;
    // Drops every queued message of `sender`; called once its thread has been joined, so no
    // message carrying a record pointer outlives the records.
    virtual void discard(const void* sender) = 0;
};
