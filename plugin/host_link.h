// The entries of the host's library VRInfo.dll, bound by name at start-up.
#pragma once
#include <cstdint>

#include "platform/library.h"

#if defined(_WIN32) && !defined(_WIN64)
#define ZMS_CDECL __cdecl
#else
#define ZMS_CDECL
#endif

// The thirteen entries, listed once: X(name, pointer type of HostLink), one
// a line. The link below, the stand-in library's declarations and its export
// lists (tools/vrinfo, whose CMakeLists.txt reads these lines) are made from it.
#define ZMS_HOST_ENTRIES(X)          \
    X(ZentoroMailVersion, IntFn)     \
    X(StartDoGrep, StartDoGrepFn)    \
    X(SetFindPack, SetFindPackFn)    \
    X(CurrentAccount, TextFn)        \
    X(CurrentFolder, TextFn)         \
    X(YenEncode, EncodeFn)           \
    X(ExecAtMain, ExecAtMainFn)      \
    X(SetQuietMode, IntFn)           \
    X(IsZentoroMail, IntFn)          \
    X(IsZentoroMailMain, IntFn)      \
    X(IsZentoroMailGrep, IntFn)      \
    X(MainWnd, IntFn)                \
    X(PushFindPack, VoidFn)

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

#define ZMS_HOST_LINK_FIELD(name, type) type name = nullptr;
    ZMS_HOST_ENTRIES(ZMS_HOST_LINK_FIELD)
#undef ZMS_HOST_LINK_FIELD
};

// Looks up the thirteen entries by name; a missing one stays null.
HostLink BindHostLink(platform::Library library);

// Whether every entry that a call of `search` may use is bound.
bool HostLinkReadyForSearch(const HostLink& link);

}  // namespace zms
