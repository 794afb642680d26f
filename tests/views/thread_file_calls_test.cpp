// The thread file call probe, tried on this program's own imports: the cover
// wall's proof that the window thread makes no file call rests on it.
#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "tests/views/thread_file_calls.h"

namespace coverhall::test {
namespace {

BOOL queryAttributes(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    return GetFileAttributesExA(path, GetFileExInfoStandard, &data);
}

TEST(ThreadFileCallProbeTest, CountsWindowThreadCallsApartFromOthersUntilDestroyed) {
    void* const unhooked = reinterpret_cast<void*>(&GetFileAttributesExA);
    {
        ThreadFileCallProbe probe(GetModuleHandleA(nullptr));
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(queryAttributes("C:\\coverhall-no-such-file"));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
        std::thread([] {
            queryAttributes(".");
            queryAttributes(".");
        }).join();
        EXPECT_EQ(probe.windowThreadCalls(), 1);
        EXPECT_EQ(probe.otherThreadCalls(), 2);
        probe.reset();
        EXPECT_EQ(probe.windowThreadCalls() + probe.otherThreadCalls(), 0);
    }
    EXPECT_EQ(reinterpret_cast<void*>(&GetFileAttributesExA), unhooked);
}

}  // namespace
}  // namespace coverhall::test
