#include "serve_command.h"

#include "ado_query.h"
#include "answer_cache.h"
#include "catalogue_site.h"
#include "http_daemon.h"
#include "project_counts.h"
#include "search_index_holder.h"
#include "site_address.h"
#include "tool_help.h"

#include <QDir>
#include <QFileInfo>
#include <QTextStream>

#include <csignal>
#include <cstdio>
#include <optional>
#include <pthread.h>

namespace {

const char* const kUsage = "usage: velora-catalogue-tool serve DIR [--address A] [--port N] [--threads N] "
                           "[--base-url /PATH] [--connections-per-address N] [--answer-cache MIB]\n";

// Answers in flight get this long to finish once a signal asks the server to stop.
constexpr std::chrono::seconds kStopGrace{10};
// Answers to searches are reused for as long as browsers may keep them (max-age of pages the
// server writes), within this many MiB unless told otherwise.
constexpr std::chrono::seconds kAnswerLifetime{60};
constexpr int kAnswerCacheMib = 32;

struct ServeArguments {
    QString folder;
    QString basePath;
    DaemonOptions daemon;
    int answerCacheMib = kAnswerCacheMib;
};

std::optional<int> WholeNumber(const QString& text, int lowest, int highest)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    if (!ok || value < lowest || value > highest)
        return std::nullopt;
    return value;
}

// Nothing when the arguments are wrong; the reason is then written to stderr.
std::optional<ServeArguments> ReadServeArguments(const QStringList& arguments)
{
    QTextStream err(stderr);
    ServeArguments read;
    QString base = QStringLiteral("/");
    QStringList positional;
    for (int at = 0; at < arguments.size(); ++at) {
        const QString& argument = arguments[at];
        if (!argument.startsWith(QLatin1String("--"))) {
            positional << argument;
            continue;
        }
        if (at + 1 >= arguments.size()) {
            err << "serve: " << argument << " needs a value\n" << kUsage;
            return std::nullopt;
        }
        const QString value = arguments[++at];
        std::optional<int> number;
        if (argument == QLatin1String("--address")) {
            read.daemon.address = value;
            continue;
        }
        if (argument == QLatin1String("--base-url")) {
            base = value;
            continue;
        }
        if (argument == QLatin1String("--port") && (number = WholeNumber(value, 0, 65535))) {
            read.daemon.port = quint16(*number);
            continue;
        }
        if (argument == QLatin1String("--threads") && (number = WholeNumber(value, 1, 64))) {
            read.daemon.threads = *number;
            continue;
        }
        if (argument == QLatin1String("--connections-per-address") && (number = WholeNumber(value, 1, 10000))) {
            read.daemon.connectionsPerAddress = unsigned(*number);
            continue;
        }
        if (argument == QLatin1String("--answer-cache") && (number = WholeNumber(value, 0, 4096))) {
            read.answerCacheMib = *number;
            continue;
        }
        if (argument == QLatin1String("--port") || argument == QLatin1String("--threads") ||
            argument == QLatin1String("--connections-per-address") || argument == QLatin1String("--answer-cache")) {
            err << "serve: " << argument << " takes a whole number ("
                << (argument == QLatin1String("--port")               ? "0 to 65535"
                        : argument == QLatin1String("--threads")      ? "1 to 64"
                        : argument == QLatin1String("--answer-cache") ? "0 to 4096"
                                                                      : "1 to 10000")
                << "), not " << value << '\n';
            return std::nullopt;
        }
        err << "serve: unknown option " << argument << '\n' << kUsage;
        return std::nullopt;
    }
    if (positional.size() != 1) {
        err << kUsage;
        return std::nullopt;
    }
    read.folder = positional.first();
    const std::optional<QString> canonical = CanonicalBasePath(base);
    if (!canonical) {
        err << "serve: --base-url takes a path such as /catalogue, not " << base << '\n';
        return std::nullopt;
    }
    read.basePath = *canonical;
    if (!IsNumericAddress(read.daemon.address)) {
        err << "serve: --address takes a numeric IP address such as 127.0.0.1 or ::1\n";
        return std::nullopt;
    }
    return read;
}

QString Url(const ServeArguments& arguments, quint16 port)
{
    const QString host =
        arguments.daemon.address.contains(u':') ? u'[' + arguments.daemon.address + u']' : arguments.daemon.address;
    return QStringLiteral("http://%1:%2%3/").arg(host).arg(port).arg(arguments.basePath);
}

}  // namespace

int ServeCommand::run(const QStringList& arguments)
{
    const std::optional<ServeArguments> read = ReadServeArguments(arguments);
    if (!read)
        return kWrongArgumentsExitCode;
    QTextStream err(stderr);
    const QFileInfo folder(read->folder);
    if (!folder.isDir()) {
        err << "serve: " << read->folder << " is no folder\n";
        return 2;
    }
    SiteSetup setup;
    setup.catalogueDir = folder.absoluteFilePath();
    setup.basePath = read->basePath;
    // Opened and counted as the browser does at start.
    try {
        TADOQuery query;
        if (!LoadProjectCounts(query, setup.catalogueDir + u'/', setup.counts)) {
            err << "serve: the database of " << read->folder << " does not count projects in eleven categories\n";
            return 2;
        }
    } catch (const DatabaseError& error) {
        err << "serve: " << QString::fromUtf8(error.what()) << '\n';
        return 2;
    }

    // The signals that stop the server wait for the main thread; every thread started from here
    // on inherits the mask.
    sigset_t stopping;
    sigemptyset(&stopping);
    sigaddset(&stopping, SIGINT);
    sigaddset(&stopping, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopping, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    const SearchIndexHolder index(setup.catalogueDir);
    AnswerCache cache(qint64(read->answerCacheMib) << 20, kAnswerLifetime);
    const CatalogueSite site(setup, &index, &cache);
    HttpDaemon daemon(
        read->daemon, [&site](const Request& request) { return site.Handle(request); },
        [&site](const Request& request) { return site.AnswerAtOnce(request); });
    if (const QString problem = daemon.Start(); !problem.isEmpty()) {
        err << "serve: " << problem << '\n';
        return 2;
    }
    QTextStream(stdout) << "serving " << read->folder << " at " << Url(*read, daemon.port()) << Qt::endl;

    int signal = 0;
    sigwait(&stopping, &signal);
    daemon.Stop(kStopGrace);
    return 0;
}
