#include "plugin/host_link.h"

namespace zms {

HostLink g_host;

namespace {
template <class Fn>
void Bind(platform::Library library, const char* name, Fn& entry) {
    entry = reinterpret_cast<Fn>(platform::FindEntry(library, name));
}
}  // namespace

void BindHostLink(platform::Library library) {
    HostLink& h = g_host;
    Bind(library, "ZentoroMailVersion", h.ZentoroMailVersion);
    Bind(library, "StartDoGrep", h.StartDoGrep);
    Bind(library, "SetFindPack", h.SetFindPack);
    Bind(library, "CurrentAccount", h.CurrentAccount);
    Bind(library, "CurrentFolder", h.CurrentFolder);
    Bind(library, "YenEncode", h.YenEncode);
    Bind(library, "ExecAtMain", h.ExecAtMain);
    Bind(library, "SetQuietMode", h.SetQuietMode);
    Bind(library, "IsZentoroMail", h.IsZentoroMail);
    Bind(library, "IsZentoroMailMain", h.IsZentoroMailMain);
    Bind(library, "IsZentoroMailGrep", h.IsZentoroMailGrep);
    Bind(library, "MainWnd", h.MainWnd);
    Bind(library, "PushFindPack", h.PushFindPack);
}

// CurrentAccount, ZentoroMailVersion and SetQuietMode are never called.
bool HostLinkReadyForSearch() {
    const HostLink& h = g_host;
    return h.IsZentoroMail && h.MainWnd && h.IsZentoroMailMain && h.IsZentoroMailGrep &&
           h.CurrentFolder && h.ExecAtMain && h.YenEncode && h.SetFindPack && h.StartDoGrep &&
           h.PushFindPack;
}

}  // namespace zms
