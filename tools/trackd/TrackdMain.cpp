// corvane-trackd: a tracking service with every endpoint the client relies on.

#include <pthread.h>
#include <signal.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "RequestChecks.h"
#include "TrackdServer.h"
#include "TrackdStore.h"
#include "VisitSimulator.h"
#include "platform/TextCodec.h"

namespace {

using namespace corvane::trackd;

constexpr const char* kUsage =
    "usage:\n"
    "  corvane-trackd serve [--listen HOST:PORT] --db FILE [--simulate N] [--release X]\n"
    "                       [--access-log FILE] [--trust-forwarded-for]\n"
    "  corvane-trackd add-account --db FILE [--id WEBID] NAME PASSWORD\n"
    "  corvane-trackd set-online --db FILE [NAME...]\n"
    "Port 0 picks a free port; serve prints the address it listens on as its first line.\n";

constexpr const char* kDefaultListen = "127.0.0.1:8742";
constexpr const char* kDemoName = "星岚演示店";
constexpr const char* kDemoPassword = "demo";

int Fail(const std::string& message) {
    std::fprintf(stderr, "corvane-trackd: %s\n%s", message.c_str(), kUsage);
    return 2;
}

// Options ("--name value" or a bare flag) and the remaining positional arguments.
struct Arguments {
    std::vector<std::pair<std::string, std::string>> options;
    std::vector<std::string> positional;
    std::optional<std::string> error;

    std::optional<std::string> Option(const std::string& name) const {
        for (const auto& [key, value] : options) {
            if (key == name) {
                return value;
            }
        }
        return std::nullopt;
    }
};

Arguments Parse(int argc, char** argv, const std::vector<std::string>& withValue,
                const std::vector<std::string>& flags) {
    Arguments arguments;
    for (int i = 0; i < argc; ++i) {
        const std::string word = argv[i];
        if (!word.starts_with("--")) {
            arguments.positional.push_back(word);
        } else if (std::find(flags.begin(), flags.end(), word) != flags.end()) {
            arguments.options.emplace_back(word, "");
        } else if (std::find(withValue.begin(), withValue.end(), word) != withValue.end()) {
            if (i + 1 >= argc) {
                arguments.error = word + " needs a value";
                return arguments;
            }
            arguments.options.emplace_back(word, argv[++i]);
        } else {
            arguments.error = "unknown option " + word;
            return arguments;
        }
    }
    return arguments;
}

bool OpenStore(TrackdStore& store, const Arguments& arguments) {
    const auto file = arguments.Option("--db");
    return file && !file->empty() && store.Open(*file);
}

// A member name the service can answer for: UTF-8 that GBK holds, at most 99 GBK bytes.
bool IsUsableAccountName(const std::string& name) {
    const std::string gbk = corvane::text::Utf8ToGbk(name);
    return !name.empty() && gbk.size() <= 99 && corvane::text::GbkToUtf8(gbk) == name &&
           IsUsableVisitorName(name);
}

int AddAccount(int argc, char** argv) {
    const Arguments arguments = Parse(argc, argv, {"--db", "--id"}, {});
    if (arguments.error) {
        return Fail(*arguments.error);
    }
    if (arguments.positional.size() != 2) {
        return Fail("add-account takes a NAME and a PASSWORD");
    }
    const std::string& name = arguments.positional[0];
    const std::string& password = arguments.positional[1];
    if (!IsUsableAccountName(name)) {
        return Fail("the name must be 1 to 99 GBK bytes of text without '|'");
    }
    if (password.empty()) {
        return Fail("the password must not be empty");
    }
    std::optional<std::int64_t> requestedId;
    if (const auto id = arguments.Option("--id")) {
        requestedId = ParseWebId(*id);
        if (!requestedId) {
            return Fail("--id must be a web id (decimal digits, above 0)");
        }
    }
    TrackdStore store;
    if (!OpenStore(store, arguments)) {
        return Fail("cannot open the database given with --db");
    }
    const auto webId = store.AddAccount(name, password, requestedId);
    if (!webId) {
        std::fprintf(stderr, "corvane-trackd: the name or the web id is already taken\n");
        return 1;
    }
    std::printf("%lld\n", static_cast<long long>(*webId));
    return 0;
}

int SetOnline(int argc, char** argv) {
    const Arguments arguments = Parse(argc, argv, {"--db"}, {});
    if (arguments.error) {
        return Fail(*arguments.error);
    }
    TrackdStore store;
    if (!OpenStore(store, arguments)) {
        return Fail("cannot open the database given with --db");
    }
    return store.ReplaceOnlineNames(arguments.positional) ? 0 : 1;
}

std::optional<std::pair<std::string, int>> SplitListen(const std::string& listen) {
    const auto colon = listen.rfind(':');
    if (colon == std::string::npos || colon == 0) {
        return std::nullopt;
    }
    const std::string portText = listen.substr(colon + 1);
    if (portText.empty() || portText.size() > 5 ||
        portText.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    const int port = std::stoi(portText);
    if (port > 65535) {
        return std::nullopt;
    }
    return std::make_pair(listen.substr(0, colon), port);
}

int Serve(int argc, char** argv) {
    const Arguments arguments =
        Parse(argc, argv, {"--listen", "--db", "--simulate", "--release", "--access-log"},
              {"--trust-forwarded-for"});
    if (arguments.error) {
        return Fail(*arguments.error);
    }
    if (!arguments.positional.empty()) {
        return Fail("unexpected argument " + arguments.positional.front());
    }
    const auto listen = SplitListen(arguments.Option("--listen").value_or(kDefaultListen));
    if (!listen) {
        return Fail("--listen takes HOST:PORT");
    }
    int visitsPerMinute = 0;
    if (const auto simulate = arguments.Option("--simulate")) {
        const auto value = ParseWebId(*simulate);
        if ((!value && *simulate != "0") || (value && *value > 6000)) {
            return Fail("--simulate takes 0 to 6000 visits a minute");
        }
        visitsPerMinute = static_cast<int>(value.value_or(0));
    }
    TrackdStore store;
    if (!OpenStore(store, arguments)) {
        return Fail("cannot open the database given with --db");
    }
    ServerOptions options;
    options.release = arguments.Option("--release").value_or(options.release);
    options.trustForwardedFor = arguments.Option("--trust-forwarded-for").has_value();
    std::FILE* accessLog = nullptr;
    if (const auto logFile = arguments.Option("--access-log")) {
        accessLog = std::fopen(logFile->c_str(), "a");
        if (accessLog == nullptr) {
            return Fail("cannot open the access log " + *logFile);
        }
        options.accessLog = accessLog;
    }

    // Stop signals are taken by one thread with sigwait, so that they can stop the server.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    TrackdServer server(store, options);
    const int port = server.Bind(listen->first, listen->second);
    if (port <= 0) {
        std::fprintf(stderr, "corvane-trackd: cannot listen on %s:%d\n", listen->first.c_str(),
                     listen->second);
        return 1;
    }
    std::printf("%s:%d\n", listen->first.c_str(), port);

    std::optional<VisitSimulator> simulator;
    if (visitsPerMinute > 0) {
        auto webId = store.FindWebId(kDemoName, kDemoPassword);
        if (!webId) {
            webId = store.AddAccount(kDemoName, kDemoPassword);
        }
        if (webId) {
            std::printf("demo account: %s, password %s, web id %lld, %d visits a minute\n",
                        kDemoName, kDemoPassword, static_cast<long long>(*webId), visitsPerMinute);
            simulator.emplace(store, *webId, visitsPerMinute,
                              listen->first + ":" + std::to_string(port));
            simulator->Start();
        } else {
            std::fprintf(stderr, "corvane-trackd: the demo account cannot be created\n");
        }
    }
    std::fflush(stdout);

    std::thread signalWaiter([&server, &stopSignals] {
        int received = 0;
        sigwait(&stopSignals, &received);
        server.Stop();
    });
    const bool served = server.Serve();
    if (!served) {
        std::fprintf(stderr, "corvane-trackd: the server stopped with an error\n");
    }
    kill(getpid(), SIGTERM);  // wakes the waiter when the server ended on its own
    signalWaiter.join();
    if (simulator) {
        simulator->Stop();
    }
    if (accessLog != nullptr) {
        std::fclose(accessLog);
    }
    return served ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string command = argv[1];
    if (command == "serve") {
        return Serve(argc - 2, argv + 2);
    }
    if (command == "add-account") {
        return AddAccount(argc - 2, argv + 2);
    }
    if (command == "set-online") {
        return SetOnline(argc - 2, argv + 2);
    }
    return Fail("unknown command " + command);
}
