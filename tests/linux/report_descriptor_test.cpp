#include "linux/report_descriptor.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/linux/descriptors.h"

namespace kv12::linux_hid {
namespace {

// Two numbered input reports of 4 and 16 bytes in one collection; a four-byte
// usage (page 0xFF00, usage 0x0001) names it.
const Bytes TWO_REPORTS = {0x0B, 0x01, 0x00, 0x00, 0xFF, 0xA1, 0x01, 0x75, 0x08, 0x85, 0x01, 0x95, 0x04,
                           0x09, 0x01, 0x81, 0x02, 0x85, 0x02, 0x95, 0x10, 0x09, 0x01, 0x81, 0x02, 0xC0};
// Push keeps 8-bit fields; the 1-bit fields between Push and Pop do not leak out.
const Bytes PUSH_POP = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x75, 0x08, 0x95, 0x04,
                        0xA4, 0x75, 0x01, 0x95, 0x08, 0x81, 0x02, 0xB4, 0xB1, 0x02, 0xC0};

struct LengthsCase {
    const char* name;
    Bytes descriptor;
    std::uint16_t usagePage;
    std::uint16_t usage;
    ReportLengths lengths;
    bool numbered;
    int depth;
};

void PrintTo(const LengthsCase& c, std::ostream* os) {
    *os << c.name;
}

class ReportLengthsTest : public testing::TestWithParam<LengthsCase> {};

TEST_P(ReportLengthsTest, GivesTheLengthsWindowsWouldReport) {
    const LengthsCase& c = GetParam();
    const auto summary = ParseReportDescriptor(c.descriptor);
    ASSERT_TRUE(summary);
    EXPECT_EQ(summary->numberedReports, c.numbered);
    const DescribedCollection* collection = summary->Find(c.usagePage, c.usage);
    ASSERT_NE(collection, nullptr);
    EXPECT_EQ(collection->lengths, c.lengths);
    EXPECT_EQ(collection->depth, c.depth);
}

INSTANTIATE_TEST_SUITE_P(
    Descriptors, ReportLengthsTest,
    testing::Values(LengthsCase{"Command", COMMAND_COLLECTION, 0xFF00, 0xFF00, {9, 33, 33}, false, 0},
                    LengthsCase{"Notice", NOTICE_COLLECTION, 0xFF01, 0xFF01, {0, 9, 0}, true, 0},
                    LengthsCase{"BootMouse", BOOT_MOUSE, 0x0001, 0x0002, {0, 4, 0}, false, 0},
                    LengthsCase{"NestedPointer", BOOT_MOUSE, 0x0001, 0x0001, {0, 4, 0}, false, 1},
                    LengthsCase{"LongestOfTwoReports", TWO_REPORTS, 0xFF00, 0x0001, {0, 17, 0}, true, 0},
                    LengthsCase{"PopRestoresTheFieldSize", PUSH_POP, 0xFF00, 0x0001, {5, 2, 0}, false, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReportDescriptor, TwoTopLevelCollectionsKeepTheirOwnReports) {
    Bytes both = COMMAND_COLLECTION;
    both.insert(both.end(), NOTICE_COLLECTION.begin(), NOTICE_COLLECTION.end());
    const auto summary = ParseReportDescriptor(both);
    ASSERT_TRUE(summary);
    ASSERT_EQ(summary->collections.size(), 2u);
    EXPECT_EQ(summary->Find(0xFF00, 0xFF00)->lengths, (ReportLengths{9, 33, 33}));
    EXPECT_EQ(summary->Find(0xFF01, 0xFF01)->lengths, (ReportLengths{0, 9, 0}));
    EXPECT_TRUE(summary->numberedReports);
    EXPECT_EQ(summary->Find(0xFF02, 0xFF02), nullptr);
}

TEST(ReportDescriptor, LongItemsAreSkipped) {
    Bytes descriptor = {0xFE, 0x02, 0x10, 0xAA, 0xBB};
    descriptor.insert(descriptor.end(), NOTICE_COLLECTION.begin(), NOTICE_COLLECTION.end());
    const auto summary = ParseReportDescriptor(descriptor);
    ASSERT_TRUE(summary);
    EXPECT_EQ(summary->Find(0xFF01, 0xFF01)->lengths, (ReportLengths{0, 9, 0}));
}

struct MalformedCase {
    const char* name;
    Bytes descriptor;
};

void PrintTo(const MalformedCase& c, std::ostream* os) {
    *os << c.name;
}

class MalformedDescriptorTest : public testing::TestWithParam<MalformedCase> {};

TEST_P(MalformedDescriptorTest, IsRefused) {
    EXPECT_FALSE(ParseReportDescriptor(GetParam().descriptor));
}

INSTANTIATE_TEST_SUITE_P(Cases, MalformedDescriptorTest,
                         testing::Values(MalformedCase{"ItemCutShort", {0x06, 0x00, 0xFF, 0x26, 0xFF}},
                                         MalformedCase{"FourByteItemCutShort", {0x0B, 0x01, 0x00}},
                                         MalformedCase{"LongItemCutShort", {0xFE, 0x05, 0x10, 0x00}},
                                         MalformedCase{"EndWithoutCollection", {0x09, 0x01, 0xC0}},
                                         MalformedCase{"CollectionNeverEnds",
                                                       {0x09, 0x01, 0xA1, 0x01, 0x81, 0x02}},
                                         MalformedCase{"PopWithoutPush", {0xB4}}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kv12::linux_hid
