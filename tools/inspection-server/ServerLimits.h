#pragma once

#include <cstddef>

// What one client may cost the server. A slow, silent or oversized client
// ties up one connection for a bounded time, never the whole server.
struct ServerLimits {
    // Larger bodies are refused with HTTP 413 before they are read.
    size_t maxBodyBytes = 64 << 20;
    // The request line and all headers must arrive within this time and size.
    double headerSeconds = 10;
    size_t maxHeaderBytes = 64 << 10;
    // The longest wait for the next bytes of a body, or for the client to
    // take the next bytes of an answer.
    double idleSeconds = 5;
    // How long an idle kept-alive connection waits for its next request.
    double keepAliveSeconds = 5;
    // Connections served at once; further ones wait for a free worker.
    size_t workers = 128;
};
