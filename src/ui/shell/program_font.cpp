#include "ui/shell/program_font.h"

#include <QApplication>

namespace kw {

QFont ProgramFont() {
  QFont font("MS Sans Serif");
  font.setPointSize(8);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

void InstallProgramFont() {
  QApplication::setFont(ProgramFont());
}

}  // namespace kw
