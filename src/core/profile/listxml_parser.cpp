#include "core/profile/listxml_parser.h"

#include "core/profile/game_database.h"

namespace kw {

std::vector<ListinfoLogEntry> ParseListxmlText(std::string_view, GameDatabase& db, UserInterface*) {
  db.ClearDatabase();
  return {{ListinfoError::kMalformedXml, "line 1, column 1", "the reader is not built yet"}};
}

Result<std::vector<ListinfoLogEntry>> ParseListxmlFile(std::string_view path, GameDatabase& db,
                                                       UserInterface* progress) {
  (void)path;
  return ParseListxmlText({}, db, progress);
}

}  // namespace kw
