// Picture files as the picture tabs load them, the message on the product picture, and the
// fit of a loaded picture in the frame.
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <filesystem>

#include "demo/zip_writer.h"
#include "support/temp_dir.h"
#include "ui/browser/picture_loader.h"
#include "ui/browser/quick_info_panel.h"
#include "ui/resources.h"

namespace {

const std::string kPictures = KW_SOURCE_DIR "/tests/data/pictures/";

// A BMP of one bit per pixel, black and white, whose header announces `width` x `height`; its
// rows of pixels hold `rows`.
std::string MonochromeBitmap(std::int32_t width, std::int32_t height, const std::string& rows) {
  auto le = [](std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i, value >>= 8)
      out += static_cast<char>(value & 0xFF);
    return out;
  };
  const std::string palette = le(0, 4) + le(0xFFFFFF, 4);
  const std::uint32_t offset = 14 + 40 + 8;
  return "BM" + le(offset + static_cast<std::uint32_t>(rows.size()), 4) + le(0, 4) + le(offset, 4) +
         le(40, 4) + le(static_cast<std::uint32_t>(width), 4) +
         le(static_cast<std::uint32_t>(height), 4) + le(1, 2) + le(1, 2) + le(0, 4) +
         le(static_cast<std::uint32_t>(rows.size()), 4) + le(2835, 4) + le(2835, 4) + le(2, 4) +
         le(0, 4) + palette + rows;
}

}  // namespace

class PictureLoaderTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { kw::InitResources(); }

  void EachFormatLoadsByItsExtensionAndBadFilesDoNot() {
    kw::test::TempDir dir;
    QCOMPARE(kw::LoadPictureFile(kPictures + "halves.jpg").size(), QSize(16, 16));
    QCOMPARE(kw::LoadPictureFile(kPictures + "palette_interlaced.png").size(), QSize(4, 2));
    QImage bitmap(7, 5, QImage::Format_RGB32);
    bitmap.fill(Qt::red);
    QVERIFY(bitmap.save(QString::fromStdString(dir / "A.BMP"), "BMP"));
    const QImage loaded = kw::LoadPictureFile(dir / "A.BMP");
    QCOMPARE(loaded.size(), QSize(7, 5));
    QCOMPARE(loaded.pixel(3, 3), QColor(Qt::red).rgb());
    // A PNG in name only, a JPEG called .PNG, a missing file.
    dir.Write("FAKE.PNG", "GIF89a and nothing after");
    QVERIFY(kw::LoadPictureFile(dir / "FAKE.PNG").isNull());
    std::filesystem::copy_file(kPictures + "halves.jpg", dir / "JPEG.PNG");
    QVERIFY(kw::LoadPictureFile(dir / "JPEG.PNG").isNull());
    QVERIFY(kw::LoadPictureFile(dir / "NONE.PNG").isNull());
  }

  void APictureInAnArchiveLoadsAsAFileDoes() {
    kw::test::TempDir dir;
    std::filesystem::copy_file(kPictures + "halves.jpg", dir / "halves.jpg");
    const kw::Result<std::string> zip = kw::demo::ZipArchive(
        {{"HALVES.JPG", dir.Read("halves.jpg")}, {"fake.png", "GIF89a and nothing after"}});
    QVERIFY(zip.Ok());
    dir.Write("snap/snap.zip", *zip);
    const std::optional<kw::GamePicture> found = kw::FindPicture("halves", dir.Path() + "snap/");
    QVERIFY(found && found->member == "HALVES.JPG");
    QCOMPARE(kw::LoadPicture(*found).size(), QSize(16, 16));
    QCOMPARE(kw::LoadPicture(*found), kw::LoadPictureFile(dir / "halves.jpg"));
    QVERIFY(kw::LoadPicture(*kw::FindPicture("fake", dir.Path() + "snap/")).isNull());
  }

  void ABitmapBeyondThePixelLimitIsRefusedBeforeItIsRead() {
    // Rows of 4 bytes, bottom-up: a white pixel on the right of the bottom row.
    const QImage two =
        kw::DecodeBitmap(MonochromeBitmap(2, 2, std::string("\x40\0\0\0\0\0\0\0", 8)));
    QCOMPARE(two.size(), QSize(2, 2));
    QCOMPARE(two.pixel(1, 1), qRgb(255, 255, 255));
    QCOMPARE(two.pixel(0, 1), qRgb(0, 0, 0));
    // Whole files, which Qt alone would decode.
    QVERIFY(!kw::DecodeBitmap(MonochromeBitmap(65535, 1, std::string(8192, '\0'))).isNull());
    QVERIFY(kw::DecodeBitmap(MonochromeBitmap(65536, 1, std::string(8192, '\0'))).isNull());
    QVERIFY(
        kw::DecodeBitmap(MonochromeBitmap(8193, 8192, std::string(1028 * 8192, '\0'))).isNull());
    QVERIFY(kw::DecodeBitmap("BM and nothing after").isNull());
  }

  void TheMessageHasTheSignAndAShadowedText() {
    QImage product(320, 320, QImage::Format_RGB32);
    product.fill(QColor(0, 0, 128));
    QImage sign(25, 25, QImage::Format_RGB32);
    sign.fill(QColor(255, 0, 255));  // the top-left colour: transparent
    sign.setPixel(10, 10, qRgb(255, 0, 0));
    const QImage shown = kw::PictureWithMessage(product, sign, "Image not found");
    QCOMPARE(shown.pixel(15, 320 + 10 - 28), qRgb(255, 0, 0));
    QCOMPARE(shown.pixel(5, 320 - 28), product.pixel(5, 320 - 28));  // transparent: left alone
    int white = 0, black = 0;
    for (int y = 320 - 30; y < 320; ++y) {
      for (int x = 35; x < 300; ++x) {
        white += shown.pixel(x, y) == qRgb(255, 255, 255);
        black += shown.pixel(x, y) == qRgb(0, 0, 0);
      }
    }
    QVERIFY(white > 50 && black > 20);
  }

  void APictureIsFittedAndCentredInTheFrame() {
    kw::test::TempDir dir;
    QImage wide(640, 480, QImage::Format_RGB32);
    wide.fill(Qt::green);
    QVERIFY(wide.save(QString::fromStdString(dir / "WIDE.PNG"), "PNG"));
    QWidget parent;
    kw::QuickInfoPanel panel(&parent);
    QVERIFY(panel.ShowPicture(*kw::FindPicture("wide", dir.Path())));
    QCOMPARE(panel.SnapShot->geometry(), QRect(8, 69, 320, 240));
    QVERIFY(!panel.ShowPicture(kw::GamePicture{dir / "MISSING", ".PNG", "", ""}));
    panel.ShowProductPicture("Unsupported format");
    QCOMPARE(panel.SnapShot->geometry(), QRect(8, 29, 320, 320));
  }
};

QTEST_MAIN(PictureLoaderTest)
#include "picture_loader_test.moc"
