// The windows' font: "MS Sans Serif", 8 points, as the desktops of the emulator's era used.
#pragma once

#include <QFont>

namespace kw {

QFont ProgramFont();
// Makes ProgramFont the application's font. Call once the QApplication exists.
void InstallProgramFont();

}  // namespace kw
