#include "ConnectionAbort.h"

#include <httplib.h>

#include <arpa/inet.h>
#include <cstdlib>
#include <filesystem>
#include <netinet/in.h>
#include <sys/socket.h>

namespace {

int portOf(const sockaddr_storage& address) {
    if (address.ss_family == AF_INET)
        return ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
    if (address.ss_family == AF_INET6)
        return ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port);
    return -1;
}

// Whether fd is a TCP connection from localPort to remotePort (-1: any).
bool connects(int fd, int localPort, int remotePort) {
    sockaddr_storage local{}, remote{};
    socklen_t localSize = sizeof local, remoteSize = sizeof remote;
    if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &localSize) != 0) return false;
    if (getpeername(fd, reinterpret_cast<sockaddr*>(&remote), &remoteSize) != 0) return false;
    return portOf(local) == localPort && (remotePort < 0 || portOf(remote) == remotePort);
}

// Shuts down (never closes: cpp-httplib still owns and closes the
// descriptors) the connections between the ports; returns how many.
int shutDown(int localPort, int remotePort) {
    int count = 0;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", ec)) {
        const int fd = std::atoi(entry.path().filename().c_str());
        if (connects(fd, localPort, remotePort) && shutdown(fd, SHUT_RDWR) == 0) ++count;
    }
    return count;
}

} // namespace

bool abortConnection(const httplib::Request& request) {
    return shutDown(request.local_port, request.remote_port) > 0;
}

void abortConnections(int localPort) {
    shutDown(localPort, -1);
}
