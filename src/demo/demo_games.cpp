#include "demo/demo_games.h"

#include <zlib.h>

#include <cstdio>
#include <map>
#include <set>
#include <sstream>
#include <string_view>

#include "demo/seeded_random.h"

namespace kw::demo {

namespace {

using F = DemoFault;

constexpr const char* kV = "raster vertical 224 288 16 60";
constexpr const char* kH = "raster horizontal 256 224 256 60";
constexpr const char* kJoy8 = "players 2 control joy8way buttons 2 coins 2";
constexpr const char* kJoy4 = "players 2 control joy4way buttons 1 coins 2";
constexpr const char* kFighter = "players 2 control joy8way buttons 6 coins 2 service yes";

// clang-format off
constexpr DemoGame kGames[] = {
  {"moonmoth", "Moon Moth", "1980", "Corvantis", "", "",
   "mm1.6e 4k cpu1, mm2.6f 4k cpu1, mm3.6h 4k cpu1, mmg.5e 2k gfx1 dispose, mmg.5f 2k gfx2 dispose",
   "", "", "cpu:Z80:3072000 audio:Namco", kV, 1, "players 2 control joy4way coins 3",
   "test service cab coin lives bonus diff", "good good good 8", "ppjb"},
  {"moonmthj", "Moon Moth (Japan)", "1980", "Corvantis", "moonmoth", "moonmoth",
   "mmj1.6e 4k cpu1, mmj2.6f 4k cpu1, mmj3.6h 4k cpu1", "", "", "cpu:Z80:3072000 audio:Namco",
   kV, 1, "players 2 control joy4way coins 3", "test service cab coin lives bonus diff",
   "good good good 8", "j---"},
  {"moonmthb", "Moon Moth (bootleg)", "1981", "bootleg", "moonmoth", "moonmoth",
   "mmb1.bin 8k cpu1, mmb2.bin 4k cpu1", "", "", "cpu:Z80:3072000 audio:Namco", kV, 1,
   "players 2 control joy4way coins 3", "service cab coin lives", "good imperfect good 8",
   "----"},
  {"pebblrun", "Pebble Run", "1983", "Halvex Electronics", "", "",
   "pr-a1.bin 8k cpu1, pr-a2.bin 8k cpu1, pr-s1.bin 4k cpu2, pr-g1.bin 4k gfx1 dispose, "
   "pr-g2.bin 4k gfx1 dispose", "", "", "cpu:M6809:1500000 scpu:M6802:894886 audio:AY-8910:894886 "
   "audio:AY-8910:894886", kH, 1, kJoy8, "cab coin lives bonus demo flip", "good good good 8",
   "pbj-"},
  {"pebblru2", "Pebble Run (set 2)", "1983", "Halvex Electronics", "pebblrun", "pebblrun",
   "pr-b1.bin 8k cpu1, pr-b2.bin 8k cpu1", "", "", "cpu:M6809:1500000 scpu:M6802:894886 "
   "audio:AY-8910:894886 audio:AY-8910:894886", kH, 1, kJoy8, "cab coin lives bonus demo flip",
   "good good good 8", "p---"},
  {"fogharb", "Fog Harbour (World)", "1987", "Tobruna Denshi", "", "",
   "fh-main.ic3 16k cpu1, fh-main.ic4 16k cpu1, fh-snd.ic8 8k cpu2, fh-chr.ic20 8k gfx1 dispose, "
   "fh-obj.ic21 16k gfx2 dispose, fh-pcm.ic30 8k sound1 soundonly", "", "",
   "cpu:68000:10000000 scpu:Z80:4000000 audio:YM-2151:3579545 audio:OKI6295:7575", kH, 2,
   "players 2 control joy8way buttons 3 coins 2 service yes", "coin lives diff demo flip freeze",
   "good good good 16", "pjpp"},
  {"fogharbu", "Fog Harbour (US)", "1987", "Tobruna Denshi (Drumlin Coin-Op license)", "fogharb",
   "fogharb", "fhu-main.ic3 16k cpu1, fhu-main.ic4 16k cpu1", "", "",
   "cpu:68000:10000000 scpu:Z80:4000000 audio:YM-2151:3579545 audio:OKI6295:7575", kH, 2,
   "players 2 control joy8way buttons 3 coins 2 service yes", "coin lives diff demo flip freeze",
   "good good good 16", "b-b-"},
  {"fogharbj", "Kiri no Minato (Japan)", "1987", "Tobruna Denshi", "fogharb", "fogharb",
   "fhj-main.ic3 16k cpu1, fhj-main.ic4 16k cpu1, fhj-chr.ic20 8k gfx1 dispose", "", "",
   "cpu:68000:10000000 scpu:Z80:4000000 audio:YM-2151:3579545 audio:OKI6295:7575", kH, 2,
   "players 2 control joy8way buttons 3 coins 2 service yes", "coin lives diff demo flip freeze",
   "good good good 16", "----"},
  {"ironhen", "Iron Hen", "1982", "Quenlar", "", "",
   "ih-1.bin 4k cpu1, ih-2.bin 4k cpu1, ih-3.bin 2k gfx1 dispose", "", "",
   "cpu:8080:1996800 audio:DAC", kH, 1, kJoy4, "coin lives bonus", "good good imperfect 8", "pp--",
   F::kMisnamedFile},
  {"starloom", "Star Loom", "1979", "Vostrel", "", "",
   "sl-136.1a 2k cpu1, sl-136.1b 2k cpu1, sl-136.1c 2k cpu1, sl-vec.2d 2k cpu1",
   "fire.wav thrust.wav explode.wav", "", "cpu:M6502:1512000 audio:Samples",
   "vector horizontal 256 40", 1, "players 2 buttons 4 coins 2", "lang coin lives", "good good good 8",
   "jb--"},
  {"starlom2", "Star Loom II", "1981", "Vostrel", "", "",
   "sl2-1a.bin 4k cpu1, sl2-1b.bin 4k cpu1, sl2-vec.2d 2k cpu1", "fire.wav explode.wav",
   "starloom", "cpu:M6502:1512000 audio:Samples", "vector horizontal 256 40", 1,
   "players 2 buttons 5 coins 2", "lang coin lives bonus", "good good imperfect 8", "p---"},
  {"tidepool", "Tide Pool Panic", "1985", "Pellisoft", "", "",
   "tp-1.8b 8k cpu1, tp-2.8c 8k cpu1, tp-3.4h 4k gfx1 dispose, tp-4.4j 4k gfx2 dispose", "", "",
   "cpu:Z80:4000000 audio:SN76496:4000000 audio:SN76496:4000000", kV, 1, kJoy8,
   "cab coin lives diff", "good good good 8", "pj--", F::kWrongCrc},
  {"glasshat", "Glass Hat Magic", "1991", "Ombrine", "", "",
   "gh_p1.u12 16k cpu1, gh_p2.u13 16k cpu1, gh_snd.u5 8k cpu2, gh_gfx.u40 16k gfx1", "", "",
   "cpu:68000:12000000 scpu:Z80:3579545 audio:YM-2203:3000000", kH, 1,
   "players 2 control joy8way buttons 2 coins 2", "coin diff demo flip unk", "good good good 16",
   "jjj-", F::kWrongSize},
  {"sunkiss", "Sunkissed Racer", "1994", "Yelvani Amusements", "", "",
   "sr-prg0.bin 16k cpu1, sr-prg1.bin 16k cpu1, sr-obj.bin 16k gfx1", "", "",
   "cpu:68000:16000000 audio:OKI6295:8000", kH, 2,
   "players 1 control paddle buttons 2 coins 2 service yes", "coin diff demo time",
   "good good imperfect 16", "pp-p", F::kExtraFile},
  {"lostlake", "Lost Lake", "1986", "Drumlin Coin-Op", "", "",
   "ll-a.bin 8k cpu1, ll-b.bin 8k cpu1, ll-c.bin 4k gfx1 dispose", "", "",
   "cpu:Z80:3000000 audio:AY-8910:1500000", kH, 1, kJoy8, "cab coin lives", "good good good 8",
   "p---", F::kMissingSet},
  {"bellrope", "Bell Rope", "1978", "Ferrowick", "", "", "", "bell1.wav bell2.wav bell3.wav", "",
   "audio:Samples", "raster horizontal 256 224 2 60", 1, "players 1 buttons 1 coins 1",
   "service", "good good preliminary 8", "b---"},
  {"vxfight", "Steel Paragon", "1995", "Vostrel", "", "vxbios",
   "sp-p1.rom 16k cpu1, sp-s1.rom 8k gfx1, sp-m1.rom 4k cpu2, sp-v1.rom 16k sound1 soundonly", "",
   "", "cpu:68000:12000000 scpu:Z80:6000000 audio:YM-2610:8000000", "raster horizontal 304 224 4096 60",
   2, kFighter, "test coin freeze lang", "good good good 8", "pjpj"},
  {"vxrally", "Dune Rally VX", "1996", "Vostrel", "", "vxbios",
   "dr-p1.rom 16k cpu1, dr-s1.rom 4k gfx1, dr-m1.rom 4k cpu2", "", "",
   "cpu:68000:12000000 scpu:Z80:6000000 audio:YM-2610:8000000", "raster horizontal 304 224 4096 60",
   2, "players 2 control stick buttons 2 coins 2 service yes", "test coin freeze",
   "good imperfect good 8", "j---"},
  {"vxpuzl", "Puzzle Orchard", "1997", "Glimmerton", "", "vxbios",
   "po-p1.rom 8k cpu1, po-s1.rom 4k gfx1, po-m1.rom 4k cpu2", "", "",
   "cpu:68000:12000000 scpu:Z80:6000000 audio:YM-2610:8000000", "raster horizontal 304 224 4096 60",
   2, "players 2 control joy4way buttons 2 coins 2", "test coin diff", "good good good 8", "pp--"},
  {"vxpuzla", "Puzzle Orchard (set 2)", "1997", "Glimmerton", "vxpuzl", "vxpuzl",
   "po2-p1.rom 8k cpu1", "", "", "cpu:68000:12000000 scpu:Z80:6000000 audio:YM-2610:8000000",
   "raster horizontal 304 224 4096 60", 2, "players 2 control joy4way buttons 2 coins 2",
   "test coin diff", "good good good 8", "----"},
  {"brassowl", "Brass Owl", "1984", "Sabrevox", "", "",
   "bo-cpu1.bin 8k cpu1, bo-cpu2.bin 4k cpu1, bo-chr.bin 4k gfx1 dispose", "", "",
   "cpu:Z80:3072000 audio:AY-8910:1789750", kV, 1, kJoy8, "cab coin lives bonus diff",
   "good good good 8", "bpb-", F::kNone, true},
  {"ziggurt", "Ziggurat Zone (World)", "1988", "Tantallo", "", "",
   "zz-01.bin 16k cpu1, zz-02.bin 16k cpu1, zz-03.bin 8k cpu2, zz-gfx.bin 16k gfx1", "", "",
   "cpu:M6809:2000000 scpu:M6809:1500000 audio:YM-2203:1500000 audio:YM-2203:1500000", kH, 1,
   kJoy8, "coin lives bonus diff demo", "good good good 8", "pjjp", F::kNone, true},
  {"zigguj", "Ziggurat Zone (Japan)", "1988", "Tantallo", "ziggurt", "ziggurt",
   "zzj-01.bin 16k cpu1, zzj-02.bin 16k cpu1", "", "",
   "cpu:M6809:2000000 scpu:M6809:1500000 audio:YM-2203:1500000 audio:YM-2203:1500000", kH, 1,
   kJoy8, "coin lives bonus diff demo", "good good good 8", "p---"},
  {"kitehawk", "Kite Hawk", "1989", "Kessaro Kikaku", "", "",
   "kh_00.rom 16k cpu1, kh_01.rom 16k cpu1, kh_snd.rom 4k cpu2, kh_bg.rom 16k gfx1", "", "",
   "cpu:68000:8000000 scpu:Z80:4000000 audio:YM-3812:4000000", kV, 1,
   "players 2 control joy8way buttons 3 coins 2", "coin lives diff demo", "preliminary good good 8",
   "p---"},
  {"marblbay", "Marble Bay", "1990", "Corvantis", "", "",
   "mb-prg.13b 16k cpu1, mb-gfx.7a 8k gfx1, mb-gfx.7b 8k gfx1", "", "",
   "cpu:M6809:1500000 audio:YM-2151:3579545", kH, 2, "players 2 control dial buttons 1 coins 2",
   "coin diff time flip", "good good good 8", "pp--"},
  {"sprocket", "Sprocket Sam", "19??", "Halvex Electronics", "", "",
   "ss-1.bin 4k cpu1, ss-2.bin 4k cpu1", "", "", "cpu:8085:3000000 audio:DAC", kH, 1, kJoy4,
   "coin lives", "good preliminary imperfect 8", "j---"},
  {"quillrun", "Quill Runner", "19??", "Pellisoft", "", "", "qr-main.bin 8k cpu1, qr-chr.bin 2k gfx1",
   "", "", "cpu:Z80:2500000", kH, 0, kJoy4, "coin lives", "preliminary preliminary preliminary 8",
   "----"},
  {"nebulina", "Nebulina", "1992", "Ombrine", "", "",
   "nb-p0.u1 16k cpu1, nb-p1.u2 16k cpu1, nb-gfx.u10 16k gfx1, nb-snd.u20 8k sound1", "", "",
   "cpu:68000:16000000 audio:OKI6295:12000", kV, 1,
   "players 2 control joy8way buttons 3 coins 2 service yes", "coin lives bonus diff demo flip",
   "good imperfect good 16", "pjp-"},
  {"tumblwd", "Tumbleweed Trail", "1981", "Ferrowick", "", "",
   "tt-e1.bin 2k cpu1, tt-e2.bin 2k cpu1, tt-e3.bin 2k cpu1, tt-g.bin 1k gfx1 dispose", "", "",
   "cpu:Z80:2000000 audio:AY-8910:1000000", kV, 1, kJoy4, "cab coin lives bonus",
   "good good imperfect 8", "b---"},
  {"orbitgrd", "Orbit Garden", "1982", "Quenlar", "", "",
   "og-a.bin 4k cpu1, og-b.bin 4k cpu1, og-c.bin 4k gfx1", "", "",
   "cpu:M6502:1000000 audio:POKEY:1000000", kH, 1, "players 2 control trackball buttons 1 coins 2",
   "coin lives bonus", "good good good 8", "pb--"},
  {"coralcrn", "Coral Crown", "1993", "Yelvani Amusements", "", "",
   "cc-prg.u3 16k cpu1, cc-gfx.u9 16k gfx1, cc-pcm.u14 16k sound1", "", "",
   "cpu:68000:12000000 audio:OKI6295:8000", kH, 1,
   "players 2 control joy8way buttons 2 coins 2 tilt yes service yes", "coin diff demo",
   "good good good 16", "pppp"},
  {"polarpup", "Polar Pup", "1983", "Drumlin Coin-Op", "", "",
   "pp.1c 4k cpu1, pp.1d 4k cpu1, pp.5f 2k gfx1 dispose", "", "", "cpu:Z80:3072000 audio:AY-8910:1789750",
   kV, 1, kJoy4, "cab coin lives bonus diff", "good good good 8", "jp--"},
  {"polarpu2", "Polar Pup (set 2)", "1983", "Drumlin Coin-Op", "polarpup", "polarpup",
   "pp2.1c 4k cpu1, pp2.1d 4k cpu1", "", "", "cpu:Z80:3072000 audio:AY-8910:1789750", kV, 1, kJoy4,
   "cab coin lives bonus diff", "good good good 8", "----"},
  {"hexhound", "Hex Hound", "1986", "Tobruna Denshi", "", "",
   "hh-p1.ic5 8k cpu1, hh-p2.ic6 8k cpu1, hh-chr.ic12 8k gfx1 dispose", "", "",
   "cpu:Z80:4000000 audio:YM-2203:1500000", kH, 1,
   "players 2 control doublejoy8way coins 2", "coin lives bonus diff flip",
   "good good preliminary 8", "pb--"},
  {"lanternk", "Lantern Keeper", "1998", "Glimmerton", "", "",
   "lk-u1.bin 16k cpu1, lk-u2.bin 16k cpu1, lk-u30.bin 16k gfx1, lk-u40.bin 16k sound1", "", "",
   "cpu:68EC020:16000000 audio:YMZ280B:16934400", "raster horizontal 320 240 32768 60", 2,
   "players 2 control joy8way buttons 4 coins 2 service yes", "coin lives diff demo",
   "good good good 16", "ppp-"},
  {"rivetman", "Rivet Man", "1980", "Sabrevox", "", "", "rm-1.bin 2k cpu1, rm-2.bin 2k cpu1",
   "hammer.wav clang.wav", "", "cpu:8080:1996800 audio:Samples", kH, 1,
   "players 2 control paddle buttons 1 coins 1", "coin lives bonus", "good good good 8", "p---"},
  {"cometcab", "Comet Cab", "1999", "Tantallo", "", "",
   "ct-p0.bin 16k cpu1, ct-p1.bin 16k cpu1, ct-tx.bin 8k gfx1, ct-wav.bin 16k sound1 soundonly", "",
   "", "cpu:SH-2:28636000 audio:YMF271:16934400", "raster horizontal 320 240 32768 60", 2,
   "players 1 control stick buttons 3 coins 2 service yes", "coin diff time lang",
   "good good imperfect 16", "jpj-"},
  {"frostfly", "Frost Fly", "1984", "Kessaro Kikaku", "", "",
   "ff-1.bin 8k cpu1, ff-2.bin 8k cpu1, ff-3.bin 4k gfx1 dispose", "", "",
   "cpu:Z80:3000000 scpu:Z80:2000000 audio:SN76496:2000000", kV, 1, kJoy8, "cab coin lives diff",
   "good good preliminary 8", "p-p-"},
  {"gullwing", "Gull Wing Squadron", "1990", "Halvex Electronics", "", "",
   "gw-p1.bin 16k cpu1, gw-p2.bin 16k cpu1, gw-snd.bin 8k cpu2, gw-spr.bin 16k gfx1", "", "",
   "cpu:68000:10000000 scpu:Z80:4000000 audio:YM-2151:4000000", kV, 2,
   "players 2 control joy8way buttons 2 coins 2 service yes", "coin lives bonus diff demo flip",
   "good good good 8", "pjbp"},
  {"gullwngj", "Gull Wing Squadron (Japan)", "1990", "Halvex Electronics", "gullwing", "gullwing",
   "gwj-p1.bin 16k cpu1, gwj-p2.bin 16k cpu1", "", "",
   "cpu:68000:10000000 scpu:Z80:4000000 audio:YM-2151:4000000", kV, 2,
   "players 2 control joy8way buttons 2 coins 2 service yes", "coin lives bonus diff demo flip",
   "good good good 8", "b---"},
  {"pinwheel", "Pinwheel Parade", "1985", "Corvantis", "", "",
   "pw-a.bin 8k cpu1, pw-b.bin 4k gfx1 dispose, pw-c.bin 4k gfx2 dispose", "", "",
   "cpu:Z80:4000000 audio:AY-8910:2000000 audio:AY-8910:2000000", kH, 1, kJoy4,
   "cab coin lives diff", "good preliminary good 8", "pj--"},
  {"grottos", "Grotto Scouts", "1987", "Pellisoft", "", "",
   "gs-m1.bin 16k cpu1, gs-s1.bin 4k cpu2, gs-c1.bin 8k gfx1", "", "",
   "cpu:Z80:6000000 scpu:Z80:3579545 audio:YM-2151:3579545", kH, 1,
   "players 4 control joy8way buttons 2 coins 4", "coin lives diff demo", "good good good 8",
   "----"},
};

constexpr DemoGame kResources[] = {
  {"vxbios", "Vostrel VX-1 BIOS", "", "", "", "", "vx-bios.rom 16k user1, vx-fix.rom 8k gfx2, "
   "vx-snd.rom 4k cpu3", "", "", "", "", 0, "", "", "", "----"},
};
// clang-format on

// Dip switch presets: the switch name, then its settings with the default marked by '*'; a
// switch without settings stands alone.
struct DipPreset {
  const char* key;
  const char* text;
};
constexpr DipPreset kDips[] = {
    {"test", "Rack Test"},
    {"service", "Service Mode"},
    {"cab", "Cabinet|Upright*|Cocktail"},
    {"coin", "Coinage|2 Coins/1 Credit|1 Coin/1 Credit*|1 Coin/2 Credits|Free Play"},
    {"lives", "Lives|2|3*|4|5"},
    {"bonus", "Bonus Life|10000*|20000|30000|None"},
    {"diff", "Difficulty|Easy|Normal*|Hard|Hardest"},
    {"demo", "Demo Sounds|Off|On*"},
    {"flip", "Flip Screen|Off*|On"},
    {"freeze", "Freeze|Off*|On"},
    {"time", "Time|60|90*|120"},
    {"lang", "Language|English*|German|French|Spanish"},
    {"unk", "Unknown|Off*|On"},
};

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(separator, start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view part = text.substr(start, end - start);
    while (!part.empty() && part.front() == ' ')
      part.remove_prefix(1);
    while (!part.empty() && part.back() == ' ')
      part.remove_suffix(1);
    if (!part.empty()) parts.emplace_back(part);
    start = end + 1;
  }
  return parts;
}

std::uint32_t Crc(const std::string& data) {
  return static_cast<std::uint32_t>(
      crc32(0L, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

// The set's own files with offsets counted per region.
std::vector<DemoRom> OwnRoms(const DemoGame& game) {
  std::vector<DemoRom> roms;
  std::map<std::string, std::uint32_t> next_offset;
  for (const std::string& entry : Split(game.roms, ',')) {
    std::vector<std::string> words = Split(entry, ' ');
    if (words.size() < 3) continue;
    DemoRom rom;
    rom.name = words[0];
    rom.size = static_cast<std::uint32_t>(std::stoul(words[1]));
    if (words[1].back() == 'k') rom.size *= 1024;
    rom.region = words[2];
    if (words.size() > 3) rom.flags = words[3];
    rom.offset = next_offset[rom.region];
    next_offset[rom.region] += rom.size;
    rom.owner = game.name;
    rom.crc = Crc(RomBytes(rom.owner, rom.name, rom.size));
    roms.push_back(std::move(rom));
  }
  return roms;
}

const DemoGame* FindRow(std::string_view name, bool* resource) {
  *resource = false;
  for (const DemoGame& g : kGames)
    if (name == g.name) return &g;
  *resource = true;
  for (const DemoGame& g : kResources)
    if (name == g.name) return &g;
  return nullptr;
}

// Own files, then what the set takes from its master or BIOS: a clone takes every file of its
// master's regions that it does not fill itself; a game on a BIOS takes all the BIOS files.
std::vector<DemoRom> AllRoms(const DemoGame& game) {
  std::vector<DemoRom> roms = OwnRoms(game);
  bool resource = false;
  const DemoGame* from = *game.rom_of ? FindRow(game.rom_of, &resource) : nullptr;
  if (!from) return roms;
  std::set<std::string> own_regions;
  for (const DemoRom& r : roms)
    own_regions.insert(r.region);
  for (DemoRom inherited : AllRoms(*from)) {
    if (!resource && own_regions.count(inherited.region)) continue;
    inherited.merge = inherited.name;
    roms.push_back(std::move(inherited));
  }
  return roms;
}

std::string Quoted(std::string_view text) {
  return "\"" + std::string(text) + "\"";
}

void AppendChips(std::ostringstream& out, std::string_view chips) {
  for (const std::string& chip : Split(chips, ' ')) {
    std::vector<std::string> f = Split(chip, ':');
    if (f.size() < 2) continue;
    out << "\tchip ( type " << (f[0] == "audio" ? "audio" : "cpu");
    if (f[0] == "scpu") out << " flags audio";
    out << " name " << f[1];
    if (f.size() > 2) out << " clock " << f[2];
    out << " )\n";
  }
}

void AppendVideo(std::ostringstream& out, std::string_view video) {
  std::vector<std::string> w = Split(video, ' ');
  if (w.size() < 4) return;
  char freq[32];
  std::snprintf(freq, sizeof freq, "%d.000000", std::stoi(w.back()));
  out << "\tvideo ( screen " << w[0] << " orientation " << w[1];
  if (w[0] == "raster" && w.size() >= 6) out << " x " << w[2] << " y " << w[3];
  out << " colors " << w[w.size() - 2] << " freq " << freq << " )\n";
}

void AppendDips(std::ostringstream& out, std::string_view keys) {
  for (const std::string& key : Split(keys, ' ')) {
    for (const DipPreset& preset : kDips) {
      if (key != preset.key) continue;
      std::vector<std::string> parts = Split(preset.text, '|');
      out << "\tdipswitch ( name " << Quoted(parts[0]);
      std::string default_entry;
      for (std::size_t i = 1; i < parts.size(); ++i) {
        std::string entry = parts[i];
        if (entry.back() == '*') default_entry = entry = entry.substr(0, entry.size() - 1);
        out << " entry " << Quoted(entry);
      }
      if (!default_entry.empty()) out << " default " << Quoted(default_entry);
      out << " )\n";
    }
  }
}

std::string Upper(std::string text) {
  for (char& ch : text)
    if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  return text;
}

}  // namespace

std::span<const DemoGame> DemoGames() {
  return kGames;
}

std::string RomBytes(const std::string& owner, const std::string& name, std::uint32_t size) {
  // Runs of repeated bytes among noise, so that the files look a little like code and graphics
  // and the zips still compress somewhat.
  SeededRandom random(owner + "/" + name);
  std::string bytes;
  bytes.reserve(size);
  while (bytes.size() < size) {
    const std::uint32_t run = 1 + random.Below(24);
    const bool repeat = random.Below(3) == 0;
    const auto fill = static_cast<char>(random.Byte());
    for (std::uint32_t i = 0; i < run && bytes.size() < size; ++i)
      bytes += repeat ? fill : static_cast<char>(random.Byte());
  }
  return bytes;
}

std::vector<DemoSet> BuildDemoSets() {
  std::vector<DemoSet> sets;
  auto add = [&](const DemoGame& game, bool resource) {
    DemoSet set;
    set.game = &game;
    set.resource = resource;
    set.roms = AllRoms(game);
    set.samples = Split(game.samples, ' ');
    set.sample_of = game.sample_of;
    sets.push_back(std::move(set));
  };
  for (const DemoGame& g : kGames)
    add(g, false);
  for (const DemoGame& g : kResources)
    add(g, true);
  return sets;
}

std::string ListinfoText(const std::vector<DemoSet>& sets) {
  std::ostringstream out;
  for (const DemoSet& set : sets) {
    const DemoGame& g = *set.game;
    out << (set.resource ? "resource (\n" : "game (\n");
    out << "\tname " << g.name << "\n";
    out << "\tdescription " << Quoted(g.description) << "\n";
    if (*g.year) out << "\tyear " << g.year << "\n";
    if (*g.manufacturer) out << "\tmanufacturer " << Quoted(g.manufacturer) << "\n";
    if (*g.clone_of) out << "\tcloneof " << g.clone_of << "\n";
    if (*g.rom_of) out << "\tromof " << g.rom_of << "\n";
    for (const DemoRom& rom : set.roms) {
      char crc[16];
      std::snprintf(crc, sizeof crc, "%08x", rom.crc);
      out << "\trom ( name " << rom.name;
      if (!rom.merge.empty()) out << " merge " << rom.merge;
      out << " size " << rom.size << " crc " << crc;
      if (!set.resource) {
        char offs[16];
        std::snprintf(offs, sizeof offs, "%x", rom.offset);
        out << " region " << rom.region;
        if (!rom.flags.empty()) out << " flags " << rom.flags;
        out << " offs " << offs;
      }
      out << " )\n";
    }
    if (!set.sample_of.empty()) out << "\tsampleof " << set.sample_of << "\n";
    for (const std::string& sample : set.samples)
      out << "\tsample " << sample << "\n";
    if (!set.resource) {
      AppendChips(out, g.chips);
      AppendVideo(out, g.video);
      out << "\tsound ( channels " << g.channels << " )\n";
      out << "\tinput ( " << g.input << " )\n";
      AppendDips(out, g.dips);
      std::vector<std::string> d = Split(g.driver, ' ');
      if (d.size() == 4)
        out << "\tdriver ( status " << d[0] << " color " << d[1] << " sound " << d[2]
            << " colordeep " << d[3] << " )\n";
    }
    out << ")\n\n";
  }
  return out.str();
}

std::vector<ZipMember> ZipMembers(const DemoSet& set) {
  std::vector<ZipMember> members;
  for (const DemoRom& rom : set.roms)
    if (rom.merge.empty()) members.push_back({rom.name, RomBytes(rom.owner, rom.name, rom.size)});
  if (members.empty()) return members;
  ZipMember& first = members.front();
  switch (set.game->fault) {
    case DemoFault::kMisnamedFile: {
      const std::size_t dot = first.name.find('-');
      first.name[dot == std::string::npos ? 0 : dot] = '_';
      break;
    }
    case DemoFault::kWrongCrc:
      first.data[first.data.size() / 2] ^= 0x5A;
      break;
    case DemoFault::kWrongSize:
      first.data.resize(first.data.size() - 512);
      break;
    case DemoFault::kExtraFile:
      members.push_back({"extra.bin", RomBytes(set.game->name, "extra.bin", 1024)});
      break;
    case DemoFault::kNone:
    case DemoFault::kMissingSet:
      break;
  }
  return members;
}

std::string ZipName(const DemoSet& set) {
  const std::string name = std::string(set.game->name) + ".zip";
  return set.game->upper_case_zip ? Upper(name) : name;
}

}  // namespace kw::demo
