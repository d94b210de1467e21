// Tests over the plug-in's process-wide state: each starts from a freshly
// loaded plug-in (empty history, scope 1001, check box clear, no initial
// text) with a profile file of its own, and leaves nothing behind.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "dialog/query_history.h"
#include "dialog/search_state.h"
#include "query_test_support.h"

namespace zms::testing {

class PluginStateTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }

    static void Reset() {
        QueryHistory::clear();
        g_search = SearchState{};
    }

    // The value in the profile file; "<missing>" for a key that is not there.
    std::string Read(const char* section, const char* key) {
        return profile.store().ReadText(section, key, "<missing>").value_or("<null>");
    }

    ScopedProfile profile;
};

}  // namespace zms::testing
