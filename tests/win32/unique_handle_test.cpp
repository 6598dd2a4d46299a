#include "win32/unique_handle.h"

#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace kv12::win32 {
namespace {

// A resource whose closes are counted: value 0 is empty, anything else is owned.
struct CountedTraits {
    using Type = int;
    static inline std::vector<int> closed;
    static Type Invalid() { return 0; }
    static void Close(Type value) { closed.push_back(value); }
};
using CountedResource = UniqueResource<CountedTraits>;

class UniqueResourceOwnership : public ::testing::Test {
  protected:
    void SetUp() override { CountedTraits::closed.clear(); }
    static const std::vector<int>& Closed() { return CountedTraits::closed; }
};

TEST_F(UniqueResourceOwnership, TheOwnerClosesItsValueExactlyOnce) {
    {
        CountedResource owner(7);
        EXPECT_TRUE(owner.IsValid());
        owner.Reset();
        EXPECT_FALSE(owner.IsValid());
    }
    EXPECT_EQ(Closed(), std::vector<int>{7});
}

TEST_F(UniqueResourceOwnership, AMovedFromOwnerIsEmptyAndClosesNothing) {
    {
        CountedResource first(7);
        CountedResource second(std::move(first));
        // NOLINTNEXTLINE(bugprone-use-after-move): the moved-from state is what is tested
        EXPECT_FALSE(first.IsValid());
        EXPECT_EQ(first.Get(), 0);
        EXPECT_EQ(second.Get(), 7);
        CountedResource third;
        third = std::move(second);
        EXPECT_FALSE(second.IsValid());  // NOLINT(bugprone-use-after-move)
        EXPECT_TRUE(Closed().empty());
    }
    EXPECT_EQ(Closed(), std::vector<int>{7});
}

TEST_F(UniqueResourceOwnership, MoveAssignmentClosesTheValueItReplaces) {
    CountedResource target(3);
    CountedResource source(4);
    target = std::move(source);
    EXPECT_EQ(Closed(), std::vector<int>{3});
    EXPECT_EQ(target.Get(), 4);
}

TEST_F(UniqueResourceOwnership, SelfMoveAssignmentKeepsTheValueOpen) {
    CountedResource owner(5);
    CountedResource& alias = owner;
    owner = std::move(alias);
    EXPECT_EQ(owner.Get(), 5);
    EXPECT_TRUE(Closed().empty());
}

TEST_F(UniqueResourceOwnership, ResetToTheOwnedValueDoesNotCloseIt) {
    CountedResource owner(5);
    owner.Reset(5);
    EXPECT_TRUE(Closed().empty());
    owner.Reset(6);
    EXPECT_EQ(Closed(), std::vector<int>{5});
}

TEST_F(UniqueResourceOwnership, ReleaseHandsTheValueOverUnclosed) {
    int released = 0;
    {
        CountedResource owner(9);
        released = owner.Release();
        EXPECT_FALSE(owner.IsValid());
    }
    EXPECT_EQ(released, 9);
    EXPECT_TRUE(Closed().empty());
}

TEST_F(UniqueResourceOwnership, AFailedCallsSentinelIsNeverClosed) {
    { CountedResource owner(CountedTraits::Invalid()); }
    { CountedResource owner; }
    EXPECT_TRUE(Closed().empty());
}

// Each Win32 wrapper treats its own failure value as empty, and only that.
TEST(Win32HandleSentinels, EachWrapperIsEmptyOnlyWithItsCreatorsFailureValue) {
    EXPECT_EQ(UniqueFile().Get(), INVALID_HANDLE_VALUE);
    EXPECT_FALSE(UniqueFile(INVALID_HANDLE_VALUE).IsValid());
    EXPECT_EQ(UniqueHandle().Get(), nullptr);
    EXPECT_FALSE(UniqueHandle(nullptr).IsValid());
    EXPECT_EQ(UniqueDeviceInfoSet().Get(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(UniquePreparsedData().Get(), nullptr);

    // A NULL-sentinel wrapper holds a real handle; a file wrapper holding NULL
    // would try to close it, which is why the types are kept apart.
    UniqueHandle event(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    ASSERT_TRUE(event.IsValid());
    EXPECT_NE(event.Get(), INVALID_HANDLE_VALUE);
}

TEST(Win32HandleSentinels, AFailedCreateFileGivesAnEmptyFile) {
    const UniqueFile file(::CreateFileW(L"C:\\kv12-no-such-folder\\no-such-file.bin", GENERIC_READ, 0,
                                        nullptr, OPEN_EXISTING, 0, nullptr));
    EXPECT_FALSE(file.IsValid());
}

bool HandleIsOpen(HANDLE handle) {
    DWORD flags = 0;
    return ::GetHandleInformation(handle, &flags) != FALSE;
}

TEST(Win32HandleOwnership, AnEventIsClosedWhenItsLastOwnerGoes) {
    HANDLE raw = nullptr;
    {
        UniqueHandle first(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
        raw = first.Get();
        ASSERT_NE(raw, nullptr);
        UniqueHandle second(std::move(first));
        EXPECT_EQ(first.Get(), nullptr);  // NOLINT(bugprone-use-after-move)
        EXPECT_TRUE(HandleIsOpen(raw));
    }
    EXPECT_FALSE(HandleIsOpen(raw));
}

// A delete-on-close file shows from outside when its handle really closed.
TEST(Win32HandleOwnership, AFileStaysOpenThroughMovesAndClosesWithItsLastOwner) {
    const std::filesystem::path path = std::filesystem::temp_directory_path() /
                                       ("kv12-unique-file-" + std::to_string(::GetCurrentProcessId()));
    {
        UniqueFile outer;
        {
            UniqueFile inner(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                                           nullptr, CREATE_ALWAYS, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
            ASSERT_TRUE(inner.IsValid());
            ASSERT_TRUE(std::filesystem::exists(path));
            outer = std::move(inner);
        }
        EXPECT_TRUE(std::filesystem::exists(path)) << "the moved-from wrapper closed the file";
    }
    EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace kv12::win32
