#include "ui/options/emulator_dirs_window.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLineEdit>
#include <QVBoxLayout>

#include "core/options/option_windows_controller.h"
#include "ui/options/option_window_parts.h"
#include "ui/text_codec.h"

namespace kw {

using namespace option_parts;

namespace {

struct DirectoryField {
  const char* label;
  const char* edit;
  const EmulatorOption<std::string>& option;
  const char* caption;
};
constexpr DirectoryField kFields[TMAMEDirFRM::kFieldCount] = {
    {"Game recordings:", "Inp", emulator_option::kInp, "Choose game recordings directory:"},
    {"High scores:", "Hi", emulator_option::kHi, "Choose high scores directory:"},
    {"Configuration:", "Cfg", emulator_option::kCfg, "Choose configuration directory:"},
    {"Snapshots:", "Snap", emulator_option::kSnap, "Choose snapshots directory:"},
    {"Memory cards:", "Memcard", emulator_option::kMemcard, "Choose memory card directory:"},
    {"Artworks:", "ArtworkDir", emulator_option::kArtworkDir, "Choose artworks directory:"},
    {"Roms:", "Rompath", emulator_option::kRompath, "Choose roms directory:"},
    {"Samples:", "Samplepath", emulator_option::kSamplepath, "Choose samples directory:"},
    {"Non Volatile RAMs:", "NVRAM", emulator_option::kNvram, "Choose NVRAMs directory:"},
    {"Cheat files:", "Cheat", emulator_option::kCheatDir, "Choose cheat file directory:"},
};

}  // namespace

TMAMEDirFRM::TMAMEDirFRM(OptionWindowsController& controller, QWidget* parent)
    : QDialog(parent), controller_(controller) {
  SetUpWindow(this, "MAMEDirFRM");
  binders_ = OptionBinders(controller_.Config(),
                           [this](const EmulatorKey& key) { return controller_.Offers(key); });
  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(8, 8, 8, 8);
  QGroupBox* group = Group(this, "DirectoriesGRP", " MAME directories ");
  auto* grid = new QGridLayout(group);
  grid->setVerticalSpacing(4);
  std::array<QLineEdit*, kFieldCount> edits{};
  for (int i = 0; i < kFieldCount; ++i) {
    const DirectoryField& f = kFields[i];
    auto* edit = Named(new QLineEdit(group), f.edit);
    edit->setMinimumWidth(300);
    QPushButton* browse = Button(group, (std::string(f.edit) + "BrowseBTN").c_str(), "Browse...");
    grid->addWidget(Label(group, (std::string(f.edit) + "LBL").c_str(), f.label), i, 0);
    grid->addWidget(edit, i, 1);
    grid->addWidget(browse, i, 2);
    edits[i] = edit;
    BrowseButtons[i] = browse;
    std::string& field = f.option(controller_.Config());
    binders_.LineEdit(edit, field);
    binders_.Tie(browse, &field);
    // The chosen directory replaces the field's whole text.
    connect(browse, &QPushButton::clicked, this, [this, edit, caption = f.caption] {
      std::optional<std::string> chosen;
      if (directory_hook_) {
        chosen = directory_hook_(caption, edit->text());
      } else {
        const QString dir = QFileDialog::getExistingDirectory(this, caption, edit->text());
        if (!dir.isEmpty()) chosen = ToSystemText(dir);
      }
      if (chosen) edit->setText(FromSystemText(*chosen));
    });
  }
  Inp = edits[0];
  Hi = edits[1];
  Cfg = edits[2];
  Snap = edits[3];
  Memcard = edits[4];
  ArtworkDir = edits[5];
  Rompath = edits[6];
  Samplepath = edits[7];
  NVRAM = edits[8];
  Cheat = edits[9];
  top->addWidget(group);
  FixSize(this);
}

void TMAMEDirFRM::Prepare() {
  setWindowTitle(FromSystemText(controller_.Title(" - MAME directories")));
  binders_.Show();
}

void TMAMEDirFRM::Closed() {
  controller_.DirectoriesClosed();
  binders_.Show();
}

void TMAMEDirFRM::Run() {
  Prepare();
  exec();
  Closed();
}

}  // namespace kw
