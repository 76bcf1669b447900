#pragma once
// An HTTP server on libmicrohttpd. A pool of threads reads requests and sends answers; answers
// that may take long (searches) are made by a pool of workers while their connection waits
// suspended, so a slow answer never holds up other readers. Only GET and HEAD are answered (405
// otherwise). Every answer carries an ETag, X-Content-Type-Options and Cache-Control, goes out
// gzip-compressed when the client takes it, and a matching If-None-Match gives 304.
#include "http_exchange.h"

#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

struct DaemonOptions {
    QString address = QStringLiteral("127.0.0.1");  // a numeric IPv4 or IPv6 address
    quint16 port = 8080;  // 0 takes any free port
    int threads = 4;  // reading threads, and as many workers
    unsigned idleSeconds = 10;  // a connection that sends nothing for this long is closed
    unsigned connectionsPerAddress = 64;  // more from one client address are refused
    unsigned connectionLimit = 1000;
    std::size_t requestBytes = 32 * 1024;  // request line and headers of one request
};

// True for an address the daemon can listen on: numeric IPv4 or IPv6.
bool IsNumericAddress(const QString& address);

class HttpDaemon {
public:
    using Handler = std::function<Answer(const Request&)>;
    using AtOnce = std::function<std::optional<Answer>(const Request&)>;

    // `atOnce` answers on the reading thread what it can answer quickly; `handler` answers the
    // rest on a worker.
    HttpDaemon(DaemonOptions options, Handler handler, AtOnce atOnce);
    ~HttpDaemon();
    HttpDaemon(const HttpDaemon&) = delete;
    HttpDaemon& operator=(const HttpDaemon&) = delete;

    // Binds and starts serving; the reason when it cannot (the port is taken, say), else empty.
    QString Start();
    // The port listened on, once started.
    quint16 port() const;
    // Takes no more connections, lets the answers in flight finish (for at most `grace`), then
    // closes every connection.
    void Stop(std::chrono::milliseconds grace);

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
