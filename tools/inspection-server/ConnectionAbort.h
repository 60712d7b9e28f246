#pragma once

namespace httplib {
struct Request;
}

// Shuts down the connection that carried request, so its client gets no
// answer at all (cpp-httplib offers no way to drop a connection from a
// handler). Returns false when the connection was not found.
bool abortConnection(const httplib::Request& request);

// Shuts down every connection accepted on localPort, so that a stopping
// server does not wait for idle keep-alive clients to time out.
void abortConnections(int localPort);
