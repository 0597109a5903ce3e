#include "remote/remote_ops.h"

#include "link/chrono_ops.h"
#include "link/link_session.h"
#include "remote/remote_ops_host.h"

namespace zx {

RemoteOps::RemoteOps(LinkSession &link, ChronoOps &ops, RemoteOpsHost &host) : m_link(link), m_ops(ops), m_host(host) {}

int RemoteOps::croDownload(int, int) { return 1; }
int RemoteOps::croGetShots(int) { return 2; }
bool RemoteOps::croMemOp(int, int) { return false; }
void RemoteOps::mnuDownloadString() {}
void RemoteOps::mnuDownloadFolder() {}
void RemoteOps::mnuDownloadEDisk() {}
void RemoteOps::mnuMemOp(int, int) {}
QString RemoteOps::scopeName(int) { return {}; }
QString RemoteOps::memTitle(int, int, int) { return {}; }
void RemoteOps::progressLog(const QString &) {}
bool RemoteOps::prepare(bool) { return false; }
bool RemoteOps::wake(bool) { return false; }
void RemoteOps::logPad(const QString &, int, int, int) {}

} // namespace zx
