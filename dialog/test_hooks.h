// What the tests put back between cases. The plug-in never calls these: its
// process-wide state goes with the library when it is unloaded.
#pragma once

namespace zms::test_hooks {

// Empties the query history.
void ClearHistory();

}  // namespace zms::test_hooks
