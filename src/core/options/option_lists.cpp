#include "core/options/option_lists.h"

#include "common/ascii.h"

namespace kw {

namespace {

constexpr ScreenSize kResolutions[] = {{224, 288}, {240, 256}, {240, 320}, {256, 240}, {256, 256},
                                       {288, 224}, {320, 240}, {320, 256}, {336, 240}, {352, 240},
                                       {352, 256}, {368, 224}, {368, 240}, {368, 256}, {384, 224},
                                       {384, 240}, {384, 256}, {512, 224}, {512, 256}, {512, 448},
                                       {512, 512}, {640, 480}, {800, 600}, {1024, 768}};

std::string ResolutionCode(ScreenSize s) {
  return std::to_string(s.width) + "X" + std::to_string(s.height);
}

}  // namespace

const TextCodeList& VesaModeList() {
  static const TextCodeList list{{"VESA 1.0", "VESA 2.0 (banked)", "VESA 2.0 (linear)", "VESA 3.0"},
                                 {"VESA1", "VESA2B", "VESA2L", "VESA3"}};
  return list;
}

const TextCodeList& ResolutionList() {
  static const TextCodeList list = [] {
    TextCodeList l{{"Automatic"}, {"AUTO"}};
    for (ScreenSize s : kResolutions) {
      l.texts.push_back(std::to_string(s.width) + " x " + std::to_string(s.height));
      l.codes.push_back(ResolutionCode(s));
    }
    return l;
  }();
  return list;
}

const TextCodeList& ColorDepthList() {
  static const TextCodeList list{{"Automatic", "8 bits", "16 bits"}, {"AUTO", "8", "16"}};
  return list;
}

const TextCodeList& FrameSkipList() {
  static const TextCodeList list = [] {
    TextCodeList l{{"Automatic", "None"}, {"AUTO", "0"}};
    for (int n = 1; n <= 11; ++n) {
      l.texts.push_back(std::to_string(n) + " every 12");
      l.codes.push_back(std::to_string(n));
    }
    return l;
  }();
  return list;
}

const NumberCodeList& ScanRateList() {
  static const NumberCodeList list{{"Automatic", "60 Hz", "70 Hz", "75 Hz", "85 Hz"},
                                   {-1, 0, 1, 2, 3}};
  return list;
}

const TextCodeList& MonitorList() {
  static const TextCodeList list{{"Standard", "NTSC", "PAL", "Arcade"},
                                 {"STANDARD", "NTSC", "PAL", "ARCADE"}};
  return list;
}

const NumberCodeList& SoundCardList() {
  static const NumberCodeList list{
      {"Ask interactively", "None (silence)", "Sound Blaster", "Sound Blaster AWE32/64",
       "Pro Audio Spectrum (PAS16)", "Gravis Ultrasound MAX (GUS MAX)", "Gravis Ultrasound (GUS)",
       "Windows Sound System (WSS)", "Ensoniq SoundScape (ESS)"},
      {-1, 0, 1, 2, 3, 4, 5, 6, 7}};
  return list;
}

const TextCodeList& SampleRateList() {
  static const TextCodeList list{{"11025 Hz", "22050 Hz", "44100 Hz"}, {"11025", "22050", "44100"}};
  return list;
}

const TextCodeList& JoystickList() {
  static const TextCodeList list{
      {"None",
       "Autodetect",
       "Normal 2 button joystick",
       "Two joysticks",
       "Stick/Pad with 4 buttons",
       "Stick/Pad with 6 buttons",
       "Stick/Pad with 8 buttons",
       "CH Flightstick Pro",
       "Logitech Wingman Extreme",
       "Logitech Wingman Warrior",
       "Microsoft Sidewinder (up to 4)",
       "Gravis GamePad Pro",
       "Gravis GrIP",
       "Gravis GrIP constrained to 4 directions only",
       "SNES pad on LPT1 (needs special hardware)",
       "SNES pad on LPT2 (needs special hardware)",
       "SNES pad on LPT3 (needs special hardware)",
       "PSX pad on LPT1 (needs special hardware)",
       "PSX pad on LPT2 (needs special hardware)",
       "PSX pad on LPT3 (needs special hardware)",
       "N64 pad on LPT1 (needs special hardware)",
       "N64 pad on LPT2 (needs special hardware)",
       "N64 pad on LPT3 (needs special hardware)",
       "Sega Saturn (sepcial hardware on ISA slot)",
       "Sega Saturn (special hardware on PCI slot)"},
      {"NONE",     "AUTO",     "STANDARD",    "DUAL",       "4BUTTON",    "6BUTTON", "8BUTTON",
       "FSPRO",    "WINGEX",   "WINGWARRIOR", "SIDEWINDER", "GAMEPADPRO", "GRIP",    "GRIP4",
       "SNESLPT1", "SNESLPT2", "SNESLPT3",    "PSXLPT1",    "PSXLPT2",    "PSXLPT3", "N64LPT1",
       "N64LPT2",  "N64LPT3",  "SEGAISA",     "SEGAPCI"}};
  return list;
}

const TextCodeList& DirtyList() {
  static const TextCodeList list{{"Automatic", "Yes", "No"}, {"AUTO", "YES", "NO"}};
  return list;
}

const TextCodeList& MmxList() {
  return DirtyList();
}

TextCodeList LanguageList(const std::vector<std::string>& language_codes) {
  TextCodeList list;
  for (const std::string& code : language_codes) {
    std::string name = AsciiUpperCase(code.substr(0, 1));
    for (char c : code.substr(code.empty() ? 0 : 1))
      name += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    list.texts.push_back(name);
    list.codes.push_back(code);
  }
  return list;
}

std::optional<ScreenSize> ResolutionSize(const std::string& code) {
  for (ScreenSize s : kResolutions)
    if (ResolutionCode(s) == code) return s;
  return std::nullopt;
}

const NumberCodeList& FontSizeList() {
  static const NumberCodeList list{{"8", "10", "12", "14", "16", "18"}, {8, 10, 12, 14, 16, 18}};
  return list;
}

int FontSizeIndex(std::int32_t size) {
  const int index = FontSizeList().IndexOf(size);
  return index >= 0 ? index : 1;
}

}  // namespace kw
