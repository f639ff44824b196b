// Decoding and encoding the program's 8-bit texts for the windows.
#include <QtTest>

#include "ui/text_codec.h"

class TextCodecTest : public QObject {
  Q_OBJECT

 private slots:
  void DecodesUtf8WhereValidElseWindows1252() {
    QCOMPARE(kw::FromSystemText("Pac-Man"), QString("Pac-Man"));
    QCOMPARE(kw::FromSystemText("caf\xC3\xA9"), QString::fromUtf8("caf\xC3\xA9"));
    // Not UTF-8: every byte is a Windows-1252 character.
    QCOMPARE(kw::FromSystemText("caf\xE9 \x80\x96\x9F"),
             QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC\xE2\x80\x93\xC5\xB8"));
    // An overlong UTF-8 form is no UTF-8.
    QCOMPARE(kw::FromSystemText("\xC0\xAF"), QString::fromUtf8("\xC3\x80\xC2\xAF"));
  }

  void EncodesWindows1252AndReplacesTheRest() {
    QCOMPARE(kw::ToSystemText(QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC")),
             std::string("caf\xE9 \x80"));
    // Greek, and a character outside the basic plane: one '?' each.
    QCOMPARE(kw::ToSystemText(QString::fromUtf8("\xCE\xB1-\xF0\x9F\x98\x80-")),
             std::string("?-?-"));
    // Every byte that is not UTF-8 comes back unchanged, the five undefined ones included.
    std::string all;
    for (int c = 0x80; c < 0x100; ++c)
      all += static_cast<char>(c);
    QCOMPARE(kw::ToSystemText(kw::FromSystemText(all)), all);
  }
};

QTEST_MAIN(TextCodecTest)
#include "text_codec_test.moc"
