// Tests over the plug-in's process-wide state: each starts from a freshly
// loaded plug-in (empty history, scope 1001, check box clear, no initial
// text) with a profile file of its own, and leaves nothing behind.
#pragma once
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "dialog/query_history.h"
#include "dialog/search_dialog_logic.h"
#include "dialog/test_hooks.h"
#include "dialog/search_state.h"
#include "query_test_support.h"

namespace zms::testing {

class PluginStateTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }

    static void Reset() {
        test_hooks::ClearHistory();
        g_search = SearchState{};
    }

    // OK with these controls, kept as `search` keeps the answer; the result.
    static int Ok(std::optional<Scope> checkedScope, bool checked, const std::string& text) {
        const dialog::Answer answer = dialog::Confirm(g_search.scope, checkedScope, checked, text);
        dialog::Keep(answer);
        return answer.result;
    }

    // The value in the profile file; "<missing>" for a key that is not there.
    std::string Read(const char* section, const char* key) {
        return profile.store().ReadText(section, key, "<missing>").value_or("<null>");
    }

    ScopedProfile profile;
};

}  // namespace zms::testing
