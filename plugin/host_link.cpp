#include "plugin/host_link.h"

namespace zms {

HostLink g_host;

}  // namespace zms
