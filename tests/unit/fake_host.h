// A host library inside the test process: every entry of the link it binds
// records its call in a journal and answers as the test sets.
#pragma once
#include <string>
#include <vector>

#include "plugin/host_link.h"

namespace zms::test {

struct FakeHostAnswers {
    int inside = 1;
    int mainWnd = 0x1234;
    int isMain = 1;
    int isGrep = 0;
    const char* account = "acct";
    const char* folder = "folder";
};

class FakeHost {
public:
    explicit FakeHost(HostLink& link);  // binds every entry of `link`
    ~FakeHost();
    FakeHostAnswers answers;
    std::vector<std::string> journal;
};

}  // namespace zms::test
