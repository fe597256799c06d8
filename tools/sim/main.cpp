// orvanta-sim: plays one or many cameras over real UDP, for tests, the demo
// and benchmarks. Runs until SIGTERM or SIGINT.
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

#include "sim/SimConfig.h"
#include "sim/SimServer.h"

namespace {

volatile bool g_stop = false;

void OnSignal(int)
{
    g_stop = true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        std::fputs(orvsim::Usage().c_str(), stdout);
        return 0;
    }
    orvsim::SimOptions options;
    std::string error;
    if (!orvsim::ParseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "orvanta-sim: %s\n%s", error.c_str(), orvsim::Usage().c_str());
        return 2;
    }
    struct sigaction sa {};
    sa.sa_handler = OnSignal;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    const std::size_t count = options.Cameras.size();
    orvsim::SimServer server(std::move(options));
    if (!server.Open()) {
        std::perror("orvanta-sim: cannot listen on the camera port");
        return 1;
    }
    std::printf("ready %zu cameras\n", count);
    std::fflush(stdout);
    server.Run(g_stop);
    return 0;
}
