// One binder of each control kind: the control shows the record, the user's change is stored
// at once, and showing again stores nothing.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSlider>
#include <QtTest>

#include "core/shared/emulator_config.h"
#include "core/shared/settings.h"
#include "ui/options/option_binders.h"

class OptionBindersTest : public QObject {
  Q_OBJECT

 private slots:
  void CheckBoxStoresClicksOnly() {
    kw::EmulatorConfig config;
    bool& tweak = kw::emulator_option::kTweak(config);
    QWidget page;
    auto* box = new QCheckBox(&page);
    int refreshed = 0;
    kw::OptionBinders b;
    b.CheckBox(box, tweak, [&] { ++refreshed; });
    b.Show();
    QVERIFY(box->isChecked());  // tweaked modes by default
    box->click();
    QVERIFY(!config.config.tweak);
    QCOMPARE(refreshed, 1);
    config.config.tweak = true;
    b.Show();
    QVERIFY(box->isChecked());
    QCOMPARE(refreshed, 1);
  }

  void ComboBoxMapsEntriesToCodesAndKeepsAStrangeValue() {
    kw::EmulatorConfig config;
    config.config.vgafreq = 9;  // no entry stands for it
    QWidget page;
    auto* box = new QComboBox(&page);
    kw::OptionBinders b;
    b.ComboBox(box, kw::emulator_option::kVgafreq(config), kw::ScanRateList());
    b.Show();
    QCOMPARE(box->count(), 5);
    QCOMPARE(box->currentIndex(), -1);
    QCOMPARE(config.config.vgafreq, 9);
    emit box->activated(2);  // the user picks "70 Hz"
    QCOMPARE(config.config.vgafreq, 1);
    config.config.vgafreq = -1;
    b.Show();
    QCOMPARE(box->currentText(), QString("Automatic"));
  }

  void TrackBarShowsWithoutStoringAndStoresItsPositionWhenMoved() {
    kw::EmulatorConfig config;
    config.config.beam = 1.55f;
    QWidget page;
    auto* bar = new QSlider(Qt::Horizontal, &page);
    auto* label = new QLabel(&page);
    kw::OptionBinders b;
    b.TrackBar(bar, kw::emulator_option::kBeam(config), kw::kBeamBar, label);
    b.Show();
    QCOMPARE(bar->value(), 15);
    QCOMPARE(label->text(), QString("1.50"));
    QCOMPARE(config.config.beam, 1.55f);  // the file's value until the bar moves
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(config.config.beam, 1.6f);
    QCOMPARE(label->text(), QString("1.60"));
    config.config.beam = 0.5f;
    b.Show();
    QCOMPARE(bar->value(), 10);  // below the bar: its minimum
    QCOMPARE(config.config.beam, 0.5f);

    auto* volume = new QSlider(Qt::Vertical, &page);
    auto* volume_label = new QLabel(&page);
    config.config.volume = -5;
    b.VolumeBar(volume, config.config.volume, volume_label);
    b.Show();
    QCOMPARE(volume->value(), 5);
    QCOMPARE(volume_label->text(), QString("-05 dB"));
    volume->triggerAction(QAbstractSlider::SliderToMaximum);
    QCOMPARE(config.config.volume, -32);
  }

  void LineEditAndRadioGroup() {
    kw::FrontEndSettings s;
    QWidget page;
    auto* edit = new QLineEdit(&page);
    std::vector<QAbstractButton*> radios = {new QRadioButton(&page), new QRadioButton(&page)};
    bool custom = true;
    kw::OptionBinders b;
    b.LineEdit(edit, kw::setting::kCabinets.Of(s));
    b.RadioGroup<bool>(radios, custom, {false, true});
    b.Show();
    QCOMPARE(edit->text(), QString("CABINET"));
    QVERIFY(radios[1]->isChecked());
    QTest::keyClicks(edit, "S");
    QCOMPARE(s.Cabinets, std::string("CABINETS"));
    radios[0]->click();
    QVERIFY(!custom);
    s.Cabinets = "/pictures/caf\xe9";  // an 8-bit name that is not UTF-8 comes back the same
    b.Show();
    QTest::keyClick(edit, Qt::Key_End);
    QTest::keyClicks(edit, "/");
    QCOMPARE(s.Cabinets, std::string("/pictures/caf\xe9/"));
  }
};

QTEST_MAIN(OptionBindersTest)
#include "option_binders_test.moc"
