#include <gtest/gtest.h>

#include "host/ui/child_window.h"
#include "host/ui/picture.h"
#include "host/ui/testdata/pictures.h"

namespace {

std::uint32_t rgb(int r, int g, int b) { return std::uint32_t(r) << 16 | g << 8 | b; }

TEST(Picture, PngPixelsAreBlendedWithTheBackground)
{
    auto overWhite = Picture::decode(pictureBytes(TEST_ALPHA_PNG), RGB(255, 255, 255));
    ASSERT_TRUE(overWhite);
    EXPECT_EQ(overWhite->width(), 3);
    EXPECT_EQ(overWhite->pixel(0, 0), rgb(255, 127, 127)); // red at alpha 128
    EXPECT_EQ(overWhite->pixel(1, 0), rgb(255, 255, 255)); // fully transparent
    EXPECT_EQ(overWhite->pixel(2, 0), rgb(10, 200, 30));   // opaque

    auto overBlack = Picture::decode(pictureBytes(TEST_ALPHA_PNG), RGB(0, 0, 0));
    ASSERT_TRUE(overBlack);
    EXPECT_EQ(overBlack->pixel(0, 0), rgb(128, 0, 0));
    EXPECT_EQ(overBlack->pixel(1, 0), rgb(0, 0, 0));
}

TEST(Picture, JpegDecodesAtItsSizeAndItsWhiteCanBeCutOut)
{
    auto button = Picture::decode(pictureBytes(TEST_BUTTON_NORMAL), RGB(255, 255, 255));
    ASSERT_TRUE(button);
    EXPECT_EQ(button->width(), 148);
    EXPECT_EQ(button->height(), 53);
    EXPECT_EQ(button->pixel(0, 0), rgb(255, 255, 255));
    auto shape = button->shapeWithout(RGB(255, 255, 255));
    EXPECT_FALSE(PtInRegion(shape.get(), 0, 0));
    EXPECT_TRUE(PtInRegion(shape.get(), 74, 40));
}

TEST(Picture, BytesThatAreNoPictureGiveNothing)
{
    const std::uint8_t junk[] = {0x89, 'P', 'N', 'G', 0, 1, 2, 3, 4, 5};
    EXPECT_FALSE(Picture::decode(ByteView(junk, sizeof(junk)), 0));
    const std::uint8_t truncatedJpeg[] = {0xFF, 0xD8, 0xFF, 0xE0, 0, 0x10};
    EXPECT_FALSE(Picture::decode(ByteView(truncatedJpeg, sizeof(truncatedJpeg)), 0));
    EXPECT_FALSE(Picture::decode(ByteView(), 0));
}

} // namespace
