// Today's history database in its XML form, history.xml: a <history> root holding <entry>
// elements, each naming the machines it tells of in <systems><system name="..."/></systems>
// (software lists' items in <software>, which a machine's description does not use) and its text
// in <text>. Read with the program's XML reader: references and CDATA sections are decoded, the
// lines of the text kept as the file has them, without the blank lines that the layout of the
// file puts before and after it. Names are compared without regard to case.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "core/reports/info_file.h"

namespace kw {

class HistoryXml {
 public:
  // Reads and indexes the whole file; what is not a history file, or stops being well-formed
  // XML, leaves Error() set (the entries read before the fault stay usable).
  explicit HistoryXml(std::string_view bytes);
  HistoryXml(const HistoryXml&) = delete;
  HistoryXml& operator=(const HistoryXml&) = delete;

  // The text lines of the first entry whose systems name `set_name`; nothing when none does.
  std::optional<InfoSection> Text(std::string_view set_name) const;

  std::size_t EntryCount() const { return entries_.size(); }
  // Empty when the whole file was read; else why not, in words for a logged line.
  const std::string& Error() const { return error_; }

 private:
  // The decoded texts, one after the other (never more than the file's size).
  std::string texts_;
  // Where each entry's text lies in texts_.
  std::vector<std::pair<std::size_t, std::size_t>> entries_;
  // Upper-cased machine name -> the first entry naming it.
  std::unordered_map<std::string, std::size_t> first_entry_;
  std::string error_;
};

}  // namespace kw
