#include "platform/console.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>

namespace zms::platform {

// The C runtime opens the standard streams in text mode, which would turn LF
// into CR LF on output and drop CRs (and stop at 0x1A) on input.
void SetBinaryStdio() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace zms::platform
