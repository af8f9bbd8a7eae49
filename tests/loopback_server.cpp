#include "tests/loopback_server.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr auto kStartWait = std::chrono::seconds(5);

// A TCP socket bound to 127.0.0.1 at a port the kernel picks; -1 on failure.
int BoundSocket(int& port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        return -1;
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        close(fd);
        return -1;
    }
    port = ntohs(address.sin_port);
    return fd;
}

} // namespace

LoopbackServer::LoopbackServer(Handler handler) {
    server_.Get(".*", std::move(handler));
    port_ = server_.bind_to_any_port("127.0.0.1");
    if (port_ <= 0) {
        ADD_FAILURE() << "no port to bind on 127.0.0.1";
        return;
    }
    thread_ = std::thread([this] {
        server_.listen_after_bind();
        finished_ = true;
    });
    // stop() only reaches a server that has begun to listen.
    const auto deadline = std::chrono::steady_clock::now() + kStartWait;
    while (!server_.is_running() && !finished_ && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    running_ = server_.is_running();
    EXPECT_TRUE(running_) << "the loopback server did not start";
}

LoopbackServer::~LoopbackServer() {
    if (!thread_.joinable()) {
        return;
    }
    if (running_) {
        server_.stop();
    }
    thread_.join();
}

SilentListener::SilentListener() {
    socket_ = BoundSocket(port_);
    EXPECT_GE(socket_, 0) << "no socket on 127.0.0.1";
    EXPECT_EQ(socket_ < 0 ? -1 : listen(socket_, 4), 0);
}

SilentListener::~SilentListener() {
    if (socket_ >= 0) {
        close(socket_);
    }
}

bool SilentListener::connected(std::chrono::milliseconds limit) const {
    // A listening socket reads as ready once a connection waits to be accepted.
    pollfd pending{socket_, POLLIN, 0};
    return socket_ >= 0 && poll(&pending, 1, static_cast<int>(limit.count())) == 1;
}

int ClosedPort() {
    int port = 0;
    const int fd = BoundSocket(port);
    EXPECT_GE(fd, 0) << "no socket on 127.0.0.1";
    if (fd >= 0) {
        close(fd);
    }
    return port;
}
