// Writes a synthetic -listinfo text shaped like the emulator's own output (0.37 beta 5): per
// game about 15 ROMs, 4 chips, 8 dip switches, a video, sound, input and driver block; about
// 45% clones with merged ROMs, a few vector games, samples in 5% of the games, and one resource
// per 2,240 games at the end. Deterministic for a given game count.
//
//   gen_listinfo OUTPUT [GAMES=65535] [--history]
//
// --history adds a history text with \n, \" and \xNN escapes to five games in six, as the
// emulator does when a history.dat lies beside it.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {  // splitmix64
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  bool Chance(int percent) { return Below(100) < percent; }

 private:
  std::uint64_t state_;
};

const char* const kMakers[] = {"Namco",  "Midway",   "Taito",         "Sega",      "Konami",
                               "Capcom", "Irem",     "Nichibutsu",    "Data East", "Atari",
                               "SNK",    "Williams", "Universal",     "Technos",   "Jaleco",
                               "Tehkan", "Stern",    "Cinematronics", "Exidy",     "Nintendo"};
const char* const kWords[] = {"Space", "Galaxy", "Dragon", "Ninja",   "Warrior", "Attack",
                              "Force", "Rally",  "Star",   "Fighter", "Quest",   "Blaster",
                              "Kid",   "Pirate", "Tank",   "Road",    "Street",  "Zone"};
const char* const kCpus[] = {"Z80", "M6809", "M68000", "M6502", "I8039", "HD63701", "V30"};
const char* const kSounds[] = {"AY-3-8910", "YM2151", "YM2203",   "SN76496", "DAC",
                               "Samples",   "Namco",  "OKIM6295", "YM3812",  "Custom"};
const char* const kRegions[] = {"cpu1", "cpu2", "gfx1", "gfx2", "proms", "sound1"};
const char* const kControls[] = {"joy4way",   "joy8way", "joy8way", "joy8way",      "dial",
                                 "trackball", "paddle",  "stick",   "doublejoy8way"};
const char* const kDips[] = {"Lives",     "Bonus Life",     "Coinage",     "Difficulty",
                             "Cabinet",   "Demo Sounds",    "Flip Screen", "Service Mode",
                             "Free Play", "Allow Continue", "Coin A",      "Coin B"};
const char* const kEntries[] = {"Off",
                                "On",
                                "1",
                                "2",
                                "3",
                                "5",
                                "Easy",
                                "Normal",
                                "Hard",
                                "Upright",
                                "Cocktail",
                                "1 Coin/1 Credit",
                                "2 Coins/1 Credit"};
const char* const kStatus[] = {"good", "good", "good", "good", "imperfect", "preliminary"};

template <typename T, std::size_t N>
const T& Pick(Random& r, const T (&list)[N]) {
  return list[r.Below(static_cast<int>(N))];
}

std::string SetName(int i) {
  static const char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string name = "g";
  for (int n = i; name.size() < 6; n /= 36)
    name += kDigits[n % 36];
  return name;
}

void AppendHistory(std::string& out, Random& r) {
  out += "\thistory \"\\n";
  int sentences = 5 + r.Below(30);
  for (int s = 0; s < sentences; ++s) {
    out += "The ";
    out += Pick(r, kWords);
    out += " stage is played by \\\"the ";
    out += Pick(r, kWords);
    out += "\\\" at caf\\xe9 speed; ";
    if (r.Chance(30)) out += "\\n\\n";
  }
  out += "\"\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: gen_listinfo OUTPUT [GAMES=65535] [--history]\n");
    return 2;
  }
  int games = 65535;
  bool history = false;
  for (int a = 2; a < argc; ++a) {
    if (std::strcmp(argv[a], "--history") == 0) {
      history = true;
    } else {
      games = std::atoi(argv[a]);
    }
  }
  FILE* f = std::fopen(argv[1], "wb");
  if (!f) {
    std::perror(argv[1]);
    return 1;
  }
  Random r(0x4B57);
  std::vector<int> masters;
  std::string out;
  out.reserve(1 << 20);
  char line[256];
  for (int i = 0; i < games; ++i) {
    const std::string name = SetName(i);
    const bool clone = !masters.empty() && r.Chance(45);
    const std::string master =
        clone ? SetName(masters[r.Below(static_cast<int>(masters.size()))]) : std::string();
    if (!clone) masters.push_back(i);
    out += "game (\n\tname " + name + "\n\tdescription \"";
    out += Pick(r, kWords);
    out += ' ';
    out += Pick(r, kWords);
    std::snprintf(line, sizeof line, " %d (set %d)\"\n", i, 1 + r.Below(4));
    out += line;
    if (r.Chance(98)) {
      std::snprintf(line, sizeof line, "\tyear %d\n", 1978 + r.Below(22));
      out += line;
    } else {
      out += "\tyear 19??\n";
    }
    out += "\tmanufacturer \"";
    out += Pick(r, kMakers);
    out += "\"\n";
    if (history && r.Chance(83)) AppendHistory(out, r);
    if (clone)
      out += "\tcloneof " + master + "\n\tromof " + master + "\n";
    else if (r.Chance(3))
      out += "\tromof res" + std::to_string(r.Below(games / 2240 + 1)) + "\n";

    const int roms = 2 + r.Below(28);
    for (int k = 0; k < roms; ++k) {
      const std::string merge =
          clone && r.Chance(40) ? "merge " + master + "." + std::to_string(k) + " " : "";
      const char letter = static_cast<char>('a' + r.Below(26));
      const int size = 1 << (8 + r.Below(10));
      const auto crc = static_cast<unsigned>(r.Next());
      const char* region = Pick(r, kRegions);
      const char* flags = r.Chance(25) ? "flags dispose " : "";
      std::snprintf(line, sizeof line,
                    "\trom ( name %s.%d%c %ssize %d crc %08x region %s %soffs %x )\n", name.c_str(),
                    k, letter, merge.c_str(), size, crc, region, flags, (k % 8) * 0x1000);
      out += line;
    }
    const int chips = 1 + r.Below(6);
    for (int k = 0; k < chips; ++k) {
      if (k < 2) {
        std::snprintf(line, sizeof line, "\tchip ( type cpu %sname %s clock %d )\n",
                      k == 1 && r.Chance(50) ? "flags audio " : "", Pick(r, kCpus),
                      1000000 + r.Below(12000000));
      } else {
        std::snprintf(line, sizeof line, "\tchip ( type audio name %s clock %d )\n",
                      Pick(r, kSounds), 1000000 + r.Below(4000000));
      }
      out += line;
    }
    const bool vector = r.Chance(3);
    std::snprintf(line, sizeof line,
                  "\tvideo ( screen %s orientation %s x %d y %d colors %d freq %d.%06d )\n",
                  vector ? "vector" : "raster", r.Chance(40) ? "vertical" : "horizontal",
                  vector ? 0 : 224 + 8 * r.Below(20), vector ? 0 : 224 + 8 * r.Below(10),
                  16 << r.Below(9), 55 + r.Below(6), r.Below(2) ? 0 : 606061);
    out += line;
    std::snprintf(line, sizeof line, "\tsound ( channels %d )\n", 1 + r.Below(2));
    out += line;
    std::snprintf(line, sizeof line, "\tinput ( players %d control %s buttons %d coins %d %s%s)\n",
                  1 + r.Below(4), Pick(r, kControls), r.Below(7), 1 + r.Below(4),
                  r.Chance(20) ? "tilt yes " : "", r.Chance(30) ? "service yes " : "");
    out += line;
    const int dips = r.Below(17);
    for (int k = 0; k < dips; ++k) {
      out += "\tdipswitch ( name \"";
      out += Pick(r, kDips);
      out += '"';
      const int entries = r.Below(6);
      const char* first = "Off";
      for (int e = 0; e < entries; ++e) {
        const char* entry = Pick(r, kEntries);
        if (e == 0) first = entry;
        out += " entry \"";
        out += entry;
        out += '"';
      }
      if (entries > 0) {
        out += " default \"";
        out += first;
        out += '"';
      }
      out += " )\n";
    }
    if (r.Chance(5)) {
      out += "\tsampleof " + name + "\n";
      const int samples = 1 + r.Below(19);
      for (int k = 0; k < samples; ++k) {
        std::snprintf(line, sizeof line, "\tsample sound%d.wav\n", k);
        out += line;
      }
    }
    std::snprintf(line, sizeof line, "\tdriver ( status %s color %s sound %s colordeep %d )\n)\n\n",
                  Pick(r, kStatus), Pick(r, kStatus), Pick(r, kStatus), r.Chance(10) ? 16 : 8);
    out += line;
    if (out.size() > (1 << 20) - 65536) {
      std::fwrite(out.data(), 1, out.size(), f);
      out.clear();
    }
  }
  for (int k = 0; k <= games / 2240; ++k) {
    out += "resource (\n\tname res" + std::to_string(k) + "\n\tdescription \"Shared BIOS " +
           std::to_string(k) + "\"\n";
    for (int m = 0; m < 3; ++m) {
      std::snprintf(line, sizeof line, "\trom ( name bios%d-%d.rom size 131072 crc %08x )\n", k, m,
                    static_cast<unsigned>(r.Next()));
      out += line;
    }
    out += ")\n\n";
  }
  std::fwrite(out.data(), 1, out.size(), f);
  return std::fclose(f) == 0 ? 0 : 1;
}
