#pragma once

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

// A real HTTP server on 127.0.0.1 at a free port, serving on its own thread from construction
// until destruction, which stops it and joins the thread. `handler` answers every GET; it runs
// on the server's threads.
class LoopbackServer {
public:
    using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;

    explicit LoopbackServer(Handler handler);
    ~LoopbackServer();
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;

    // False when no port could be bound or the server did not start listening.
    bool running() const { return running_; }
    // "http://127.0.0.1:<port>", no trailing slash.
    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_); }

private:
    httplib::Server server_;
    std::thread thread_;
    std::atomic<bool> finished_{false};
    int port_ = -1;
    bool running_ = false;
};

// A socket on 127.0.0.1 that listens but never accepts: connections complete in the kernel and
// no answer ever comes.
class SilentListener {
public:
    SilentListener();
    ~SilentListener();
    SilentListener(const SilentListener&) = delete;
    SilentListener& operator=(const SilentListener&) = delete;

    std::string url() const { return "http://127.0.0.1:" + std::to_string(port_); }
    // Whether a connection has come within `limit`.
    bool connected(std::chrono::milliseconds limit) const;

private:
    int socket_ = -1;
    int port_ = 0;
};

// A port on 127.0.0.1 that was free a moment ago and has nothing listening on it.
int ClosedPort();
