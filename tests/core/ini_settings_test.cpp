// The typed declarations on a record of their own, as another settings file would use them.
#include "core/ini_settings.h"

#include <gtest/gtest.h>

namespace kw {
namespace {

struct Config {
  std::int32_t Volume = -10;
  std::string Rom = "rom";
  bool Cheat = false;
};

bool CheatWritten(const Config& c) {
  return c.Cheat;
}

constexpr AnySetting<Config> kConfig[] = {
    DeclareSetting<&Config::Volume>("Sound", "Volume", {.min = -32, .max = 0}),
    DeclareSetting<&Config::Rom>("Paths", "Rom", {.upper_on_write = true, .width = 4}),
    DeclareSetting<&Config::Cheat>("Paths", "Cheat", {}, &CheatWritten),
};

TEST(IniSettings, RangesWidthsAndConditionsComeFromTheDeclarations) {
  platform::IniFile ini("unused");
  ini.LoadFromText("[Sound]\nVolume=5\n[Paths]\nRom=roms/extra\nCheat=1\n");
  Config c;
  ReadSettings<Config>(ini, kConfig, Config{}, c);
  EXPECT_EQ(c.Volume, -10) << "outside its range: the default";
  EXPECT_EQ(c.Rom, "roms");
  EXPECT_TRUE(c.Cheat);

  c.Cheat = false;
  c.Volume = -3;
  PutSettings<Config>(c, kConfig, ini);
  EXPECT_EQ(ini.Text(), "[Sound]\nVolume=-3\n[Paths]\nRom=ROMS\n");
  EXPECT_EQ(FormatSettingsText<Config>(c, kConfig), "[Sound]\nVolume=-3\n[Paths]\nRom=ROMS\n");
}

}  // namespace
}  // namespace kw
