// The translation as the plug-in runs it.
#pragma once
#include "plugin/host_link.h"
#include "query/query_translator.h"
#include "settings/profile_store.h"

namespace zms {

// The fullwidth-space option read from the profile file (anew for each call of
// the translation), plain values escaped by the host's YenEncode (as typed
// where it is unbound or fails).
// The context holds references to both: they outlive it.
QueryContext SearchQueryContext(const ProfileStore& store, const HostLink& host);

}  // namespace zms
