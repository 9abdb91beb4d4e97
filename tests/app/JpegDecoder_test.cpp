#include "app/JpegDecoder.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <random>

#include <jerror.h>

namespace sequara {
namespace {

std::string frontPicture() { return testing::ReadBytes(testing::TestDataFile("../../app/resources/FrontPanel.jpg")); }

DecodedImage decode(const std::string& bytes, int minWidth = 0, int minHeight = 0) {
    return DecodeJpeg(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), minWidth, minHeight);
}

int errorCode(const std::string& bytes) {
    try {
        decode(bytes);
    } catch (const JpegError& e) {
        EXPECT_EQ(std::string(e.what()), "JPEG error #" + std::to_string(e.Code));
        return e.Code;
    }
    return 0;
}

TEST(JpegDecoderTest, TheFrontPictureDecodesAtFullSize) {
    const std::string jpeg = frontPicture();
    ASSERT_FALSE(jpeg.empty());
    DecodedImage image = decode(jpeg, 839, 570);
    EXPECT_EQ(image.Width, 839);
    EXPECT_EQ(image.Height, 570);
    ASSERT_EQ(image.Rgb.size(), 839u * 570u * 3u);
    // Not a blank picture.
    auto [lo, hi] = std::minmax_element(image.Rgb.begin(), image.Rgb.end());
    EXPECT_GT(int(*hi) - int(*lo), 100);
}

TEST(JpegDecoderTest, OutputIsScaledDownOnlyAsFarAsTheWantedSize) {
    const std::string jpeg = frontPicture();
    DecodedImage half = decode(jpeg, 400, 280);
    EXPECT_EQ(half.Width, 420);  // 839 / 2, rounded up
    EXPECT_EQ(half.Height, 285);
    DecodedImage eighth = decode(jpeg, 100, 70);
    EXPECT_EQ(eighth.Width, 105);
    EXPECT_EQ(eighth.Height, 72);
    EXPECT_EQ(eighth.Rgb.size(), 105u * 72u * 3u);
    EXPECT_EQ(decode(jpeg, 840, 10).Width, 839);  // larger than the picture: full size
}

TEST(JpegDecoderTest, GreyPicturesComeOutAsRgb) {
    QImage grey(16, 8, QImage::Format_Grayscale8);
    grey.fill(128);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(grey.save(&buffer, "JPG"));
    DecodedImage image = decode(bytes.toStdString());
    ASSERT_EQ(image.Rgb.size(), 16u * 8u * 3u);
    EXPECT_NEAR(image.Rgb[0], 128, 2);
    EXPECT_EQ(image.Rgb[0], image.Rgb[1]);
    EXPECT_EQ(image.Rgb[1], image.Rgb[2]);
}

TEST(JpegDecoderTest, DamagedDataRaisesTheMessageCode) {
    const std::string jpeg = frontPicture();
    EXPECT_EQ(errorCode(""), JERR_INPUT_EMPTY);
    EXPECT_EQ(errorCode("not a picture at all"), JERR_NO_SOI);
    EXPECT_EQ(errorCode(jpeg.substr(0, jpeg.size() / 2)), JWRN_JPEG_EOF);  // cut short
    EXPECT_NE(errorCode(jpeg.substr(0, 300)), 0);

    // A frame header claiming 60000 x 60000 pixels is refused before decoding.
    std::string huge = jpeg;
    std::size_t sof = huge.find("\xFF\xC0");
    ASSERT_NE(sof, std::string::npos);
    huge[sof + 5] = char(0xEA);
    huge[sof + 6] = char(0x60);
    huge[sof + 7] = char(0xEA);
    huge[sof + 8] = char(0x60);
    EXPECT_EQ(errorCode(huge), JERR_IMAGE_TOO_BIG);
}

TEST(JpegDecoderTest, RandomDamageNeverEndsInAnythingButAPictureOrAnError) {
    const std::string jpeg = frontPicture();
    std::mt19937 random(20261207);
    int refused = 0;
    for (int round = 0; round < 150; ++round) {
        std::string damaged = jpeg;
        const int flips = 1 + int(random() % 8);
        for (int k = 0; k < flips; ++k) damaged[random() % damaged.size()] = char(random());
        if (round % 3 == 0) damaged.resize(random() % damaged.size());
        try {
            DecodedImage image = decode(damaged);
            EXPECT_EQ(image.Rgb.size(), std::size_t(image.Width) * std::size_t(image.Height) * 3u);
        } catch (const JpegError&) {
            ++refused;
        }
    }
    EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace sequara
