#include "http_daemon.h"

#include "http_cache.h"
#include "stored_files.h"
#include "work_queue.h"

#include <arpa/inet.h>
#include <microhttpd.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <thread>

namespace {

// One request from its first line to its completion.
struct Exchange {
    enum class Stage { New, Received, Working, Ready, Answered };
    Stage stage = Stage::New;
    QByteArray rawUri;
    Request request;
    Answer answer;
    MHD_Connection* connection = nullptr;
};

QByteArray CacheControl(Freshness freshness)
{
    switch (freshness) {
    case Freshness::Long: return QByteArrayLiteral("public, max-age=86400");
    case Freshness::Short: return QByteArrayLiteral("public, max-age=60");
    case Freshness::None: break;
    }
    return QByteArrayLiteral("no-store");
}

// Scripts, styles, frames and form targets of the server's own pages come from the server alone.
const char* const kPagePolicy =
    "default-src 'none'; script-src 'self'; style-src 'self'; img-src 'self'; frame-src 'self'; "
    "connect-src 'self'; form-action 'self'; base-uri 'none'; frame-ancestors 'self'";

Answer PlainAnswer(int status, const QByteArray& text)
{
    Answer answer;
    answer.status = status;
    answer.contentType = QByteArrayLiteral("text/plain; charset=utf-8");
    answer.body = text + '\n';
    answer.freshness = Freshness::None;
    return answer;
}

void AddHeader(MHD_Response* response, const QByteArray& name, const QByteArray& value)
{
    MHD_add_response_header(response, name.constData(), value.constData());
}

}  // namespace

bool IsNumericAddress(const QString& address)
{
    const QByteArray text = address.toLatin1();
    in6_addr parsed{};
    return inet_pton(AF_INET, text.constData(), &parsed) == 1 || inet_pton(AF_INET6, text.constData(), &parsed) == 1;
}

struct HttpDaemon::Impl {
    DaemonOptions options;
    Handler handler;
    AtOnce atOnce;
    MHD_Daemon* daemon = nullptr;
    int listenSocket = -1;
    quint16 port = 0;
    std::unique_ptr<WorkQueue> workers;
    std::atomic_int inFlight{0};

    QString Listen();
    MHD_Result Send(MHD_Connection* connection, const Request& request, const Answer& answer);
    void Fill(MHD_Connection* connection, Exchange& exchange, const char* url, const char* method);

    static void* OnUri(void* cls, const char* uri, MHD_Connection*);
    static MHD_Result OnAccess(void* cls, MHD_Connection* connection, const char* url, const char* method,
                               const char* version, const char* uploadData, size_t* uploadSize, void** context);
    static void OnCompleted(void* cls, MHD_Connection*, void** context, MHD_RequestTerminationCode);
    static size_t OnUnescape(void*, MHD_Connection*, char* text);
};

HttpDaemon::HttpDaemon(DaemonOptions options, Handler handler, AtOnce atOnce) : d(std::make_unique<Impl>())
{
    d->options = std::move(options);
    d->handler = std::move(handler);
    d->atOnce = std::move(atOnce);
}

HttpDaemon::~HttpDaemon() { Stop(std::chrono::milliseconds(0)); }

quint16 HttpDaemon::port() const { return d->port; }

QString HttpDaemon::Impl::Listen()
{
    const QByteArray address = options.address.toLatin1();
    sockaddr_storage storage{};
    socklen_t length = 0;
    int family = AF_INET;
    if (auto* v4 = reinterpret_cast<sockaddr_in*>(&storage);
        inet_pton(AF_INET, address.constData(), &v4->sin_addr) == 1) {
        v4->sin_family = AF_INET;
        v4->sin_port = htons(options.port);
        length = sizeof(sockaddr_in);
    } else if (auto* v6 = reinterpret_cast<sockaddr_in6*>(&storage);
               inet_pton(AF_INET6, address.constData(), &v6->sin6_addr) == 1) {
        family = AF_INET6;
        v6->sin6_family = AF_INET6;
        v6->sin6_port = htons(options.port);
        length = sizeof(sockaddr_in6);
    } else {
        return QStringLiteral("%1 is not a numeric IP address").arg(options.address);
    }
    listenSocket = socket(family, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (listenSocket < 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    const int one = 1;
    setsockopt(listenSocket, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    if (family == AF_INET6)
        setsockopt(listenSocket, IPPROTO_IPV6, IPV6_V6ONLY, &one, sizeof one);
    if (bind(listenSocket, reinterpret_cast<sockaddr*>(&storage), length) != 0 || listen(listenSocket, 511) != 0) {
        const int error = errno;
        close(listenSocket);
        listenSocket = -1;
        if (error == EADDRINUSE)
            return QStringLiteral("port %1 on %2 is taken").arg(options.port).arg(options.address);
        return QStringLiteral("cannot listen on %1 port %2: %3")
            .arg(options.address)
            .arg(options.port)
            .arg(QString::fromLocal8Bit(std::strerror(error)));
    }
    sockaddr_storage bound{};
    socklen_t boundLength = sizeof bound;
    getsockname(listenSocket, reinterpret_cast<sockaddr*>(&bound), &boundLength);
    port = ntohs(family == AF_INET ? reinterpret_cast<sockaddr_in*>(&bound)->sin_port
                                   : reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port);
    return QString();
}

QString HttpDaemon::Start()
{
    if (d->daemon)
        return QString();
    if (const QString problem = d->Listen(); !problem.isEmpty())
        return problem;
    const bool ipv6 = d->options.address.contains(u':');
    const unsigned flags =
        MHD_USE_INTERNAL_POLLING_THREAD | MHD_USE_EPOLL | MHD_ALLOW_SUSPEND_RESUME | (ipv6 ? MHD_USE_IPv6 : 0);
    d->workers = std::make_unique<WorkQueue>(d->options.threads);
    d->daemon = MHD_start_daemon(
        flags, 0, nullptr, nullptr, &Impl::OnAccess, d.get(), MHD_OPTION_LISTEN_SOCKET, MHD_socket(d->listenSocket),
        MHD_OPTION_THREAD_POOL_SIZE, unsigned(d->options.threads), MHD_OPTION_CONNECTION_TIMEOUT,
        d->options.idleSeconds, MHD_OPTION_PER_IP_CONNECTION_LIMIT, d->options.connectionsPerAddress,
        MHD_OPTION_CONNECTION_LIMIT, d->options.connectionLimit, MHD_OPTION_CONNECTION_MEMORY_LIMIT,
        d->options.requestBytes, MHD_OPTION_URI_LOG_CALLBACK, &Impl::OnUri, d.get(), MHD_OPTION_NOTIFY_COMPLETED,
        &Impl::OnCompleted, d.get(), MHD_OPTION_UNESCAPE_CALLBACK, &Impl::OnUnescape, nullptr, MHD_OPTION_END);
    if (!d->daemon) {
        d->workers->Stop();
        d->workers.reset();
        close(d->listenSocket);
        d->listenSocket = -1;
        return QStringLiteral("the HTTP server could not start on %1 port %2")
            .arg(d->options.address)
            .arg(d->options.port);
    }
    return QString();
}

void HttpDaemon::Stop(std::chrono::milliseconds grace)
{
    if (!d->daemon)
        return;
    const MHD_socket listening = MHD_quiesce_daemon(d->daemon);
    if (listening != MHD_INVALID_SOCKET)
        close(listening);
    d->listenSocket = -1;
    const auto until = std::chrono::steady_clock::now() + grace;
    while (d->inFlight.load() > 0 && std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    // Searches still waiting are answered at once; every suspended connection is resumed by its
    // job, which the daemon needs before it stops.
    d->workers->Stop();
    MHD_stop_daemon(d->daemon);
    d->daemon = nullptr;
    d->workers.reset();
}

void* HttpDaemon::Impl::OnUri(void*, const char* uri, MHD_Connection*)
{
    auto* exchange = new Exchange;
    exchange->rawUri = QByteArray(uri);
    return exchange;
}

size_t HttpDaemon::Impl::OnUnescape(void*, MHD_Connection*, char* text)
{
    // A NUL would cut the decoded text short and hide what follows it: such a text stays encoded.
    if (std::strstr(text, "%00") != nullptr)
        return std::strlen(text);
    return MHD_http_unescape(text);
}

void HttpDaemon::Impl::Fill(MHD_Connection* connection, Exchange& exchange, const char* url, const char* method)
{
    Request& request = exchange.request;
    request.method = QByteArray(method);
    request.path = QString::fromUtf8(url);
    request.rawUri = exchange.rawUri;
    MHD_get_connection_values(
        connection, MHD_GET_ARGUMENT_KIND,
        [](void* cls, MHD_ValueKind, const char* key, const char* value) {
            static_cast<Request*>(cls)->arguments.emplace_back(QString::fromUtf8(key),
                                                               value ? QString::fromUtf8(value) : QString());
            return MHD_YES;
        },
        &request);
    MHD_get_connection_values(
        connection, MHD_HEADER_KIND,
        [](void* cls, MHD_ValueKind, const char* key, const char* value) {
            static_cast<Request*>(cls)->headers.emplace_back(QByteArray(key), QByteArray(value ? value : ""));
            return MHD_YES;
        },
        &request);
}

MHD_Result HttpDaemon::Impl::OnAccess(void* cls, MHD_Connection* connection, const char* url, const char* method,
                                      const char*, const char*, size_t* uploadSize, void** context)
{
    auto* impl = static_cast<Impl*>(cls);
    auto* exchange = static_cast<Exchange*>(*context);
    if (!exchange) {
        exchange = new Exchange;
        *context = exchange;
    }
    switch (exchange->stage) {
    case Exchange::Stage::New: {
        ++impl->inFlight;
        impl->Fill(connection, *exchange, url, method);
        const Request& request = exchange->request;
        if (request.method != "GET" && request.method != "HEAD") {
            // Answered before any body is read, which closes the connection afterwards.
            exchange->stage = Exchange::Stage::Answered;
            Answer refused = PlainAnswer(405, QByteArrayLiteral("Only GET and HEAD are answered here."));
            refused.addHeader("Allow", "GET, HEAD");
            return impl->Send(connection, request, refused);
        }
        // Answered once the request is read whole: an answer queued at the first call would
        // close a connection the client means to keep.
        exchange->stage = Exchange::Stage::Received;
        return MHD_YES;
    }
    case Exchange::Stage::Received: {
        if (*uploadSize != 0) {
            *uploadSize = 0;  // a body sent with GET is read and dropped
            return MHD_YES;
        }
        const Request& request = exchange->request;
        std::optional<Answer> now = impl->atOnce ? impl->atOnce(request) : std::nullopt;
        if (!now) {
            exchange->stage = Exchange::Stage::Working;
            exchange->connection = connection;
            MHD_suspend_connection(connection);
            impl->workers->Submit([impl, exchange](bool stopping) {
                exchange->answer = stopping ? PlainAnswer(503, QByteArrayLiteral("The server is stopping."))
                                            : impl->handler(exchange->request);
                exchange->stage = Exchange::Stage::Ready;
                MHD_resume_connection(exchange->connection);
            });
            return MHD_YES;
        }
        exchange->stage = Exchange::Stage::Answered;
        return impl->Send(connection, request, *now);
    }
    case Exchange::Stage::Ready:
        exchange->stage = Exchange::Stage::Answered;
        return impl->Send(connection, exchange->request, exchange->answer);
    case Exchange::Stage::Working:
    case Exchange::Stage::Answered: break;
    }
    *uploadSize = 0;
    return MHD_YES;
}

void HttpDaemon::Impl::OnCompleted(void* cls, MHD_Connection*, void** context, MHD_RequestTerminationCode)
{
    auto* exchange = static_cast<Exchange*>(*context);
    if (!exchange)
        return;
    if (exchange->stage != Exchange::Stage::New)
        --static_cast<Impl*>(cls)->inFlight;
    delete exchange;
    *context = nullptr;
}

MHD_Result HttpDaemon::Impl::Send(MHD_Connection* connection, const Request& request, const Answer& answer)
{
    const QByteArray etag = answer.etag.isEmpty() ? BodyETag(answer.body) : answer.etag;
    const bool fromFile = answer.file != nullptr;
    const bool compressible = !fromFile && CompressibleType(answer.contentType);
    const bool notModified = answer.status == 200 && NoneMatchHits(request.header("If-None-Match"), etag);
    QByteArray body;
    QByteArray sentTag = etag;
    bool gzipped = false;
    if (!notModified && compressible && answer.body.size() >= SmallestPackedBody &&
        AcceptsGzip(request.header("Accept-Encoding"))) {
        body = answer.packed.isEmpty() ? Gzip(answer.body) : answer.packed;
        gzipped = !body.isEmpty();
        if (gzipped)
            sentTag = GzipETag(etag);
    }
    if (!gzipped && !notModified)
        body = answer.body;

    MHD_Response* response = nullptr;
    if (fromFile && !notModified) {
        // The daemon closes the descriptor once the file is sent.
        const int file = answer.file->release();
        response = MHD_create_response_from_fd(uint64_t(answer.fileSize), file);
        if (!response)
            close(file);
    } else {
        response = MHD_create_response_from_buffer(size_t(body.size()), body.data(), MHD_RESPMEM_MUST_COPY);
    }
    if (!response)
        return MHD_NO;
    if (!notModified && !answer.contentType.isEmpty())
        AddHeader(response, "Content-Type", answer.contentType);
    AddHeader(response, "ETag", sentTag);
    AddHeader(response, "Cache-Control", CacheControl(answer.freshness));
    AddHeader(response, "X-Content-Type-Options", "nosniff");
    if (compressible)
        AddHeader(response, "Vary", "Accept-Encoding");
    if (gzipped)
        AddHeader(response, "Content-Encoding", "gzip");
    if (answer.written) {
        AddHeader(response, "Content-Security-Policy",
                  answer.policy.isEmpty() ? QByteArray(kPagePolicy) : answer.policy);
        AddHeader(response, "Referrer-Policy", "same-origin");
    }
    for (const auto& [name, value] : answer.headers)
        AddHeader(response, name, value);
    const MHD_Result queued = MHD_queue_response(connection, notModified ? 304u : unsigned(answer.status), response);
    MHD_destroy_response(response);
    return queued;
}
