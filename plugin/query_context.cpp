#include "plugin/query_context.h"

#include "settings/profile_settings.h"

namespace zms {

QueryContext SearchQueryContext(const ProfileStore& store, const HostLink& host) {
    QueryContext context;
    context.fullwidthOption = [&store] { return settings::FullwidthSpaceSeparates(store); };
    context.encode = [&host](const std::string& value) {
        // The result belongs to the host and is copied at once.
        const char* encoded = host.YenEncode ? host.YenEncode(value.c_str()) : nullptr;
        return std::string(encoded ? encoded : value.c_str());
    };
    return context;
}

}  // namespace zms
