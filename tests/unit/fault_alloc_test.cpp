// Memory running out under the profile store. An executable of its own, linked
// with --wrap=malloc,--wrap=realloc,--wrap=free: every malloc, realloc and free
// of this executable's own code (the store, the POSIX layer, the test) goes
// through the wrappers below, which can make the n-th allocation fail and
// count the blocks still held. Operator new is replaced too, so that the POSIX
// layer's own allocations (std::string, std::vector) can fail as well.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "platform/profile.h"
#include "settings/profile_store.h"
#include "tests/unit/temp_dir.h"

extern "C" {
void* __real_malloc(std::size_t size);
void* __real_realloc(void* block, std::size_t size);
void __real_free(void* block);
}

namespace {

// What the wrappers do. Armed only around the call under test, so that the
// test's own work is never counted.
struct AllocFaults {
    bool armed = false;
    int calls = 0;     // malloc and realloc calls while armed
    int failAt = 0;    // the call that fails, 1-based; 0: none
    int newCalls = 0;  // operator new calls while armed
    int newFailAt = 0;
    static constexpr int kSlots = 64;
    void* held[kSlots] = {};  // blocks from malloc/realloc while armed, not yet freed
    int overflow = 0;

    void Track(void* block) {
        for (void*& slot : held) {
            if (slot == nullptr) {
                slot = block;
                return;
            }
        }
        ++overflow;
    }
    void Untrack(void* block) {
        for (void*& slot : held)
            if (slot == block) slot = nullptr;
    }
    int Held() const {
        int n = overflow;
        for (void* slot : held) n += slot != nullptr;
        return n;
    }
};
AllocFaults g_faults;

// Arms the wrappers for its lifetime.
class Armed {
public:
    explicit Armed(int failAt, int newFailAt = 0) {
        g_faults = AllocFaults{};
        g_faults.failAt = failAt;
        g_faults.newFailAt = newFailAt;
        g_faults.armed = true;
    }
    ~Armed() { g_faults.armed = false; }
};

}  // namespace

extern "C" void* __wrap_malloc(std::size_t size) {
    if (g_faults.armed && ++g_faults.calls == g_faults.failAt) return nullptr;
    void* block = __real_malloc(size);
    if (g_faults.armed && block) g_faults.Track(block);
    return block;
}

extern "C" void* __wrap_realloc(void* block, std::size_t size) {
    // A failed realloc leaves the old block as it was, still to be freed.
    if (g_faults.armed && ++g_faults.calls == g_faults.failAt) return nullptr;
    void* grown = __real_realloc(block, size);
    if (g_faults.armed && grown) {
        g_faults.Untrack(block);
        g_faults.Track(grown);
    }
    return grown;
}

extern "C" void __wrap_free(void* block) {
    if (block) g_faults.Untrack(block);
    __real_free(block);
}

void* operator new(std::size_t size) {
    if (g_faults.armed && ++g_faults.newCalls == g_faults.newFailAt) throw std::bad_alloc();
    if (void* block = __real_malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept { __real_free(block); }
void operator delete(void* block, std::size_t) noexcept { __real_free(block); }

namespace zms {
namespace {

class FaultAlloc : public ::testing::Test {
protected:
    test::TempDir dir;
    const std::string path = dir.File("ZentoroMailSearch.ini");
    ProfileStore store{path.c_str()};
};

struct ReadCase {
    const char* what;
    std::size_t length;  // of the stored value
    int failAt;          // 0: nothing fails
    int expectedCalls;   // malloc and realloc calls the read makes
    bool expectNull;
};

// 256 bytes serve up to 253 characters; each doubling serves about twice as many.
const ReadCase kReadCases[] = {
    {"short value, nothing fails: one malloc", 10, 0, 1, false},
    {"300 characters, nothing fails: one growth", 300, 0, 2, false},
    {"1000 characters, nothing fails: two growths", 1000, 0, 3, false},
    {"first buffer fails", 10, 1, 1, true},
    {"first buffer fails before a value that needs growth", 300, 1, 1, true},
    {"the first growth fails", 300, 2, 2, true},
    {"the first of two growths fails", 1000, 2, 2, true},
    {"the second growth fails", 1000, 3, 3, true},
    {"the last of seven growths fails", 30000, 8, 8, true},
};

TEST_F(FaultAlloc, ReadStringGivesNullAndKeepsNoBlock) {
    for (const ReadCase& c : kReadCases) {
        SCOPED_TRACE(c.what);
        const std::string value(c.length, 'v');
        ASSERT_NE(store.WriteString("History", "history0", value.c_str()), 0);
        char* read = nullptr;
        {
            Armed armed(c.failAt);
            read = store.ReadString("History", "history0", nullptr);
        }
        EXPECT_EQ(g_faults.calls, c.expectedCalls);
        if (c.expectNull) {
            EXPECT_EQ(read, nullptr);
            EXPECT_EQ(g_faults.Held(), 0) << "a buffer was left behind";
        } else {
            ASSERT_NE(read, nullptr);
            EXPECT_EQ(std::string(read), value);
            EXPECT_EQ(g_faults.Held(), 1) << "the result is the only block held";
        }
        std::free(read);
    }
}

TEST_F(FaultAlloc, QuotedWriteWithoutMemoryWritesNothing) {
    ASSERT_NE(store.WriteString("Favorite", "a", "subject:keep"), 0);
    const std::string before = test::ReadBytes(path);
    int result = 1;
    {
        Armed armed(1);
        result = store.WriteString("Favorite", "a", "\"a b\"");
    }
    EXPECT_EQ(result, 0);
    EXPECT_EQ(g_faults.Held(), 0);
    EXPECT_EQ(test::ReadBytes(path), before);
}

// Every allocation of the POSIX layer's write failing in turn: the write
// reports failure or success, and the file is always either the old one or the
// new one, never a part, with no temporary file left beside it.
TEST_F(FaultAlloc, WritesFailingAnywhereLeaveTheOldFileOrTheNew) {
    ASSERT_NE(store.WriteString("Favorite", "a", "subject:keep"), 0);
    ASSERT_NE(store.WriteString("History", "history0", "old"), 0);
    const std::string before = test::ReadBytes(path);
    const std::string after = "[Favorite]\r\na=subject:keep\r\n[History]\r\nhistory0=new\r\n";
    int failures = 0;
    for (int n = 1; n < 500; ++n) {
        SCOPED_TRACE("operator new call " + std::to_string(n) + " fails");
        int result = 0;
        {
            Armed armed(0, n);
            result = store.WriteString("History", "history0", "new");
        }
        const std::string now = test::ReadBytes(path);
        EXPECT_TRUE(now == before || now == after) << now;
        EXPECT_EQ(dir.Listing(), "ZentoroMailSearch.ini");
        if (result != 0 && g_faults.newCalls < n) break;  // nothing failed: done
        if (result == 0) {
            ++failures;
            EXPECT_EQ(now, before) << "a write that reports failure changed the file";
        }
        if (now != before) {
            ASSERT_NE(store.WriteString("History", "history0", "old"), 0);
        }
    }
    EXPECT_GT(failures, 0) << "no allocation of the write was made to fail";
}

// The same for reads: no crash and no partial value; the platform read gives
// an empty text when it runs out, which the store cannot tell from a missing
// key.
TEST_F(FaultAlloc, ReadsFailingInThePlatformGiveTheValueOrAnEmptyText) {
    ASSERT_NE(store.WriteString("History", "history0", "stored query"), 0);
    int empty = 0;
    for (int n = 1; n < 500; ++n) {
        SCOPED_TRACE("operator new call " + std::to_string(n) + " fails");
        char* read = nullptr;
        // A changed file is parsed again: the parse's allocations fail too.
        test::WriteBytes(path, test::ReadBytes(path));
        {
            Armed armed(0, n);
            read = store.ReadString("History", "history0", nullptr);
        }
        ASSERT_NE(read, nullptr);
        const std::string text = read;
        std::free(read);
        EXPECT_TRUE(text == "stored query" || text.empty()) << text;
        empty += text.empty();
        if (g_faults.newCalls < n) break;
    }
    EXPECT_GT(empty, 0) << "no allocation of the read was made to fail";
}

}  // namespace
}  // namespace zms
