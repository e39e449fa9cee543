#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>

#include "Faults.h"
#include "JpegPicture.h"
#include "ProportionalFit.h"

namespace {

TEST(ProportionalFit, KeepsTheRatioAndStartsFromTheLongerSide) {
  struct Case {
    QSize picture;
    QSize area;
    QSize fitted;
  };
  for (const Case& c : std::initializer_list<Case>{
           {{376, 213}, {374, 211}, {374, 211}},  // the splash picture
           {{200, 100}, {100, 100}, {100, 50}},
           {{200, 100}, {400, 100}, {200, 100}},  // too high at full width: full height
           {{100, 200}, {100, 100}, {50, 100}},
           {{100, 200}, {100, 400}, {100, 200}},  // too wide at full height: full width
           {{100, 100}, {300, 200}, {200, 200}},  // square counts as tall
           {{3, 2}, {10, 10}, {10, 6}},           // truncated, not rounded
           {{0, 10}, {10, 10}, {0, 0}},
       }) {
    EXPECT_EQ(proportionalFit(c.picture, c.area), c.fitted)
        << c.picture.width() << "x" << c.picture.height();
  }
}

QByteArray jpegOf(const QImage& picture) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, "jpg");
  writer.write(picture);
  return bytes;
}

TEST(JpegPicture, DecodesThePixels) {
  QImage picture(8, 4, QImage::Format_RGB888);
  picture.fill(QColor(200, 30, 60));
  const QImage decoded = decodeJpeg(jpegOf(picture));
  ASSERT_EQ(decoded.size(), QSize(8, 4));
  const QColor pixel = decoded.pixelColor(3, 2);
  EXPECT_NEAR(pixel.red(), 200, 8);
  EXPECT_NEAR(pixel.green(), 30, 8);
  EXPECT_NEAR(pixel.blue(), 60, 8);
}

TEST(JpegPicture, RefusesWhatIsNoWholeJpegPicture) {
  QImage picture(64, 64, QImage::Format_RGB888);
  picture.fill(Qt::blue);
  const QByteArray whole = jpegOf(picture);
  for (const QByteArray& bytes : {QByteArray(), QByteArray("GIF89a not a JPEG"),
                                  whole.left(whole.size() / 2), whole.left(4)}) {
    EXPECT_THROW(decodeJpeg(bytes), numora::Exception) << bytes.size();
  }
}

// Every picture the windows show is built into the program, at the size it is drawn at.
TEST(Pictures, EveryPictureOfTheWindowsIsBuiltInAtItsSize) {
  struct Case {
    const char* resource;
    QSize size;
  };
  for (const Case& c : std::initializer_list<Case>{
           {":/numora.png", {32, 32}},
           {":/logo.png", {300, 115}},
           {":/buttons/new.png", {16, 16}},
           {":/buttons/save.png", {16, 16}},
           {":/buttons/open.png", {16, 16}},
           {":/buttons/add.png", {16, 16}},
           {":/buttons/delete.png", {16, 16}},
           {":/buttons/row.png", {16, 16}},
           {":/buttons/all.png", {16, 16}},
       }) {
    EXPECT_EQ(QImage(c.resource).size(), c.size) << c.resource;
  }
  QFile splash(":/splash.jpg");
  ASSERT_TRUE(splash.open(QIODevice::ReadOnly));
  EXPECT_EQ(decodeJpeg(splash.readAll()).size(), QSize(376, 213));
}

}  // namespace
