#include "ConnectionAbort.h"

#include <httplib.h>

#include <arpa/inet.h>
#include <cstdlib>
#include <filesystem>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>

namespace {

int portOf(const sockaddr_storage& address) {
    if (address.ss_family == AF_INET)
        return ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
    if (address.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port);
    return -1;
}

// Whether fd is a TCP connection between the two ports.
bool connects(int fd, int localPort, int remotePort) {
    sockaddr_storage local{}, remote{};
    socklen_t localSize = sizeof local, remoteSize = sizeof remote;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &localSize) != 0) return false;
    if (getpeername(fd, reinterpret_cast<sockaddr*>(&remote), &remoteSize) != 0) return false;
    return portOf(local) == localPort && portOf(remote) == remotePort;
}

} // namespace

bool abortConnection(const httplib::Request& request) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", ec)) {
        const std::string name = entry.path().filename().string();
        const int fd = std::atoi(name.c_str());
        if (connects(fd, request.local_port, request.remote_port)) {
            // Shut down, not closed: cpp-httplib still owns and closes the descriptor.
            shutdown(fd, SHUT_RDWR);
            return true;
        }
    }
    return false;
}
