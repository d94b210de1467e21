// The waiting budget of a profile operation, alike on every OS: the per-OS
// profile code waits for its turn inside a ProfileWait.
#include "platform/profile.h"

namespace zms::platform {
namespace {

using Clock = std::chrono::steady_clock;

// The plug-in runs on one thread at a time (its load, then the thread that
// calls `search`), so plain statics do.
int g_depth = 0;
Clock::duration g_left;

}  // namespace

ProfileOperation::ProfileOperation(std::chrono::milliseconds budget) {
    if (g_depth++ == 0) g_left = budget;
}

ProfileOperation::~ProfileOperation() { --g_depth; }

ProfileWait::ProfileWait()
    : start_(Clock::now()),
      left_(g_depth == 0 ? kProfileWaitBudget
                         : std::chrono::ceil<std::chrono::milliseconds>(g_left)) {}

ProfileWait::~ProfileWait() {
    if (g_depth == 0) return;
    g_left -= Clock::now() - start_;
    if (g_left < Clock::duration::zero()) g_left = Clock::duration::zero();
}

}  // namespace zms::platform
