// kestrelwing-cli: the second front door to the same core, for scripts, checks and tests.
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "app/cli_commands.h"
#include "core/shell/program_version.h"

namespace {

constexpr const char* kUsage = R"usage(Usage: kestrelwing-cli COMMAND [ARGUMENTS]

Commands:
  settings [--set SECTION.KEY=VALUE ...]
      Print the effective front-end settings: KESTREL.INI of the program directory
      ($KESTRELWING_HOME, else $XDG_DATA_HOME/kestrelwing) with every default filled
      in, as [section] headers and key=value lines in file order. Each --set first
      gives a setting the value, read as the file's line would be read (a switch
      given "yes" reads as its default, as that line in the file would), and saves
      the file with its other lines kept. Exit 2 for an unknown setting (nothing is written).
  parse-listinfo INPUT OUTPUT.KSL [--emulator-dir DIR] [--emulator-exe NAME]
                 [--emulator-version TEXT]
      Read INPUT as the emulator's -listinfo capture and write the profile OUTPUT.KSL.
      --emulator-dir (where the program enters to run the emulator) defaults to the
      directory of INPUT; the profile keeps it as an absolute path. Prints the error
      log as the profile creation report lists it, one entry a line (to a terminal
      with control bytes shown as \xNN), then "Games found: N" and "Resources found:
      M". A capture without games writes nothing and leaves an existing OUTPUT.KSL as
      it was (said on stderr). Exit 0 with an empty log, 3 with entries, 1 when INPUT
      cannot be read, it holds no games, or OUTPUT cannot be written.
  create-profile EMULATOR OUT.KSL
      Make a profile as the new-profile window does after its last step: enter the
      emulator's directory, find out which emulator it is (as the dialect command
      does), ask it for its version line (printed first) and for its list of games,
      then print the error log and the counts as parse-listinfo does and write
      OUT.KSL. The era's emulator is asked with no argument and with -listinfo;
      today's (e.g. /usr/games/mame) with -version and -listxml, and its profile
      records that dialect. A -listxml output that is not a readable list of
      machines, or that passes 2 GiB, writes nothing. An earlier OUT.KSL stays as
      it was until the new one is complete. A query that does not come back can be
      ended with Ctrl+C. The messages of a failed creation go to stderr. Exit 0, 3
      when the log has entries, 1 on failure.
  dialect EMULATOR
      Find out which emulator EMULATOR is, as profile creation does: it is asked
      -help, and an answer as today's emulator gives ("MAME v0.251 ..." and a
      "Usage:" line) prints "listxml"; else it is run without arguments, and a
      first line printed prints "listinfo". Each question has 10 seconds, after
      which the program is ended with what it started (one still running at -help
      is not asked again). A program that answers neither way (prints nothing,
      ends at once, never ends) gets the refusal on stderr, exit 1.
  check-profile PROFILE.KSL
      Check a profile as the program does when it opens one: load it, enter the
      emulator directory, find the emulator and compare its version line with the
      profile's (for a profile of today's emulator, the first line of -version).
      Prints "Profile accepted: VERSION" (exit 0), or the refusal message on stderr
      (exit 1); a version capture ($KSTEMP$.NFO) that cannot be made, written or
      read is said with its path and the system's reason instead (exit 1).
  dump-profile FILE.KSL
      Print a profile as JSON Lines: {"EmulatorDir","EmulatorExe","EmulatorVersion"},
      then one object per game and resource in file order ("kind":"game"/"resource")
      with every field under its own name, and "Roms", "Chips" and "Samples" as lists.
      Each byte of a text stands for the code point of the same value (as UTF-8).
      Exit 1 when the file cannot be read or is not a valid profile, or when the
      output cannot be written.
  list PROFILE.KSL [--sort N] [--reverse] [--romset] [--year] [--manufacturer]
       [--available] [--working] [--no-clones] [--no-bios] [--no-mechanical]
       [--favourites] [--category TEXT]
      Print the game list's lines in list order, one a line, as the main window
      shows them ("00042 - [ABCD] = Example   (1985 - Maker)"). Without flags the
      order and the listing options come from KESTREL.INI of the program directory;
      with any flag they come from the flags alone: --sort N (0 no sorting, 1
      description, the default, 2 manufacturer, 3 year, 4 most played), --reverse
      for Z ... A, and --romset, --year, --manufacturer for the fields each line
      adds. Most played counts the plays of STATS.INI of the program directory.
      The filters (the main window's Filters menu; those of KESTREL.INI are not
      used here) list only the games that pass every one given, numbered 1..N in
      that list: --available, sets whose kept status is good or best available
      (never checked: not available); --working, drivers of good status;
      --no-clones; --no-bios, no BIOS or device machines; --no-mechanical;
      --favourites, the profile's favourite games (NAME-XXXXXXXX.FAV of the
      program directory); --category TEXT, the games whose category in catver.ini
      (of the emulator's directory, else of the program directory) is TEXT or one
      of its sub-categories ("Shooter" takes "Shooter / Flying Vertical"), letter
      case aside. A file that cannot be read or has bad lines is said on stderr.
      Without them the list holds every game, as before.
      Exit 1 when the profile cannot be read.
  quick-info PROFILE.KSL SET
      Print the quick information of the game named SET (exactly, case included) as
      the main window shows it: twelve lines, each the caption, a blank and the
      value ("Romset name: PACMAN, clone of PUCKMAN"), with the plays of STATS.INI
      of the program directory; for a profile of today's emulator a thirteenth,
      "Status: " and the verdict its last check kept with the date ("Good (checked
      12/09/26 11:37:21)", "Unknown" before any); then "Picture: " and the full path of the picture
      that would be shown, or the message drawn instead ("Image not found",
      "Unsupported format"; nothing for the "None" tab). The picture directories and
      the tab come from KESTREL.INI; relative directories are taken from the
      profile's emulator directory. Exit 1 when the profile cannot be read or holds
      no game named SET.
  status PROFILE.KSL [SET ...]
      Print the status each set had at its last check, as the game list marks it:
      one line "NAME VERDICT YYYY-MM-DD HH:MM" (the name in lower case, VERDICT one
      of good, best, bad, notfound, then the local date and time of the check).
      Without SET, every set judged so far, sorted by name; with SETs, those sets
      in the order given, "NAME unknown" for one never judged. Every verification
      keeps the verdicts (the verify window, verify, verify --status) and so does
      the window's status check when a profile opens, in NAME-XXXXXXXX.STS of the
      program directory. Exit 0, 1 when the profile cannot be read or holds no set
      named SET (the other lines are still printed).
  stats [--by plays|time] [--profile PROFILE.KSL]
      Print the statistics window's report of STATS.INI of the program directory:
      its eight rows as CAPTION<TAB>LABEL ("45.00%\t12 - [PACMAN] = Pac-Man"), the
      most played first (--by plays, the default) or the longest played (--by
      time), the eighth row holding all the remaining games when there are more;
      then "Total number of plays: N" and "Total playing time: HH:MM:SS". The games'
      descriptions come from the profile; without one, and for sets it does not
      know, a row says "(game not supported by current profile)". Exit 1 when the
      profile cannot be read.
  emulator-config PROFILE.KSL [--rewrite] [--set [SECTION.]KEY=VALUE ...]
      Print the emulator's MAME.CFG of the profile's emulator directory (its name
      matched without regard to case) as the option windows hold it: "[directory]"
      and "[config]", each followed by its key=value lines in the emulator's read
      order with every default filled in, every value as it is written (yes/no,
      reals with seven decimals, upper case where the emulator's texts are kept so),
      then "emulate_three=YES" or "emulate_three=NO". With --rewrite the settings
      are then written back into the file as before a game start, its other lines
      kept. Each --set gives an option its value as the file's line would be read
      (and then writes the file as --rewrite does); KEY alone names the option of
      the only section that has it (artwork and cheat need "config." or
      "directory."; emulate_three has no section: as at a game start, the line
      the file has is changed, indented or not, and a file without one gets
      "emulate_three=YES" at the end of [config] when it is switched on). Exit 2
      for an unknown or ambiguous option (nothing is written), 1 when the profile
      or the file cannot be read, or the file cannot be written.
  cmdline PROFILE.KSL SET [--record STEM | --playback STEM]
      Print the command line that the program runs for the game SET, as the
      command-line window shows it: the options of KESTREL.INI of the program
      directory (ErrorLog, IgnoreConfig, ExtraOptions, LogTextOutput) and the
      recording controls (--record or --playback with the recording's name; an
      empty name takes the set's). Exit 1 when the profile cannot be read or
      holds no game named SET.
  launch PROFILE.KSL SET [--record STEM | --playback STEM] [--yes]
      Play the game SET as a double click in the game list does: the profile is
      opened and checked, MAME.CFG written, the game's ROM and sample sets put
      into the temporary directory, its per-game files set aside, the set tested,
      the emulator run and waited for, the play recorded in STATS.INI, and
      everything put back. Messages and reports go to standard output; questions
      are answered No, or Yes with --yes. What could not be put into the temporary
      directory (a set that cannot be read, a file too large for its profile, a
      full disk) opens the set test's report, one line for each problem after the
      set's name, and is said in a message when the game runs all the same. Exit 0
      when the emulator ran, 4 when the set test found the game not runnable, 1 on
      other failures. Today's emulator ending with its failure status is one: no
      play is recorded, and the report shows its exit status and what it wrote to
      its standard error.
  verify PROFILE.KSL [--report FILE] [--quick] [--OPTION | --no-OPTION ...]
      Check the collection against the profile as the verify window's Go button
      does and write the verification report to FILE (default REPORT.TXT in the
      program directory), replacing the old report only when the run is complete.
      --quick trusts the CRCs stored in ZIP and 7z archives instead of decoding
      them (the window's quick check box) and remembers each archive in QUICKCRC.DAT
      (QUICKXML.DAT for today's emulator) of the program directory until it
      changes; one that cannot be written is said on stderr with the reason, and
      the run still succeeds. Each tested ROM set's verdict is kept, as the status
      command prints it: good, best (only files of no good dump missing), bad,
      notfound (the set is not there). A set
      that is there but cannot be read (no permission, not a regular file, a
      damaged archive) gets a report line with its path and the reason and counts
      in FaultySets, not SkippedSets.
      OPTION is one of the window's check boxes, each at the window's initial
      value unless given: VerifyRoms, RomClones, ReportNoGoodDump (off),
      VerifySamples, VerifySampleQuality, SkipNotPresent, VerifyScreenshot,
      VerifyCabinets (off), VerifyFlyers (off), VerifyHardware (off),
      ScreenshotDetail (off), ReportUnused (off), ReportUnsupported (off).
      The ROM and sample folders are the emulator's rompath and samplepath of
      MAME.CFG, the picture folders those of KESTREL.INI; the MameCd question is
      answered Yes; no sound is played and no editor started. Prints the twelve
      counters as NAME=value lines (MissingRoms, CorruptRoms, MissSpelled,
      NoGoodMissing, MissingScreenshots, MissingCabinets, MissingFlyers,
      MissingHardware, MissingSamples, FaultySets, UnsupportedSets,
      SkippedSets). Exit 0 after a complete run, 1 when the profile cannot be
      opened or the report cannot be written.
  verify PROFILE.KSL --status [--quick] [--sets NAME ...]
      For a profile of today's emulator: judge each machine as the emulator's
      -verifyroms does, whatever the layout of the collection (non-merged, split
      or merged sets; devices, BIOS and parents looked for where the emulator
      looks; a file found by its CRC as well as by its name), and print one line
      "NAME STATUS" per machine, sorted by name, STATUS one of good, best (only
      ROMs of no good dump or optional ones missing or bad), bad, notfound;
      machines that need no file are left out. The ROM folders are the rompath of
      the emulator's mame.ini. Without --quick every file's data is decoded and
      its CRC checked; --quick believes the archives' own CRCs, as the emulator
      does. --sets judges only the named machines. Sets that cannot be read are
      named on standard error. The verdicts are kept for the quick information
      and the list's marks (NAME-XXXXXXXX.STS of the program directory), as every
      verification keeps them; --sets adds to them. Exit 0 after the run, 1 when
      the profile cannot be opened or is the era's.
  search PROFILE.KSL --target game|romset|clones|manufacturer
         --mode exact|start|contain [--case] TEXT
      Search the profile as the search window does: the game's description, its set
      name, its master set (the clones of TEXT) or its manufacturer, equal to TEXT,
      beginning with it or containing it, letter case aside unless --case. Prints
      the matching games' list lines in list order, with the sort and listing
      options of KESTREL.INI of the program directory; nothing when none matches.
      A TEXT of blanks and control characters only is refused (exit 2); a TEXT
      that begins with '-' is given after "--". Exit 1 when the profile cannot be
      read.
  profile-info PROFILE.KSL
      Print the profile information report, one line of the report window a line,
      its games taken in list order (the sort of KESTREL.INI of the program
      directory, as list without flags does). Exit 1 when the profile cannot be
      read.
  sysinfo
      Print the system information window: its five caption and value pairs
      ("Total phisical memory: 15890 MB"), one a line, then its four system lines.
  describe PROFILE.KSL SET
      Print the detailed description of the game SET as "Romset details" puts it
      into the report window: the report's title, then one line per report line
      (identity, hardware, statistics of STATS.INI of the program directory, the
      clone family, chips, ROM files, samples, high-score areas, cheats, and the
      history and information file entries). The support files are those that
      MAME.CFG of the profile's emulator directory names (HISCORE.DAT beside the
      emulator). SET is matched exactly, else in upper case. Exit 1 when the
      profile cannot be read or holds no game named SET.
  make-demo DIR
      Write the demo collection under DIR (made when missing): the stand-in
      emulator as DIR/emulator/mame with the listinfo text it prints (STANDIN.LST),
      about forty games of our own invention with their ROM sets (a few broken on
      purpose: one missing, one with a misnamed file, one with a file of wrong CRC,
      one with a file of wrong size, one with an extra file), sample sets,
      pictures in SNAP, CABINET, FLYERS and HARDWARE, MAME.CFG, HISCORE.DAT,
      HISTORY.DAT, MAMEINFO.DAT and CHEAT.DAT. Every run writes the same bytes.
      The stand-in emulator is taken from ../lib/kestrelwing/ beside this program's
      directory (the installed tree), from beside this program, else from the
      build tree. Exit 1 when DIR exists and is not a directory, the stand-in
      emulator is not found, or a file cannot be written.

Options:
  --help       Show this text and exit.
  --version    Show the version and exit.

Exit status: 0 success, 1 failure, 2 bad usage, 3 done with problems found.
Bad usage names the argument at fault and why, then gives the command's usage;
without any argument the commands are listed. A set a profile does not hold is
said as "the profile has no game named 'SET'"; a file that is not a profile, as
the window says it ("FILE: invalid file type") and then in plain words.
)usage";

struct Command {
  const char* name;
  int (*run)(const kw::cli::Args&);
};

// In the order of the help text.
constexpr Command kCommands[] = {
    {"settings", kw::cli::Settings},
    {"parse-listinfo", kw::cli::ParseListinfo},
    {"create-profile", kw::cli::CreateProfile},
    {"dialect", kw::cli::Dialect},
    {"check-profile", kw::cli::CheckProfile},
    {"dump-profile", kw::cli::DumpProfile},
    {"list", kw::cli::List},
    {"quick-info", kw::cli::QuickInfo},
    {"status", kw::cli::StatusCommand},
    {"stats", kw::cli::Stats},
    {"emulator-config", kw::cli::EmulatorConfigCommand},
    {"cmdline", kw::cli::Cmdline},
    {"launch", kw::cli::Launch},
    {"verify", kw::cli::Verify},
    {"search", kw::cli::Search},
    {"profile-info", kw::cli::ProfileInfo},
    {"sysinfo", kw::cli::SysInfo},
    {"describe", kw::cli::Describe},
    {"make-demo", kw::cli::MakeDemo},
};

// What a call without arguments gets: the commands' names and where the rest is said.
std::string ShortUsage() {
  std::string text = "Usage: kestrelwing-cli COMMAND [ARGUMENTS]\nCommands:";
  std::size_t column = 9;
  for (const Command& c : kCommands) {
    const std::size_t width = std::strlen(c.name) + 1;
    if (column + width > 78) {
      text += "\n ";
      column = 1;
    }
    text += ' ';
    text += c.name;
    column += width;
  }
  return text + "\nTry 'kestrelwing-cli --help' for what each command does and takes.\n";
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    std::fputs(ShortUsage().c_str(), stderr);
    return 2;
  }
  const std::string& first = args.front();
  if (first == "--help" || first == "-h") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (first == "--version") {
    std::printf("kestrelwing-cli %s\n", kw::ProgramVersion().c_str());
    return 0;
  }
  for (const Command& c : kCommands) {
    if (first == c.name) return c.run(kw::cli::Args(args.begin() + 1, args.end()));
  }
  if (!first.empty() && first[0] == '-')
    std::fprintf(stderr, "kestrelwing-cli: unknown option '%s'\n", first.c_str());
  else
    std::fprintf(stderr, "kestrelwing-cli: unknown command '%s'\n", first.c_str());
  std::fputs("Try 'kestrelwing-cli --help'.\n", stderr);
  return 2;
}
