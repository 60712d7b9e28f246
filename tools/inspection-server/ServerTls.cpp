#include "ServerTls.h"

#include <openssl/err.h>
#include <openssl/ssl.h>

namespace {

// The reason of the last OpenSSL error of this thread, or fallback; clears the queue.
std::string lastError(const std::string& fallback) {
    const unsigned long code = ERR_peek_last_error();
    ERR_clear_error();
    const char* reason = code ? ERR_reason_error_string(code) : nullptr;
    return reason ? reason : fallback;
}

} // namespace

std::unique_ptr<ServerTls> ServerTls::load(const std::string& certFile, const std::string& keyFile,
                                           std::string& error) {
    SSL_CTX* context = SSL_CTX_new(TLS_server_method());
    if (!context) {
        error = "cannot set up TLS: " + lastError("out of memory");
        return nullptr;
    }
    std::unique_ptr<ServerTls> tls(new ServerTls(context));
    SSL_CTX_set_min_proto_version(context, TLS1_2_VERSION);
    if (SSL_CTX_use_certificate_chain_file(context, certFile.c_str()) != 1)
        error = "cannot read the certificate " + certFile + ": " + lastError("unreadable");
    else if (SSL_CTX_use_PrivateKey_file(context, keyFile.c_str(), SSL_FILETYPE_PEM) != 1)
        error = "cannot read the key " + keyFile + ": " + lastError("unreadable");
    else if (SSL_CTX_check_private_key(context) != 1)
        error = "the key " + keyFile + " does not belong to the certificate " + certFile;
    return error.empty() ? std::move(tls) : nullptr;
}

ServerTls::~ServerTls() {
    SSL_CTX_free(context_);
}

SSL* ServerTls::accept(int sock, std::string& refusal) const {
    SSL* session = SSL_new(context_);
    if (session && SSL_set_fd(session, sock) == 1 && SSL_accept(session) == 1) return session;
    refusal = lastError("the client ended the handshake");
    SSL_free(session);
    return nullptr;
}

void endTlsSession(SSL* session) {
    SSL_shutdown(session);
    SSL_free(session);
    ERR_clear_error();
}
