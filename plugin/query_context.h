// The translation as the plug-in runs it.
#pragma once
#include "query/query_translator.h"

namespace zms {

// The fullwidth-space option read from the profile file (anew for each call of
// the translation), plain values escaped by the host's YenEncode (as typed
// where it is unbound or fails).
QueryContext SearchQueryContext();

}  // namespace zms
