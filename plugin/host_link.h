// The entries of the host's library VRInfo.dll, bound by name at start-up.
#pragma once
#include <cstdint>

#include "platform/library.h"

#if defined(_WIN32) && !defined(_WIN64)
#define ZMS_CDECL __cdecl
#else
#define ZMS_CDECL
#endif

namespace zms {

struct HostLink {
    using IntFn = int32_t(ZMS_CDECL*)();
    using TextFn = const char*(ZMS_CDECL*)();
    using EncodeFn = const char*(ZMS_CDECL*)(const char*);
    using SetFindPackFn = void(ZMS_CDECL*)(const char*);
    using StartDoGrepFn = void(ZMS_CDECL*)(const char*, const char*);
    using VoidFn = void(ZMS_CDECL*)();
    // Variadic: the name of another entry, then that entry's arguments.
    using ExecAtMainFn = intptr_t(ZMS_CDECL*)(const char*, ...);

    IntFn ZentoroMailVersion = nullptr;
    StartDoGrepFn StartDoGrep = nullptr;
    SetFindPackFn SetFindPack = nullptr;
    TextFn CurrentAccount = nullptr;
    TextFn CurrentFolder = nullptr;
    EncodeFn YenEncode = nullptr;
    ExecAtMainFn ExecAtMain = nullptr;
    IntFn SetQuietMode = nullptr;
    IntFn IsZentoroMail = nullptr;
    IntFn IsZentoroMailMain = nullptr;
    IntFn IsZentoroMailGrep = nullptr;
    IntFn MainWnd = nullptr;
    VoidFn PushFindPack = nullptr;
};

extern HostLink g_host;

// Looks up the thirteen entries by name; a missing one stays null.
void BindHostLink(platform::Library library);

// Whether every entry that a call of `search` may use is bound.
bool HostLinkReadyForSearch();

}  // namespace zms
