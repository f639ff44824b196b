#include "demo/demo_texts.h"

#include <string_view>

namespace kw::demo {

namespace {

// One family of sets: the master first, its clones after it. Texts use "\n" line ends; the
// high-score areas and cheats are the files' own lines.
struct Notes {
  const char* sets;
  const char* history;
  const char* mameinfo;
  const char* hiscore;
  const char* cheats;
};

// clang-format off
constexpr Notes kNotes[] = {
  {"moonmoth,moonmthj,moonmthb",
   "Moon Moth (c) 1980 Corvantis.\n\nGuide the moon moth from lamp to lamp through the night "
   "garden while the bats close in. Every lamp lit makes the moth glow brighter, and a bright "
   "moth scares the bats away for a few seconds.\n\n- TRIVIA -\n\nThe Japanese set has a slower "
   "first night, so that new players could learn the lamp patterns.\n\nThe bootleg runs on a "
   "single board with cheaper colour PROMs, which is why its night sky looks green.\n\n"
   "- SERIES -\n\n1. Moon Moth (1980)\n",
   "WIP:\n- The bat swarm pattern after the fifth night is now correct.\n- Colours of the "
   "bootleg are still wrong.\n",
   "0:4e88:3:00:00\n0:4e40:60:00:00",
   "0:4E0F:03:000:Infinite Lives\n0:4E14:01:000:Start on Night 5\n0:4D3A:FF:001:Always Bright "
   "Moth\n0:4E0F:09:060:Select Starting Lives"},
  {"pebblrun,pebblru2",
   "Pebble Run (c) 1983 Halvex Electronics.\n\nA river of pebbles flows down the screen and "
   "the player's little cart must gather the shiny ones before the dam breaks.\n\n- TRIVIA -\n\n"
   "Set 2 fixes a bug that let the cart drive through the dam on the eighth wave.\n",
   "Set 2 has a different high score table.\n", "0:c100:50:00:00\n0:c008:3:00:00",
   "0:C013:05:000:Infinite Carts\n0:C020:10:040:Dam Never Breaks"},
  {"fogharb,fogharbu,fogharbj",
   "Fog Harbour (c) 1987 Tobruna Denshi.\n\nA two-player boat shooter set in a harbour town "
   "lost in fog. The lighthouse beam shows the enemy ships for a moment; shoot them before the "
   "fog swallows them again.\n\n- TRIVIA -\n\nReleased in Japan as Kiri no Minato ('Harbour of "
   "Fog'). The US version was sold by Drumlin Coin-Op.\n\n- STAFF -\n\nProgrammer: Team Kiri\n",
   "WIP:\n- The sound CPU now runs at the right clock.\n- The OKI samples play at the right "
   "pitch.\n",
   "0:ff8000:100:00:00\n0:ff0410:4:00:00",
   "0:FF0410:02:000:Infinite Boats PL1\n0:FF0414:02:000:Infinite Boats PL2\n0:FF0502:1F:020:"
   "Full Power\n0:FF0600:00:998:Watch Fog Density\n0:0:0:999:Boats are stored in BCD"},
  {"starloom",
   "Star Loom (c) 1979 Vostrel.\n\nWeave the threads of the star loom into constellations "
   "before the comets cut them. A vector game with a glowing monitor.\n",
   "The thrust sample needs the sample set starloom.zip.\n", "0:0200:40:00:00",
   "0:0021:03:000:Infinite Ships\n0:0032:00:500:Comets Never Cut Threads\n0:0033:00:500:"
   "Comets Never Cut Threads (2/2)"},
  {"ironhen",
   "Iron Hen (c) 1982 Quenlar.\n\nA mechanical hen must protect her eggs from the foxes of the "
   "scrap yard by laying iron eggs on their heads.\n",
   "Known problem: the cackle is too quiet.\n", "0:2000:20:00:00",
   "0:2010:05:000:Infinite Hens"},
  {"tidepool",
   "Tide Pool Panic (c) 1985 Pellisoft.\n\nA crab runs across a tide pool that fills and "
   "empties with the waves; get to the shell before the water does.\n", "", "",
   "0:E050:04:000:Infinite Crabs\n0:E060:99:073:Select Tide Level"},
  {"vxfight",
   "Steel Paragon (c) 1995 Vostrel.\n\nEight robot fighters on the VX-1 system. Each robot can "
   "swap one arm between rounds.\n\n- TIPS AND TRICKS -\n\nHold all three punches at the "
   "character select to pick the hidden ninth robot.\n",
   "Needs the VX-1 BIOS (vxbios.zip).\n", "0:10fd00:80:00:00",
   "0:100200:60:000:Infinite Time\n0:100300:90:000:Infinite Energy PL1"},
  {"brassowl",
   "Brass Owl (c) 1984 Sabrevox.\n\nA clockwork owl hunts clockwork mice in a clock tower; the "
   "tower's hands turn the floors.\n", "", "0:8000:30:00:00\n0:8040:1:1e:1e",
   "0:8100:03:000:Infinite Owls"},
  {"ziggurt,zigguj",
   "Ziggurat Zone (c) 1988 Tantallo.\n\nClimb the steps of a desert ziggurat, pushing stone "
   "blocks into the traps of the guardians.\n",
   "WIP:\n- Fixed the priority of the stone blocks.\n", "",
   "0:0310:07:000:Infinite Lives\n0:0320:01:021:Invincibility Bit"},
  {"kitehawk",
   "Kite Hawk (c) 1989 Kessaro Kikaku.\n\nFly a paper kite shaped like a hawk over rooftops "
   "and chase the pigeons out of town.\n",
   "The driver is preliminary: the sprites flicker on the second stage.\n", "", ""},
  {"polarpup,polarpu2",
   "Polar Pup (c) 1983 Drumlin Coin-Op.\n\nA young seal slides over cracking ice floes to bring "
   "fish home.\n", "", "0:6000:40:00:00",
   "0:6010:05:000:Infinite Pups\n0:6020:09:062:Select Starting Floe"},
  {"gullwing,gullwngj",
   "Gull Wing Squadron (c) 1990 Halvex Electronics.\n\nA vertical shooter of sea planes with "
   "gull wings, over a coast of islands and storms.\n\n- SERIES -\n\n1. Gull Wing Squadron "
   "(1990)\n",
   "WIP:\n- Cocktail mode now flips the screen.\n", "0:ffc000:a0:00:00",
   "0:FFC100:09:000:Infinite Planes\n0:FFC104:03:000:Max Bombs"},
  {"rivetman",
   "Rivet Man (c) 1980 Sabrevox.\n\nA riveter on a skyscraper under construction hammers "
   "loose rivets before the beams fall. Uses sound samples.\n", "", "", ""},
};
// clang-format on

std::string Family(std::string_view sets) {
  return std::string(sets) + ",";
}

std::string FirstSet(std::string_view sets) {
  return std::string(sets.substr(0, sets.find(',')));
}

}  // namespace

std::string MameCfgText() {
  return R"cfg(# MAME.CFG - the options of the emulator, read at every start.
# Every line is "name = value"; lines beginning with # are comments.
# The front-end rewrites the values it knows before each game.

[directory]
# search paths: directories separated by ;
rompath    = ROMS
samplepath = SAMPLES
# where the emulator keeps its files of each game
inp        = INP
nvram      = NVRAM
hi         = HI
cfg        = CFG
snap       = SNAP
memcard    = MEMCARD
artwork    = ARTWORK
cheat      = .

[config]
### video ###
frameskip    = auto
resolution   = auto
depth        = auto
vesamode     = vesa3
scanlines    = yes
stretch      = yes
tweak        = yes
vsync        = no
waitvsync    = no
triplebuffer = no
alwayssynced = no
antialias    = yes
translucency = yes
vgafreq      = -1
skiplines    = 0
skipcolumns  = 0
beam         = 1.0000000
flicker      = 0.0000000
gamma        = 1.0000000
norotate     = no
ror          = no
rol          = no
flipx        = no
flipy        = no
monitor      = standard
centerx      = 0
centery      = 0
waitinterlace = no
artwork      = yes

### sound ###
soundcard    = -1
samples      = yes
samplerate   = 22050
stereo       = yes
volume       = 0
ym3812opl    = no

### input ###
mouse        = yes
joystick     = none
hotrod       = no
hotrodse     = no

### misc ###
cheat        = no
debug        = no
mmx          = auto
dirty        = auto
cheatfile    = CHEAT.DAT
historyfile  = HISTORY.DAT
mameinfofile = MAMEINFO.DAT
language     = english
emulate_three = no
)cfg";
}

std::string HiscoreText() {
  std::string out =
      ";HISCORE.DAT\n"
      ";Data for the hi-score routines of the emulator\n"
      ";This file should be in the same directory as the emulator.\n"
      ";\n"
      "; all fields are separated by a colon (:)\n"
      "; <gamename>:\n"
      "; <cpu>:<address>:<length>:<value to wait for in the first byte/word>:<value to wait "
      "for in the last byte/word>\n"
      "; [repeat the above as many times as necessary]\n\n";
  for (const Notes& n : kNotes) {
    if (!*n.hiscore) continue;
    std::string_view sets = n.sets;
    while (!sets.empty()) {
      const std::size_t comma = sets.find(',');
      out += std::string(sets.substr(0, comma)) + ":\n";
      sets = comma == std::string_view::npos ? "" : sets.substr(comma + 1);
    }
    out += std::string(n.hiscore) + "\n\n";
  }
  return out;
}

std::string HistoryText() {
  std::string out =
      "#\n# HISTORY.DAT for the emulator - the stories of the games\n#\n"
      "# An entry begins with $info= and the sets it describes, its text follows $bio, and it\n"
      "# ends with $end.\n#\n\n";
  for (const Notes& n : kNotes) {
    if (!*n.history) continue;
    out += "$info=" + Family(n.sets) + "\n$bio\n\n" + n.history + "\n$end\n\n\n";
  }
  return out;
}

std::string MameinfoText() {
  std::string out =
      "#\n# MAMEINFO.DAT - notes on the emulation of the games\n#\n"
      "# $info= names the set, $mame opens the notes and $end closes them.\n#\n\n";
  for (const Notes& n : kNotes) {
    if (!*n.mameinfo) continue;
    out += "$info=" + FirstSet(n.sets) + "\n$mame\n" + n.mameinfo + "\n$end\n\n";
  }
  return out;
}

std::string CheatText() {
  std::string out =
      ";\n"
      ";Data for the cheat routine of the emulator\n"
      ";This file should be in the same directory as the emulator.\n"
      ";\n"
      "; all fields are separated by a colon (:)\n"
      ";  -Name of the game (short name)\n"
      ";  -No of the CPU\n"
      ";  -Address in Hexadecimal\n"
      ";  -Data to put at this address in hexadecimal\n"
      ";  -Special (see the documentation) usually 0\n"
      ";  -Description of the cheat (30 characters max)\n"
      ";\n\n";
  for (const Notes& n : kNotes) {
    if (!*n.cheats) continue;
    std::string_view sets = n.sets;
    while (!sets.empty()) {
      const std::size_t comma = sets.find(',');
      const std::string set(sets.substr(0, comma));
      std::string_view lines = n.cheats;
      while (!lines.empty()) {
        const std::size_t end = lines.find('\n');
        out += set + ":" + std::string(lines.substr(0, end)) + "\n";
        lines = end == std::string_view::npos ? "" : lines.substr(end + 1);
      }
      sets = comma == std::string_view::npos ? "" : sets.substr(comma + 1);
    }
  }
  return out;
}

}  // namespace kw::demo
