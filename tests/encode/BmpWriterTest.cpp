#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include "encode/BmpWriter.h"

namespace {

std::uint32_t U32(const QByteArray& b, int at) {
    return qFromLittleEndian<std::uint32_t>(b.constData() + at);
}
std::uint16_t U16(const QByteArray& b, int at) {
    return qFromLittleEndian<std::uint16_t>(b.constData() + at);
}

}  // namespace

TEST(BmpWriter, WritesAnUncompressed24BitBitmapBottomUp) {
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(qRgb(10, 20, 30));
    image.setPixel(0, 0, qRgb(255, 0, 0));  // top left
    image.setPixel(2, 1, qRgb(0, 0, 255));  // bottom right
    const QByteArray bmp = encode::EncodeBmp24(image);
    ASSERT_EQ(bmp.size(), 14 + 40 + 2 * 12);  // rows of 9 bytes padded to 12
    EXPECT_EQ(bmp.left(2), QByteArray("BM"));
    EXPECT_EQ(U32(bmp, 2), 78u);
    EXPECT_EQ(U32(bmp, 10), 54u);
    EXPECT_EQ(U32(bmp, 14), 40u);
    EXPECT_EQ(U32(bmp, 18), 3u);
    EXPECT_EQ(U32(bmp, 22), 2u);
    EXPECT_EQ(U16(bmp, 26), 1);
    EXPECT_EQ(U16(bmp, 28), 24);
    EXPECT_EQ(U32(bmp, 30), 0u);
    // The first row on file is the bottom row: blue pixel last, stored blue, green, red.
    EXPECT_EQ(bmp.mid(54, 12).toHex(), QByteArray("1e140a1e140aff0000000000"));
    EXPECT_EQ(bmp.mid(66, 12).toHex(), QByteArray("0000ff1e140a1e140a000000"));

    QImage back = QImage::fromData(bmp, "BMP").convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(back, image);
}

TEST(BmpWriter, FilesAreReplacedOnlyWhenWritten) {
    QTemporaryDir dir;
    QImage image(17, 5, QImage::Format_ARGB32);
    image.fill(qRgba(1, 2, 3, 128));
    encode::SaveBmpFile(image, dir.path() + "/a.bmp");
    QImage back(dir.path() + "/a.bmp");
    EXPECT_EQ(back.size(), QSize(17, 5));
    EXPECT_EQ(back.pixel(16, 4) & 0xFFFFFF, qRgb(1, 2, 3) & 0xFFFFFF);
    EXPECT_THROW(encode::SaveBmpFile(image, dir.path() + "/no/such/a.bmp"), std::runtime_error);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"a.bmp"});
}
