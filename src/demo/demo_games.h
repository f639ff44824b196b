// The games of the demo collection: one table row per game, all of our own invention, and the
// sets the rows expand to (every ROM with its load area and CRC, merged ROMs included).
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace kw::demo {

// Sets that are broken on purpose, so that the set test and the verifier have something to find.
enum class DemoFault {
  kNone,
  kMissingSet,    // no zip at all
  kMisnamedFile,  // the set's first own ROM is stored under another name
  kWrongCrc,      // ... holds other bytes of the same size
  kWrongSize,     // ... is 512 bytes short
  kExtraFile,     // the zip holds one file that the set does not use
};

// One table row. Short words stand for the listinfo blocks (see demo_games.cpp for the forms).
struct DemoGame {
  const char* name;
  const char* description;
  const char* year;  // as printed: "1984", "19??"; empty leaves the line out
  const char* manufacturer;
  const char* clone_of;
  const char* rom_of;     // the master of a clone, or a BIOS resource
  const char* roms;       // own files: "name size region [dispose|soundonly], ..." (size: 4k)
  const char* samples;    // sample names separated by blanks
  const char* sample_of;  // the set whose sample zip holds them (empty: its own)
  const char* chips;      // "cpu:Z80:3072000 scpu:Z80:4000000 audio:AY-8910:1500000 ..."
  const char* video;      // "raster vertical 224 288 16 60" or "vector horizontal 256 40"
  int channels;
  const char* input;     // the words of the input block as printed
  const char* dips;      // dip switch presets separated by blanks (demo_games.cpp)
  const char* driver;    // "status color sound colordeep"
  const char* pictures;  // snap, cabinet, flyer, hardware: p PNG, j JPEG, b BMP, - none
  DemoFault fault = DemoFault::kNone;
  bool upper_case_zip = false;  // the zip is named SET.ZIP
};

std::span<const DemoGame> DemoGames();

struct DemoRom {
  std::string name;
  std::string merge;  // the name in the master (or BIOS) when the file lives there
  std::string region;
  std::string flags;  // "", "dispose" or "soundonly"
  std::uint32_t size = 0;
  std::uint32_t offset = 0;
  std::uint32_t crc = 0;
  std::string owner;  // the set whose zip holds the file
};

struct DemoSet {
  const DemoGame* game = nullptr;
  bool resource = false;
  std::vector<DemoRom> roms;  // own files first, then the merged ones
  std::vector<std::string> samples;
  std::string sample_of;
};

// Games in table order, then the resources.
std::vector<DemoSet> BuildDemoSets();

// The bytes of a ROM file, drawn from the name of the set holding it and the file's name.
std::string RomBytes(const std::string& owner, const std::string& name, std::uint32_t size);

// The listinfo text of the sets, as the emulator of the era prints it.
std::string ListinfoText(const std::vector<DemoSet>& sets);

struct ZipMember {
  std::string name;
  std::string data;
};
// The files the set's zip holds, its faults applied; empty for a set without own files.
std::vector<ZipMember> ZipMembers(const DemoSet& set);
// The zip's file name: "set.zip", or "SET.ZIP" for the rows that ask for it.
std::string ZipName(const DemoSet& set);

}  // namespace kw::demo
