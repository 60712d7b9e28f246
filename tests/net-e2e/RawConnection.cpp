#include "RawConnection.h"

#include <arpa/inet.h>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

RawConnection::RawConnection(int port) {
    fd_ = socket(AF_INET, SOCK_STREAM, 0);
    const int on = 1;
    setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd_);
        fd_ = -1;
    }
}

RawConnection::~RawConnection() {
    if (fd_ >= 0) close(fd_);
}

bool RawConnection::send(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (n <= 0) return false;
        bytes.remove_prefix(static_cast<size_t>(n));
    }
    return true;
}

void RawConnection::endWriting() {
    shutdown(fd_, SHUT_WR);
}

bool RawConnection::closedWithin(double seconds) {
    const auto start = Clock::now();
    while (!closed_ && fd_ >= 0) {
        const double left = seconds - secondsSince(start);
        if (left <= 0) return false;
        pollfd poller{fd_, POLLIN, 0};
        if (poll(&poller, 1, static_cast<int>(std::ceil(left * 1000))) <= 0) continue;
        char chunk[16 << 10];
        const ssize_t n = recv(fd_, chunk, sizeof chunk, 0);
        if (n <= 0) closed_ = true;
        if (n > 0) received_.append(chunk, static_cast<size_t>(n));
    }
    return true;
}

std::string RawConnection::readToEnd(double seconds) {
    closedWithin(seconds);
    return std::move(received_);
}

int statusOf(const std::string& answer) {
    if (answer.compare(0, 9, "HTTP/1.1 ") != 0 || answer.size() < 12) return 0;
    return std::atoi(answer.substr(9, 3).c_str());
}

std::string bodyOf(const std::string& answer) {
    const size_t end = answer.find("\r\n\r\n");
    return end == std::string::npos ? std::string() : answer.substr(end + 4);
}
