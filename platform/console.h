// Standard streams for the command-line tools.
#pragma once

namespace zms::platform {

// Standard input and output carry bytes as they are: no CR LF translation.
void SetBinaryStdio();

}  // namespace zms::platform
