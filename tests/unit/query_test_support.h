// A profile file of the test's own, set as the process-wide store, for the
// translation's fullwidth-space option.
#pragma once
#include "settings/profile_store.h"
#include "temp_dir.h"

namespace zms::testing {

class ScopedProfile {
public:
    ScopedProfile();
    ~ScopedProfile();
    void SetFullwidth(bool on);
    ProfileStore& store() { return store_; }

private:
    test::TempDir dir_;
    ProfileStore store_;
    ProfileStore* previous_;
};

}  // namespace zms::testing
