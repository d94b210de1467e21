#include "plugin/host_link.h"

namespace zms {

HostLink BindHostLink(platform::Library library) {
    HostLink link;
#define ZMS_BIND(name, type) \
    link.name = reinterpret_cast<HostLink::type>(platform::FindEntry(library, #name));
    ZMS_HOST_ENTRIES(ZMS_BIND)
#undef ZMS_BIND
    return link;
}

// CurrentAccount, ZentoroMailVersion and SetQuietMode are never called.
bool HostLinkReadyForSearch(const HostLink& h) {
    return h.IsZentoroMail && h.MainWnd && h.IsZentoroMailMain && h.IsZentoroMailGrep &&
           h.CurrentFolder && h.ExecAtMain && h.YenEncode && h.SetFindPack && h.StartDoGrep &&
           h.PushFindPack;
}

}  // namespace zms
