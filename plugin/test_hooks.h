// What the tests put back between cases. The plug-in never calls these: its
// process-wide state goes with the library when it is unloaded.
#pragma once

namespace zms::test_hooks {

// Forgets the kept help command, so that the next "help:" builds it anew.
void ForgetHelpCommand();

}  // namespace zms::test_hooks
