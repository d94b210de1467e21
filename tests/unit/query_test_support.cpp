#include "query_test_support.h"

namespace zms::testing {

ScopedProfile::ScopedProfile() : store_(dir_.File("ZentoroMailSearch.ini").c_str()) {}

void ScopedProfile::SetFullwidth(bool on) {
    store_.WriteString("Option", "fullwidthspace_separator", on ? "1" : "0");
}

}  // namespace zms::testing
