#include "BoundedHttpServer.h"

#include "ServerTls.h"

#include <nlohmann/json.hpp>
#include <openssl/ssl.h>

#include <arpa/inet.h>
#include <cerrno>
#include <charconv>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>

namespace {

using Clock = std::chrono::steady_clock;

constexpr size_t kReadBuffer = 64 << 10;
// A refused body is left unread; the client gets this long to take the
// answer before the connection is dropped under it.
constexpr double kLingerSeconds = 1;
constexpr int kListenQueue = 256;
constexpr size_t kKeepAliveRequests = 100;

void addressOf(const sockaddr_storage& address, std::string& ip, int& port) {
    char text[INET6_ADDRSTRLEN] = "";
    if (address.ss_family == AF_INET) {
        const auto& in = reinterpret_cast<const sockaddr_in&>(address);
        inet_ntop(AF_INET, &in.sin_addr, text, sizeof text);
        port = ntohs(in.sin_port);
    } else if (address.ss_family == AF_INET6) {
        const auto& in6 = reinterpret_cast<const sockaddr_in6&>(address);
        inet_ntop(AF_INET6, &in6.sin6_addr, text, sizeof text);
        port = ntohs(in6.sin6_port);
    }
    ip = text;
}

// One client connection, in TLS when the server has it, read through a
// buffer under two clocks: a deadline for the request line and headers, and
// the idle time for every wait.
class Connection : public httplib::Stream {
  public:
    Connection(socket_t sock, const ServerLimits& limits, const ServerTls* tls)
        : sock_(sock), limits_(limits), tls_(tls) {}

    // Wraps the connection in TLS when the server speaks it: the handshake
    // must end within the header time. Returns false, with the reason in
    // refusal, when it fails.
    bool open(std::string& refusal) {
        if (!tls_) return true;
        // The session reads and writes the blocking socket itself; these bound its waits.
        setTimeout(SO_RCVTIMEO, limits_.headerSeconds);
        setTimeout(SO_SNDTIMEO, limits_.idleSeconds);
        session_ = tls_->accept(sock_, refusal);
        setTimeout(SO_RCVTIMEO, limits_.idleSeconds);
        return session_ != nullptr;
    }

    // Waits for the first bytes of the next request; false when none come.
    bool awaitRequest() { return hasBytes() || awaitReadable(limits_.keepAliveSeconds); }

    void beginHeaders() {
        headerDeadline_ = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                             std::chrono::duration<double>(limits_.headerSeconds));
        headerBytes_ = 0;
        readingHeaders_ = true;
    }
    void endHeaders() { readingHeaders_ = false; }
    bool readingHeaders() const { return readingHeaders_; }

    void closeAfterAnswer() { closing_ = true; }
    bool closing() const { return closing_; }

    // Ends the connection: no more answers, a short wait for the client to
    // take the last one, then the socket is closed.
    void close() {
        if (session_) endTlsSession(std::exchange(session_, nullptr));
        shutdown(sock_, SHUT_WR);
        const auto until = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                              std::chrono::duration<double>(kLingerSeconds));
        char sink[16 << 10];
        while (Clock::now() < until && awaitReadable(secondsUntil(until)) &&
               recv(sock_, sink, sizeof sink, 0) > 0) {
        }
        ::close(sock_);
    }

    bool is_readable() const override { return hasBytes() || awaitReadable(waitSeconds()); }

    bool is_writable() const override { return awaitWritable(); }

    ssize_t read(char* ptr, size_t size) override {
        if (buffered() == 0) {
            if (readingHeaders_ && headerBytes_ >= limits_.maxHeaderBytes) return -1;
            if (!hasBytes() && !awaitReadable(waitSeconds())) return -1;
            // Large reads go straight to the caller's memory.
            if (size >= kReadBuffer && !readingHeaders_) return receive(ptr, size);
            const ssize_t n = receive(buffer_, kReadBuffer);
            if (n <= 0) return n;
            begin_ = 0;
            end_ = static_cast<size_t>(n);
            if (readingHeaders_) headerBytes_ += end_;
        }
        const size_t n = std::min(size, buffered());
        std::memcpy(ptr, buffer_ + begin_, n);
        begin_ += n;
        return static_cast<ssize_t>(n);
    }

    ssize_t write(const char* ptr, size_t size) override {
        if (!awaitWritable()) return -1;
        if (session_) {
            const int n =
                SSL_write(session_, ptr, static_cast<int>(std::min<size_t>(size, INT_MAX)));
            return n > 0 ? n : -1;
        }
        ssize_t n;
        do {
            n = send(sock_, ptr, size, MSG_NOSIGNAL);
        } while (n < 0 && errno == EINTR);
        return n;
    }

    void get_remote_ip_and_port(std::string& ip, int& port) const override {
        sockaddr_storage address{};
        socklen_t size = sizeof address;
        if (getpeername(sock_, reinterpret_cast<sockaddr*>(&address), &size) == 0)
            addressOf(address, ip, port);
    }

    void get_local_ip_and_port(std::string& ip, int& port) const override {
        sockaddr_storage address{};
        socklen_t size = sizeof address;
        if (getsockname(sock_, reinterpret_cast<sockaddr*>(&address), &size) == 0)
            addressOf(address, ip, port);
    }

    socket_t socket() const override { return sock_; }

  private:
    size_t buffered() const { return end_ - begin_; }
    // Bytes that can be read without waiting: in the buffer, or decrypted by the session.
    bool hasBytes() const { return buffered() > 0 || (session_ && SSL_pending(session_) > 0); }

    void setTimeout(int option, double seconds) const {
        timeval time{};
        time.tv_sec = static_cast<time_t>(seconds);
        time.tv_usec = static_cast<suseconds_t>((seconds - double(time.tv_sec)) * 1e6);
        setsockopt(sock_, SOL_SOCKET, option, &time, sizeof time);
    }

    static double secondsUntil(Clock::time_point until) {
        return std::chrono::duration<double>(until - Clock::now()).count();
    }

    // The idle time, cut short by the header deadline while headers are read.
    double waitSeconds() const {
        return readingHeaders_ ? std::min(limits_.idleSeconds, secondsUntil(headerDeadline_))
                               : limits_.idleSeconds;
    }

    bool await(short events, double seconds) const {
        if (seconds <= 0) return false;
        pollfd fd{sock_, events, 0};
        const int ms = static_cast<int>(std::ceil(seconds * 1000));
        int ready;
        do {
            ready = poll(&fd, 1, ms);
        } while (ready < 0 && errno == EINTR);
        return ready > 0;
    }
    bool awaitReadable(double seconds) const { return await(POLLIN, seconds); }
    bool awaitWritable() const { return await(POLLOUT, limits_.idleSeconds); }

    ssize_t receive(char* ptr, size_t size) {
        if (session_) {
            const int n =
                SSL_read(session_, ptr, static_cast<int>(std::min<size_t>(size, INT_MAX)));
            if (n > 0) return n;
            return SSL_get_error(session_, n) == SSL_ERROR_ZERO_RETURN ? 0 : -1;
        }
        ssize_t n;
        do {
            n = recv(sock_, ptr, size, 0);
        } while (n < 0 && errno == EINTR);
        return n;
    }

    socket_t sock_;
    const ServerLimits& limits_;
    const ServerTls* tls_;
    SSL* session_ = nullptr;
    char buffer_[kReadBuffer];
    size_t begin_ = 0, end_ = 0;
    Clock::time_point headerDeadline_;
    size_t headerBytes_ = 0;
    bool readingHeaders_ = false;
    bool closing_ = false;
};

// The connection whose request this worker thread is handling.
thread_local Connection* current = nullptr;

// The announced body length: none when there is no Content-Length; an
// error message when its values are unreadable or differ.
struct AnnouncedLength {
    std::optional<uint64_t> bytes;
    std::string problem;
};

AnnouncedLength announcedLength(const httplib::Request& request) {
    AnnouncedLength length;
    const auto [first, last] = request.headers.equal_range("Content-Length");
    for (auto it = first; it != last; ++it) {
        const std::string& text = it->second;
        uint64_t value = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
        if (text.empty() || ec != std::errc() || end != text.data() + text.size())
            return {std::nullopt, "Content-Length 不是位元組數: " + text};
        if (length.bytes && *length.bytes != value)
            return {std::nullopt, "兩個不同的 Content-Length"};
        length.bytes = value;
    }
    return length;
}

std::string tooLarge(size_t limit) {
    return "上傳內容過大, 上限為 " + std::to_string(limit) + " 位元組";
}

} // namespace

BoundedHttpServer::BoundedHttpServer(const ServerLimits& limits) : limits_(limits) {
    new_task_queue = [workers = limits.workers] { return new httplib::ThreadPool(workers); };
    set_payload_max_length(limits.maxBodyBytes);
    // A client that waits for "100 Continue" hears of a refusal before it
    // sends the body.
    set_expect_100_continue_handler([this](const auto& request, auto& response) {
        return refuseUnboundedBody(request, response) ? response.status : 100;
    });
}

int BoundedHttpServer::bindTo(const std::string& host, int port) {
    const int bound = port == 0 ? bind_to_any_port(host) : (bind_to_port(host, port) ? port : -1);
    // cpp-httplib listens with a queue of five; a burst of clients would
    // see their connections dropped and retried a second later.
    if (bound >= 0) ::listen(svr_sock_, kListenQueue);
    return bound;
}

void BoundedHttpServer::refuse(httplib::Response& response, int status, const std::string& msg) {
    response.status = status;
    const nlohmann::json answer = {{"state", "1"}, {"msg", msg}};
    response.set_content(answer.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace),
                         "application/json; charset=utf-8");
}

void BoundedHttpServer::closeAfterAnswer(httplib::Response& response) {
    response.set_header("Connection", "close");
    if (current) current->closeAfterAnswer();
}

bool BoundedHttpServer::refuseUnboundedBody(const httplib::Request& request,
                                            httplib::Response& response) const {
    const AnnouncedLength length = announcedLength(request);
    if (!length.problem.empty())
        refuse(response, 400, length.problem);
    else if (length.bytes && *length.bytes > limits_.maxBodyBytes)
        refuse(response, 413, tooLarge(limits_.maxBodyBytes));
    else
        return false;
    closeAfterAnswer(response);
    return true;
}

std::optional<std::string> BoundedHttpServer::readBody(const httplib::Request& request,
                                                       httplib::Response& response) const {
    if (refuseUnboundedBody(request, response)) return std::nullopt;
    const std::optional<uint64_t> length = announcedLength(request).bytes;
    if (!length || request.has_header("Transfer-Encoding") || !current) {
        refuse(response, 411, "上傳需要 Content-Length");
        closeAfterAnswer(response);
        return std::nullopt;
    }
    std::string body(*length, '\0');
    for (size_t have = 0; have < body.size();) {
        const ssize_t n = current->read(body.data() + have, body.size() - have);
        if (n <= 0) {
            refuse(response, 400,
                   "上傳內容不完整: 只收到 " + std::to_string(have) + " / " +
                       std::to_string(body.size()) + " 位元組");
            closeAfterAnswer(response);
            return std::nullopt;
        }
        have += static_cast<size_t>(n);
    }
    return body;
}

BoundedHttpServer::~BoundedHttpServer() = default;

std::string BoundedHttpServer::useTls(const std::string& certFile, const std::string& keyFile,
                                      std::function<void(const std::string&)> refused) {
    std::string error;
    tls_ = ServerTls::load(certFile, keyFile, error);
    tlsRefused_ = std::move(refused);
    return error;
}

bool BoundedHttpServer::process_and_close_socket(socket_t sock) {
    Connection connection(sock, limits_, tls_.get());
    if (std::string refusal; !connection.open(refusal)) {
        if (tlsRefused_) tlsRefused_(refusal);
        connection.close();
        return false;
    }
    current = &connection;
    bool served = true;
    for (size_t count = 0; count < kKeepAliveRequests && svr_sock_ != INVALID_SOCKET &&
                           !connection.closing() && connection.awaitRequest();
         ++count) {
        connection.beginHeaders();
        bool closed = false;
        served = process_request(connection, count + 1 == kKeepAliveRequests, closed,
                                 [&connection](httplib::Request&) { connection.endHeaders(); });
        // Headers that never came whole leave no telling where the next
        // request would start.
        if (!served || closed || connection.readingHeaders()) break;
    }
    current = nullptr;
    connection.close();
    return served;
}
