#include "platform/console.h"

#include <fcntl.h>
#include <io.h>
#include <stdio.h>

namespace zms::platform {

void SetBinaryStdio() {
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

std::string ConsoleText(const std::string& cp932) { return cp932; }

}  // namespace zms::platform
