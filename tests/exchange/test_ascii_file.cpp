// The ASCII data file's own rules: the text of a value, what a field can
// carry, the header label of a column, and a file that is put in place
// only when complete.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "AsciiFile.h"
#include "TestEnvironment.h"
#include "vb/Conversions.h"
#include "vb/Decimal.h"

namespace {

using asciifile::Layout;
using asciifile::LayoutRow;
using asciifile::TwoColumnTest;

TEST(AsciiFile, ValuesTakeTheRuntimesTextNotTheDatabases) {
  const struct {
    vb::Variant value;
    const char* text;
  } cases[] = {
      {vb::Variant(vb::NullValue{}), ""},
      {vb::Variant(vb::Currency::FromDouble(1500)), "1500"},
      {vb::Variant(12.5), "12.5"},
      {vb::Variant(vb::DateSerial(2019, 12, 9)), "12/9/2019"},
      {vb::Variant(vb::Date{vb::DateSerial(2019, 12, 9).serial + vb::TimeSerial(15, 4, 5).serial}),
       "12/9/2019 3:04:05 PM"},
      {vb::Variant(true), "True"},
      {vb::Variant(" Late roll "), " Late roll "},
  };
  for (const auto& c : cases) EXPECT_EQ(asciifile::ValueText(c.value), c.text);
}

TEST(AsciiFile, AFieldCarriesNoCommaNoLineBreakAndOnlyWindows1252) {
  const struct {
    const char* text;
    bool carriable;
  } cases[] = {
      {"", true},          {"Caf\xC3\xA9", true},       {"\xE2\x82\xAC 5", true},  // the euro sign is in the set
      {"Late roll, see note", false}, {"two\r\nlines", false}, {"line\n", false},
      {"cr\r", false},     {"\xE2\x9C\x93 done", false},  // a check mark is not
      {"\xC3", false},                                  // a broken sequence
  };
  for (const auto& c : cases) EXPECT_EQ(asciifile::Carriable(c.text), c.carriable) << c.text;
}

TEST(AsciiFile, TheLabelRule) {
  const vb::Variant null = vb::Variant(vb::NullValue{});
  const struct {
    const char* name;
    std::vector<LayoutRow> rows;
    TwoColumnTest test;
    const char* column;
    const char* label;
  } cases[] = {
      {"line name", {{"Secured", "A", vb::Variant("1. Secured")}}, TwoColumnTest::ColumnB, "Secured", "1. Secured"},
      {"field names compared ignoring case",
       {{"SECURED", "A", vb::Variant("1. Secured")}}, TwoColumnTest::ColumnB, "Secured", "1. Secured"},
      {"first row in order",
       {{"Secured", "A", vb::Variant("first")}, {"Secured", "A", vb::Variant("second")}}, TwoColumnTest::ColumnB,
       "Secured", "first"},
      {"no row", {{"Secured", "A", vb::Variant("1. Secured")}}, TwoColumnTest::ColumnB, "HOX", "HOX"},
      {"no layout rows", {}, TwoColumnTest::ColumnBOrFieldB, "HOX", "HOX"},
      {"Null line name", {{"TaxType", "A", null}}, TwoColumnTest::ColumnB, "TaxType", "TaxType"},
      {"empty line name", {{"TaxType", "A", vb::Variant("")}, {"X", "B", vb::Variant("x")}}, TwoColumnTest::ColumnB,
       "TaxType", "TaxType"},
      {"exact key column", {{"COUNTY_ID", "A", vb::Variant("County")}}, TwoColumnTest::ColumnB, "COUNTY_ID",
       "COUNTY_ID"},
      {"exact key column in another case is no key",
       {{"county_id", "A", vb::Variant("County")}}, TwoColumnTest::ColumnB, "COUNTY_ID", "County"},
      {"upper-cased key column", {{"licenseNumber", "A", vb::Variant("License")}}, TwoColumnTest::ColumnB,
       "LICENSENUMBER", "LICENSENUMBER"},
      {"two columns: A", {{"Sec", "A", vb::Variant("Sec")}, {"Hox", "B", vb::Variant("Hox")}}, TwoColumnTest::ColumnB,
       "Sec", "Sec-E"},
      {"two columns: B", {{"Sec", "A", vb::Variant("Sec")}, {"Hox", "B", vb::Variant("Hox")}}, TwoColumnTest::ColumnB,
       "Hox", "Hox-H"},
      {"two columns: 'a' is not A", {{"Sec", "a", vb::Variant("Sec")}, {"Hox", "b", vb::Variant("Hox")}},
       TwoColumnTest::ColumnB, "Sec", "Sec-H"},
      {"field B: one column for the main block", {{"Sec", "A", vb::Variant("Sec")}, {"B", "A", vb::Variant("b")}},
       TwoColumnTest::ColumnB, "Sec", "Sec"},
      {"field B: two columns for a secondary block",
       {{"Sec", "A", vb::Variant("Sec")}, {"B", "A", vb::Variant("b")}}, TwoColumnTest::ColumnBOrFieldB, "Sec",
       "Sec-E"},
  };
  for (const auto& c : cases) {
    const Layout layout(c.rows);
    EXPECT_EQ(layout.Label(c.column, layout.TwoColumn(c.test)), c.label) << c.name;
  }
}

TEST(AsciiFile, FieldsOfAPayload) {
  const std::optional<std::string> none;
  const struct {
    const char* payload;
    long count;
    std::vector<std::optional<std::string>> fields;  // fields 0 to 4
  } cases[] = {
      {"a,b,c", 3, {none, "a", "b", "c", none}},
      {"a,,c", 3, {none, "a", "", "c", none}},
      {"a,", 2, {none, "a", none, none, none}},
      {"abc", 1, {none, "abc", none, none, none}},
      {",b", 2, {none, "", "b", none, none}},
      {"   ", 0, {none, none, none, none, none}},
      {" a , b", 2, {none, " a ", " b", none, none}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(asciifile::CountColumns(c.payload, ","), c.count) << c.payload;
    for (long i = 0; i < 5; ++i) EXPECT_EQ(asciifile::GetColValue(c.payload, ",", i), c.fields[i]) << c.payload << " " << i;
  }
  EXPECT_EQ(asciifile::GetColValue("a,b", ";", 1), none) << "only a comma or a blank separates";
  // No limit on the length of a line or the number of its fields.
  const std::string wide = std::string(40000, 'x') + ",y";
  EXPECT_EQ(asciifile::CountColumns(wide, ","), 2);
  EXPECT_EQ(asciifile::GetColValue(wide, ",", 2), "y");
}

TEST(AsciiFile, LinesEndAtCrLfLfOrCrAndAreReadAsWindows1252) {
  EXPECT_EQ(asciifile::SplitLines("Tax,1\r\nTax,2\nTax,3\rEnd\r\n"),
            (std::vector<std::string>{"Tax,1", "Tax,2", "Tax,3", "End"}));
  EXPECT_EQ(asciifile::SplitLines("Tax,Caf\xE9\r\n\r\nlast"), (std::vector<std::string>{"Tax,Caf\xC3\xA9", "", "last"}));
  EXPECT_TRUE(asciifile::SplitLines("").empty());
  EXPECT_EQ(asciifile::Payload("Tax,a,b"), "a,b");
  EXPECT_EQ(asciifile::Payload("End"), "End");
  EXPECT_EQ(asciifile::TableNameOf("Tax,a,b"), "Tax");
}

class AsciiLineWriter : public ::testing::Test {
 protected:
  void SetUp() override { folder_ = fixtures::MakeTempFolder("levascii"); }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  std::vector<std::string> Entries() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_)) names.push_back(entry.path().filename());
    return names;
  }
  std::filesystem::path folder_;
};

TEST_F(AsciiLineWriter, LinesAreWindows1252EachEndingCrLfAndAppearOnlyWhenCommitted) {
  const auto path = folder_ / "out.txt";
  {
    std::ofstream(path, std::ios::binary) << "older";
    asciifile::LineWriter out(path.string());
    out.WriteLine("Tax,Caf\xC3\xA9");
    out.WriteLine("discarded");
    out.Rewind(1);
    out.WriteLine("End");
    EXPECT_EQ(Read(path), "older") << "nothing under the name before the commit";
    out.Commit();
  }
  EXPECT_EQ(Read(path), "Tax,Caf\xE9\r\nEnd\r\n");
  EXPECT_EQ(Entries(), std::vector<std::string>{"out.txt"});
}

TEST_F(AsciiLineWriter, AWriterDroppedUncommittedLeavesTheOlderFileAndNoTemporary) {
  const auto path = folder_ / "out.txt";
  std::ofstream(path, std::ios::binary) << "older";
  {
    asciifile::LineWriter out(path.string());
    out.WriteLine("Tax,1");
  }
  EXPECT_EQ(Read(path), "older");
  EXPECT_EQ(Entries(), std::vector<std::string>{"out.txt"});
}

TEST_F(AsciiLineWriter, AFileThatCannotBeCreatedIsError75) {
  try {
    asciifile::LineWriter out((folder_ / "missing" / "out.txt").string());
    FAIL() << "created";
  } catch (const vb::VbError& e) {
    EXPECT_EQ(e.Number(), vb::err::PathFileAccessError);
  }
}

}  // namespace
