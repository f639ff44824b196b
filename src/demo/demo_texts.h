// The emulator's text files of the demo collection: its options file and the four databases
// that sit beside it (high scores, history, emulator notes, cheats), written for a dozen of the
// demo's games.
#pragma once

#include <string>

namespace kw::demo {

std::string MameCfgText();
std::string HiscoreText();
std::string HistoryText();
std::string MameinfoText();
std::string CheatText();

}  // namespace kw::demo
