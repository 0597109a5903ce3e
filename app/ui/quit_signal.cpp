#include "app/ui/quit_signal.h"

#include <QSocketNotifier>
#include <QCoreApplication>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace zx {

#ifdef Q_OS_UNIX
namespace {
int g_fds[2] = {-1, -1};

void onSignal(int)
{
    const char c = 1;
    [[maybe_unused]] const auto n = ::write(g_fds[0], &c, 1);   // the only async-safe way out
}
} // namespace

void onTerminationRequest(std::function<void()> handler)
{
    if (g_fds[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM, 0, g_fds) != 0)
        return;
    auto *notifier = new QSocketNotifier(g_fds[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [handler = std::move(handler)] {
        char c;
        [[maybe_unused]] const auto n = ::read(g_fds[1], &c, 1);
        handler();
    });
    struct sigaction sa = {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int sig : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(sig, &sa, nullptr);
}
#else
void onTerminationRequest(std::function<void()>) {}
#endif

} // namespace zx
