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

  void EncodesWindows1252WhereItHoldsTheTextElseUtf8() {
    QCOMPARE(kw::ToSystemText(QString::fromUtf8("caf\xC3\xA9 \xE2\x82\xAC")),
             std::string("caf\xE9 \x80"));
    // Greek, Japanese, a character outside the basic plane: the code page cannot hold them, so
    // the whole text is UTF-8, e acute included.
    for (const char* utf8 :
         {"\xCE\xB1-caf\xC3\xA9", "\xE6\x97\xA5\xE6\x9C\xAC", "\xF0\x9F\x98\x80-"}) {
      QCOMPARE(kw::ToSystemText(QString::fromUtf8(utf8)), std::string(utf8));
      QCOMPARE(kw::FromSystemText(kw::ToSystemText(QString::fromUtf8(utf8))),
               QString::fromUtf8(utf8));
    }
    // Windows-1252 bytes that would read back as UTF-8 ("\xC3\xA9" is e acute there) are
    // written as UTF-8 instead, so the text comes back as it was.
    const QString lookalike = QString::fromUtf8("\xC3\x83\xC2\xA9");  // A tilde, copyright
    QCOMPARE(kw::ToSystemText(lookalike), std::string("\xC3\x83\xC2\xA9"));
    QCOMPARE(kw::FromSystemText(kw::ToSystemText(lookalike)), lookalike);
    // Every byte that is not UTF-8 comes back unchanged, the five undefined ones included.
    std::string all;
    for (int c = 0x80; c < 0x100; ++c)
      all += static_cast<char>(c);
    QCOMPARE(kw::ToSystemText(kw::FromSystemText(all)), all);
  }
};

QTEST_MAIN(TextCodecTest)
#include "text_codec_test.moc"
