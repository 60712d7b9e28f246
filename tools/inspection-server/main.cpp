// inspection-server: a stand-in inspection server for development, training
// and tests. Prints "listening on HOST:PORT" (with --tls: "https://HOST:PORT") once it serves;
// stops on SIGINT or SIGTERM.
#include "InspectionServer.h"

#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <pthread.h>
#include <string>
#include <vector>

namespace {

struct Options {
    std::string host = "127.0.0.1";
    int port = 8080;
    std::string configPath;
    std::string storeFolder;
    std::vector<std::string> faults, delays;
    std::optional<size_t> maxBody;
    std::string tlsCert, tlsKey;
    bool quiet = false;
    bool help = false;
};

// Prints the usage on out: stdout when asked for with --help, stderr after a
// bad command line.
void printUsage(FILE* out) {
    std::fprintf(out, "usage: inspection-server [--host HOST] [--port PORT] [--config FILE]\n"
                      "                         [--store DIR] [--fault ENDPOINT=MODE[:ARG]]...\n"
                      "                         [--delay ENDPOINT=SECONDS]... [--max-body BYTES]\n"
                      "                         [--tls CERT KEY] [--quiet]\n"
                      "  ENDPOINT: GetChkerName, GetMobileServlet or appUpPhoto.do\n"
                      "  MODE: close, cutoff, http500, not-json, not-object, status:VALUE, "
                      "huge[:BYTES]\n"
                      "  --port 0 picks a free port. Bodies over --max-body (default 64 MB)\n"
                      "  are refused with HTTP 413. --tls serves HTTPS with a PEM certificate\n"
                      "  (and its chain) and its PEM key.\n");
}

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--quiet" || arg == "--help" || arg == "-h") {
            (arg == "--quiet" ? options.quiet : options.help) = true;
            continue;
        }
        if (arg == "--tls") {
            if (i + 2 >= argc) return false;
            options.tlsCert = argv[++i];
            options.tlsKey = argv[++i];
            continue;
        }
        if (i + 1 >= argc) return false;
        const std::string value = argv[++i];
        if (arg == "--host")
            options.host = value;
        else if (arg == "--port") {
            char* end = nullptr;
            options.port = static_cast<int>(std::strtol(value.c_str(), &end, 10));
            if (*end || options.port < 0 || options.port > 65535) return false;
        } else if (arg == "--config")
            options.configPath = value;
        else if (arg == "--store")
            options.storeFolder = value;
        else if (arg == "--fault")
            options.faults.push_back(value);
        else if (arg == "--delay")
            options.delays.push_back(value);
        else if (arg == "--max-body") {
            size_t bytes = 0;
            const auto [end, ec] =
                std::from_chars(value.data(), value.data() + value.size(), bytes);
            if (ec != std::errc() || end != value.data() + value.size()) return false;
            options.maxBody = bytes;
        } else
            return false;
    }
    return true;
}

// Reads the configuration and applies the command-line faults on top of it.
std::optional<ServerConfig> configure(const Options& options) {
    ServerConfig config;
    if (!options.configPath.empty()) {
        ConfigReading reading = loadServerConfig(options.configPath);
        if (!reading.config) {
            std::fprintf(stderr, "inspection-server: %s\n", reading.error.c_str());
            return std::nullopt;
        }
        config = std::move(*reading.config);
    }
    if (options.maxBody) config.limits.maxBodyBytes = *options.maxBody;
    std::string error;
    for (const std::string& fault : options.faults)
        if (error.empty()) error = applyFaultOption(config, fault);
    for (const std::string& delay : options.delays)
        if (error.empty()) error = applyDelayOption(config, delay);
    if (!error.empty()) {
        std::fprintf(stderr, "inspection-server: %s\n", error.c_str());
        return std::nullopt;
    }
    return config;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    const bool parsed = parse(argc, argv, options);
    if (options.help) {
        printUsage(stdout);
        return 0;
    }
    if (!parsed) {
        printUsage(stderr);
        return 2;
    }
    std::optional<ServerConfig> config = configure(options);
    if (!config) return 2;

    // The signals are taken by sigwait below, never by the server's threads,
    // which inherit this mask.
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);

    InspectionServer server(std::move(*config), options.storeFolder);
    if (!options.quiet)
        server.setLogger([](const std::string& line) { std::cout << line << std::endl; });
    if (!options.tlsCert.empty())
        if (const std::string error = server.useTls(options.tlsCert, options.tlsKey);
            !error.empty()) {
            std::fprintf(stderr, "inspection-server: %s\n", error.c_str());
            return 2;
        }
    const int port = server.start(options.host, options.port);
    if (port < 0) {
        std::fprintf(stderr, "inspection-server: cannot listen on %s:%d\n", options.host.c_str(),
                     options.port);
        return 1;
    }
    std::cout << "listening on " << (options.tlsCert.empty() ? "" : "https://") << options.host
              << ":" << port << std::endl;
    int received = 0;
    sigwait(&signals, &received);
    server.stop();
    return 0;
}
