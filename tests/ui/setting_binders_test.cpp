// The binders tie option widgets to KESTREL.INI's declared settings, both ways.
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QtTest>

#include "core/shared/settings.h"
#include "ui/options/setting_binders.h"

class SettingBindersTest : public QObject {
  Q_OBJECT

 private slots:
  void WidgetsStartFromTheSettingAndWriteItBack() {
    kw::FrontEndSettings s;
    s.CheckCRCOnRun = true;
    s.PlayButton = 9;
    QWidget page;
    auto* crc = new QCheckBox(&page);
    auto* play = new QSpinBox(&page);
    play->setRange(1, 300);
    kw::BindCheckBox(crc, s, kw::setting::kCheckCRCOnRun);
    kw::BindSpinBox(play, s, kw::setting::kPlayButton);
    QVERIFY(crc->isChecked());
    QCOMPARE(play->value(), 9);

    crc->click();
    QVERIFY(!s.CheckCRCOnRun);
    play->setValue(12);
    QCOMPARE(s.PlayButton, 12);
    play->setValue(300);  // more than the byte field holds: the most it can
    QCOMPARE(s.PlayButton, 255);
  }

  void CodeListsMapEntriesToStoredValues() {
    kw::FrontEndSettings s;
    s.SortBy = 4;
    QWidget page;
    auto* sort = new QComboBox(&page);
    sort->addItems({"Name", "Year", "Maker"});
    kw::BindComboBox<kw::FrontEndSettings, std::uint8_t>(sort, s, kw::setting::kSortBy, {1, 4, 2});
    QCOMPARE(sort->currentIndex(), 1);
    sort->setCurrentIndex(2);
    QCOMPARE(s.SortBy, 2);

    // A stored code that is none of the list: no entry, and the value stays until a choice.
    s.ScreenshotDisplay = 7;
    std::vector<QAbstractButton*> buttons = {new QRadioButton(&page), new QRadioButton(&page)};
    kw::BindRadioGroup<kw::FrontEndSettings, std::uint8_t>(buttons, s,
                                                           kw::setting::kScreenshotDisplay, {1, 0});
    QVERIFY(!buttons[0]->isChecked() && !buttons[1]->isChecked());
    QCOMPARE(s.ScreenshotDisplay, 7);
    buttons[1]->setChecked(true);
    QCOMPARE(s.ScreenshotDisplay, 0);
    buttons[0]->setChecked(true);
    QCOMPARE(s.ScreenshotDisplay, 1);
    QVERIFY(!buttons[1]->isChecked());
  }
};

QTEST_MAIN(SettingBindersTest)
#include "setting_binders_test.moc"
