#pragma once

#include <memory>
#include <string>

typedef struct ssl_ctx_st SSL_CTX;
typedef struct ssl_st SSL;

// The server's side of TLS: its certificate and key, and the handshake that
// wraps an accepted connection in them.
class ServerTls {
  public:
    // Loads a PEM certificate (with its chain) and the PEM key that belongs to
    // it. Returns none and sets error when either cannot be read or they do
    // not match.
    static std::unique_ptr<ServerTls> load(const std::string& certFile, const std::string& keyFile,
                                           std::string& error);
    ~ServerTls();
    ServerTls(const ServerTls&) = delete;
    ServerTls& operator=(const ServerTls&) = delete;

    // Performs the handshake on the blocking socket sock, waiting no longer
    // than the socket's own time-outs allow. Returns the session, or null with
    // the reason in refusal (the client hung up, refused the certificate,
    // spoke plain HTTP, ...).
    SSL* accept(int sock, std::string& refusal) const;

  private:
    explicit ServerTls(SSL_CTX* context) : context_(context) {}

    SSL_CTX* context_;
};

// Sends the closing alert of session, without waiting for the client's.
void endTlsSession(SSL* session);
