#include "win32/mem_dc.h"

#include <gtest/gtest.h>

#include "win32/gdi_handles.h"

namespace kv12::win32 {
namespace {

// A 20 x 10 memory context standing in for a window's context, all black.
class MemDcTarget : public ::testing::Test {
protected:
    void SetUp() override {
        ScopedGetDC screen(nullptr);
        target_.Reset(::CreateCompatibleDC(screen.Get()));
        bitmap_.Reset(::CreateCompatibleBitmap(screen.Get(), 20, 10));
        ASSERT_TRUE(target_ && bitmap_);
        previous_ = ::SelectObject(target_.Get(), bitmap_.Get());
        RECT all{0, 0, 20, 10};
        ::FillRect(target_.Get(), &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }
    void TearDown() override { ::SelectObject(target_.Get(), previous_); }

    // Fills what the CMemDC covers with white, then lets it copy to the target.
    RECT PaintWhiteThrough(const RECT& rect) {
        CMemDC memory(target_.Get(), rect);
        EXPECT_TRUE(memory.IsValid());
        const RECT covered = memory.Rect();
        ::FillRect(memory.Get(), &covered, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        return covered;
    }

    COLORREF At(int x, int y) const { return ::GetPixel(target_.Get(), x, y); }

    UniqueDc target_;
    UniqueBitmap bitmap_;
    HGDIOBJ previous_ = nullptr;
};

TEST_F(MemDcTarget, AnAllZeroRectangleCoversTheTargetsClipBox) {
    ::IntersectClipRect(target_.Get(), 2, 3, 12, 8);
    const RECT covered = PaintWhiteThrough(RECT{});
    EXPECT_EQ(covered.left, 2);
    EXPECT_EQ(covered.top, 3);
    EXPECT_EQ(covered.right, 12);
    EXPECT_EQ(covered.bottom, 8);
    EXPECT_EQ(At(2, 3), RGB(255, 255, 255));
    EXPECT_EQ(At(11, 7), RGB(255, 255, 255));
    ::SelectClipRgn(target_.Get(), nullptr);
    EXPECT_EQ(At(1, 3), RGB(0, 0, 0));
    EXPECT_EQ(At(12, 7), RGB(0, 0, 0));
}

TEST_F(MemDcTarget, WithoutClippingAnAllZeroRectangleIsTheWholeBitmap) {
    const RECT covered = PaintWhiteThrough(RECT{});
    EXPECT_EQ(covered.right - covered.left, 20);
    EXPECT_EQ(covered.bottom - covered.top, 10);
    EXPECT_EQ(At(19, 9), RGB(255, 255, 255));
}

TEST_F(MemDcTarget, CallersDrawInTheTargetsCoordinatesAndTheCopyWaitsForTheEnd) {
    {
        CMemDC memory(target_.Get(), RECT{5, 2, 9, 6});
        // The memory bitmap is not cleared: the whole rectangle is drawn.
        RECT all{5, 2, 9, 6};
        ::FillRect(memory.Get(), &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        RECT corner{5, 2, 7, 4};  // the target's (5, 2) is the memory bitmap's origin
        ::FillRect(memory.Get(), &corner, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
        EXPECT_EQ(At(5, 2), RGB(0, 0, 0)) << "nothing reaches the target before the object goes";
        RECT everywhere{0, 0, 20, 10};
        ::FillRect(target_.Get(), &everywhere, static_cast<HBRUSH>(::GetStockObject(GRAY_BRUSH)));
    }
    EXPECT_EQ(At(5, 2), RGB(255, 255, 255));
    EXPECT_EQ(At(6, 3), RGB(255, 255, 255));
    EXPECT_EQ(At(8, 5), RGB(0, 0, 0));
    // Outside the rectangle the target keeps what it had.
    EXPECT_EQ(At(4, 2), RGB(128, 128, 128));
    EXPECT_EQ(At(9, 6), RGB(128, 128, 128));
}

TEST_F(MemDcTarget, ACanvasSelectedIntoItReceivesTheDrawingAndReachesTheTarget) {
    ScopedGetDC screen(nullptr);
    UniqueBitmap canvas(::CreateCompatibleBitmap(screen.Get(), 20, 10));
    ASSERT_TRUE(canvas);
    {
        CMemDC memory(target_.Get(), RECT{0, 0, 20, 10});
        memory.SelectCanvas(canvas.Get());
        RECT spot{3, 3, 4, 4};
        ::FillRect(memory.Get(), &spot, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    }
    EXPECT_EQ(At(3, 3), RGB(255, 255, 255));
    // The canvas was taken out of the memory context again: it can be selected elsewhere.
    UniqueDc other(::CreateCompatibleDC(screen.Get()));
    const HGDIOBJ previous = ::SelectObject(other.Get(), canvas.Get());
    ASSERT_NE(previous, nullptr);
    EXPECT_EQ(::GetPixel(other.Get(), 3, 3), RGB(255, 255, 255));
    ::SelectObject(other.Get(), previous);
}

}  // namespace
}  // namespace kv12::win32
