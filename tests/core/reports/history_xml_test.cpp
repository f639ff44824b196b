#include "core/reports/history_xml.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace kw {
namespace {

using Lines = std::vector<std::string>;

Lines TextOf(const HistoryXml& file, const std::string& name) {
  const std::optional<InfoSection> text = file.Text(name);
  if (!text) return {"(none)"};
  return Lines(text->begin(), text->end());
}

constexpr const char* kHistory = R"(<?xml version="1.0" encoding="UTF-8"?>
<!-- the history of arcade games -->
<history version="2.00" date="2026-01-01">
	<entry>
		<software>
			<item list="nes" name="pacman" />
		</software>
		<text>A cartridge, not the machine.</text>
	</entry>
	<entry>
		<systems>
			<system name="puckman" />
			<system name="pacman" />
		</systems>
		<text>
Pac-Man &#169; 1980 Namco &amp; Midway.

It&apos;s a maze game: &lt;eat the dots&gt;.
  - TECHNICAL -   
		</text>
	</entry>
	<entry>
		<systems><system name="PACMAN" /><system name="mspacman" /></systems>
		<text><![CDATA[Ms. Pac-Man & friends <3]]>
second line</text>
	</entry>
	<entry>
		<systems><system name="notext" /></systems>
	</entry>
</history>
)";

TEST(HistoryXmlTest, TheFirstEntryThatListsTheMachineWithItsTextDecoded) {
  const HistoryXml file(kHistory);
  EXPECT_EQ(file.Error(), "");
  EXPECT_EQ(file.EntryCount(), 3u);  // the one without a text is none
  const Lines pacman{"Pac-Man \xC2\xA9 1980 Namco & Midway.", "",
                     "It's a maze game: <eat the dots>.", "  - TECHNICAL -   "};
  EXPECT_EQ(TextOf(file, "pacman"), pacman);
  EXPECT_EQ(TextOf(file, "PUCKMAN"), pacman);
  EXPECT_EQ(TextOf(file, "mspacman"), (Lines{"Ms. Pac-Man & friends <3", "second line"}));
  EXPECT_EQ(TextOf(file, "notext"), Lines{"(none)"});
  EXPECT_EQ(TextOf(file, "nes"), Lines{"(none)"});  // software lists are not machines
  EXPECT_EQ(TextOf(file, ""), Lines{"(none)"});
}

TEST(HistoryXmlTest, AFileThatIsNoHistoryOrBreaksOffSaysWhy) {
  const HistoryXml list("<mame build=\"0.251\"><machine name=\"pacman\"/></mame>");
  EXPECT_EQ(list.Error(), "not a history file: its root element is <mame>");
  EXPECT_EQ(TextOf(list, "pacman"), Lines{"(none)"});

  // Cut in the middle of the third entry: the two before it stay.
  const std::string history(kHistory);
  const HistoryXml cut(history.substr(0, history.find("CDATA")));
  EXPECT_EQ(cut.EntryCount(), 2u);
  EXPECT_EQ(TextOf(cut, "puckman").size(), 4u);
  EXPECT_EQ(TextOf(cut, "mspacman"), Lines{"(none)"});
  EXPECT_EQ(cut.Error().rfind("not well-formed XML at line 24, column ", 0), 0u) << cut.Error();
  EXPECT_TRUE(cut.Error().ends_with("): only the 2 entries before it are used")) << cut.Error();

  const HistoryXml bad_reference(
      "<history><entry><systems><system name=\"a\"/></systems>"
      "<text>a &bogus; reference</text></entry></history>");
  EXPECT_NE(bad_reference.Error(), "");
  EXPECT_EQ(bad_reference.EntryCount(), 0u);
  EXPECT_NE(HistoryXml("").Error(), "");
  EXPECT_NE(HistoryXml(std::string("\0\xff<<", 4)).Error(), "");
}

}  // namespace
}  // namespace kw
