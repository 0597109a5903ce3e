#pragma once
// A termination request from the system (SIGTERM, SIGINT, SIGHUP) calls the handler from the
// event loop (never from the signal itself); the program hands it to OrderlyExit.
#include <functional>

namespace zx {

void onTerminationRequest(std::function<void()> handler);

} // namespace zx
