// A profile file of the test's own, with a store over it; and the
// translation's context as a test sets it: the fullwidth-space option as the
// test says, plain values as typed (no host, no profile file).
#pragma once
#include "query/query_translator.h"
#include "settings/profile_store.h"
#include "temp_dir.h"

namespace zms::testing {

class ScopedProfile {
public:
    ScopedProfile();
    void SetFullwidth(bool on);
    ProfileStore& store() { return store_; }

private:
    test::TempDir dir_;
    ProfileStore store_;
};

class TestContext {
public:
    TestContext() = default;
    TestContext(const TestContext&) = delete;
    TestContext& operator=(const TestContext&) = delete;

    void SetFullwidth(bool on) { fullwidth_ = on; }
    operator const QueryContext&() const { return context_; }

private:
    bool fullwidth_ = false;
    QueryContext context_{[this] { return fullwidth_; }, {}};
};

// A context with the option on or off, for one call.
inline QueryContext Fullwidth(bool on) { return {[on] { return on; }, {}}; }

}  // namespace zms::testing
