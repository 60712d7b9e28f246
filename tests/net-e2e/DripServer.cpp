#include "DripServer.h"

#include <QElapsedTimer>
#include <chrono>
#include <memory>

DripServer::DripServer(double dripSeconds, std::string answer) {
    server_.Get(".*", [this, dripSeconds, answer](const httplib::Request&, httplib::Response& res) {
        auto started = std::make_shared<QElapsedTimer>();
        started->start();
        res.set_chunked_content_provider("application/json", [this, started, dripSeconds, answer](
                                                                 size_t, httplib::DataSink& sink) {
            if (stopping_ || started->elapsed() >= dripSeconds * 1000) {
                sink.write(answer.data(), answer.size());
                sink.done();
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
            return sink.write(" ", 1);
        });
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    while (!server_.is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

DripServer::~DripServer() {
    stopping_ = true;
    server_.stop();
    thread_.join();
}
