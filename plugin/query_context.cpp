#include "plugin/query_context.h"

#include "plugin/host_link.h"
#include "settings/profile_settings.h"

namespace zms {

QueryContext SearchQueryContext() {
    QueryContext context;
    context.fullwidthOption = [] { return settings::FullwidthSpaceSeparates(); };
    context.encode = [](const std::string& value) {
        // The result belongs to the host and is copied at once.
        const char* encoded = g_host.YenEncode ? g_host.YenEncode(value.c_str()) : nullptr;
        return std::string(encoded ? encoded : value.c_str());
    };
    return context;
}

}  // namespace zms
