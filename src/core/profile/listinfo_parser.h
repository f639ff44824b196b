// Reads the emulator's -listinfo text into the game database. A tolerant reader: it never stops
// at an error; every tag it does not expect is logged, skipped, and parsing goes on. At the end
// the user sees either a short success message or the error log and decides whether to keep
// the result.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"
#include "core/profile/listinfo_reader.h"
#include "core/shared/app_names.h"

namespace kw {

class GameDatabase;
class ReportDocument;
class UserInterface;

// Kinds of error-log entries. 1 to 5 describe the text; 6 and 7 report records that could not
// be kept, so that losing them is never reported as success.
enum class ListinfoError : std::uint8_t {
  kBracketExpected = 1,  // text: the tag path; found: the word read instead of "("
  kTagUnknown = 2,       // text: the tag path, e.g. GAME\FOO
  kValueNotAllowed = 3,  // text: path=value, e.g. GAME\ROM\FLAGS=XYZ
  kTagNotAllowed = 4,    // text: the tag path, e.g. GAME\VIDEO\NAME
  kTooManyErrors = 5,    // closes a full log
  kTooManyRecords = 6,   // text: GAME or RESOURCE; the profile's 65535 limit was reached
  kUnexpectedEnd = 7,    // text: GAME or RESOURCE; the input ended inside that record
  // Of today's -listxml output only (listxml_parser.h): the stream cannot be read as XML
  // (text: "line L, column C"; found: the reason), or it is XML of another shape (text: the
  // root element's name). Either refuses the whole profile: nothing of it is kept.
  kMalformedXml = 8,
  kNotAMachineList = 9,
};

struct ListinfoLogEntry {
  ListinfoError kind = ListinfoError::kTagUnknown;
  std::string text;   // at most 255
  std::string found;  // at most 255
  bool operator==(const ListinfoLogEntry&) const = default;
};

// True when the log holds an entry that refuses the whole profile (kinds 8 and 9).
bool LogRefusesProfile(const std::vector<ListinfoLogEntry>& log);

// Entries of kinds 1 to 4 kept before the log closes with one kind 5 entry.
constexpr std::size_t kListinfoLogLimit = 100;

// Clears Games and Resources of `db` and fills them from `data`; the emulator texts of `db` are
// left alone. Returns the error log (empty when the text was read without a problem). With a
// `progress` interface, progress and pending window messages run at most every ~15 ms.
std::vector<ListinfoLogEntry> ParseListinfoText(std::string_view data, GameDatabase& db,
                                                UserInterface* progress = nullptr);
// The same for the capture file at `path`, read a piece at a time into a buffer that stays in
// the processor's cache, so that the capture never stays resident beside the database. Fails
// (with the system's reason, the database cleared) when the file cannot be read.
Result<std::vector<ListinfoLogEntry>> ParseListinfoFile(std::string_view path, GameDatabase& db,
                                                        UserInterface* progress = nullptr);

// The report line of one entry (listinfo_texts.cpp), and the lines of a whole log in log order:
// exactly the lines that the report shows under its title and the empty line.
std::string ListinfoLogLine(const ListinfoLogEntry& entry);
std::vector<std::string> ErrorReportLines(const std::vector<ListinfoLogEntry>& log);

// What the whole flow needs from the shell.
struct ListinfoContext {
  std::string ProductName = kProductName;
  std::string ProgramDir;                        // the report's save directory
  std::string CaptureFileName = "$KSTEMP$.NFO";  // relative to the current directory
  int BoldFontSize = 10;
  int NormalFontSize = 8;
};

// Texts of the flow (listinfo_texts.cpp).
std::string ListinfoSuccessMessage(const GameDatabase& db);
std::string ListinfoErrorMessage(const std::string& product_name);
inline constexpr const char* kListinfoUseAnywayQuestion = "Do you want to use this profile anyway?";

// Fills the report window's document with the error log.
void FillListinfoReport(ReportDocument& report, const std::vector<ListinfoLogEntry>& log,
                        const ListinfoContext& context);

// The whole flow of a profile creation: reads the capture file, parses it into `db` under the
// progress window and the busy cursor, then shows the success message, or the error log with
// the error message and the question whether to use the profile anyway. True when the result is
// to be used. `db` holds what was parsed in either case. A capture file that cannot be read is
// reported ("Cannot read game info file!") and gives false with an empty database.
bool ParseListinfo(GameDatabase& db, UserInterface& ui, ReportDocument& report,
                   const ListinfoContext& context);

}  // namespace kw
