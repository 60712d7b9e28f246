#pragma once

#include <string>
#include <string_view>

// A client connection to 127.0.0.1 that writes exactly the bytes it is given,
// when it is told to: for probing the server where HTTP clients would not go.
class RawConnection {
  public:
    // Connects (with TCP_NODELAY, so every send leaves at once).
    explicit RawConnection(int port);
    ~RawConnection();
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    bool connected() const { return fd_ >= 0; }
    // Returns whether all bytes were written.
    bool send(std::string_view bytes);
    // Tells the server that nothing more will come.
    void endWriting();
    // Reads until the server closes the connection or seconds have passed;
    // returns what came.
    std::string readToEnd(double seconds = 5);
    // Whether the server has closed the connection (reading whatever it sent
    // first), waiting at most seconds.
    bool closedWithin(double seconds);

  private:
    int fd_ = -1;
    bool closed_ = false;
    std::string received_;
};

// The status code of a raw HTTP answer, or 0.
int statusOf(const std::string& answer);
// The body of a raw HTTP answer (what follows the blank line).
std::string bodyOf(const std::string& answer);
