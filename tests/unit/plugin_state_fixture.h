// Tests over the plug-in's state: each starts from a fresh one (empty
// history, scope 1001, check box clear, no initial text) with a profile file
// of its own.
#pragma once
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "plugin/plugin_state.h"
#include "query_test_support.h"

namespace zms::testing {

class PluginStateTest : public ::testing::Test {
protected:
    // OK with these controls, kept as `search` keeps the answer; the result.
    int Ok(std::optional<Scope> checkedScope, bool checked, const std::string& text) {
        const dialog::Answer answer = dialog::Confirm(state.scope, checkedScope, checked, text);
        Keep(state, answer);
        return answer.result;
    }
    std::size_t HistorySize() const { return state.history.Entries().size(); }
    // What the dialog opens with: the scope, the check box, the initial text.
    void Shown(Scope scope, bool specialFolders, const std::string& text) {
        state.scope = scope;
        state.specialFolders = specialFolders;
        state.initialEditText = text;
    }

    // The value in the profile file; "<missing>" for a key that is not there.
    std::string Read(const char* section, const char* key) {
        return profile.store().ReadText(section, key, "<missing>").value_or("<null>");
    }

    ScopedProfile profile;
    PluginState state{profile.store().Path()};
};

}  // namespace zms::testing
