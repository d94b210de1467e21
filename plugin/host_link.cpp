#include "plugin/host_link.h"

namespace zms {

HostLink g_host;

void BindHostLink(platform::Library library) {
#define ZMS_BIND(name, type) \
    g_host.name = reinterpret_cast<HostLink::type>(platform::FindEntry(library, #name));
    ZMS_HOST_ENTRIES(ZMS_BIND)
#undef ZMS_BIND
}

// CurrentAccount, ZentoroMailVersion and SetQuietMode are never called.
bool HostLinkReadyForSearch() {
    const HostLink& h = g_host;
    return h.IsZentoroMail && h.MainWnd && h.IsZentoroMailMain && h.IsZentoroMailGrep &&
           h.CurrentFolder && h.ExecAtMain && h.YenEncode && h.SetFindPack && h.StartDoGrep &&
           h.PushFindPack;
}

}  // namespace zms
