#pragma once
// A termination request from the system (SIGTERM, SIGINT, SIGHUP) closes the main window
// the orderly way, as File/Exit does, so the instance record and settings are saved.
#include <functional>

namespace zx {

void onTerminationRequest(std::function<void()> handler);

} // namespace zx
