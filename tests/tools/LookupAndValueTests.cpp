// The check's reading of a file must match the module's lookup and value conversion, or it
// would explain a file the module does not see.
#include <gtest/gtest.h>

#include "check/Catalogue.h"
#include "check/IniDocument.h"
#include "check/Values.h"

namespace {

using check::IniDocument;
using check::Severity;

TEST(CheckLookup, FirstSectionAndFirstKeyWinWithLinesKept) {
  const IniDocument document = IniDocument::Parse(
      "\xEF\xBB\xBF; comment\r\n[ Config ]\r\n  Size = 12.5  \r\nSIZE=3\r[config]\nMESHNAME=B\n"
      "[WING]\nAREA=\"2 m\"\nCHORD='1'\nNAME=\"x'\n");
  const check::IniEntry* size = document.Find("CONFIG", "size");
  ASSERT_NE(size, nullptr);
  EXPECT_EQ(size->value, "12.5");
  EXPECT_EQ(size->line, 3);
  EXPECT_EQ(document.Find("CONFIG", "MESHNAME"), nullptr);  // in the repeated section
  EXPECT_EQ(document.FindSection("CONFIG")->line, 2);
  EXPECT_EQ(document.Find("WING", "AREA")->value, "2 m");
  EXPECT_EQ(document.Find("WING", "CHORD")->value, "1");
  EXPECT_EQ(document.Find("WING", "NAME")->value, "\"x'");  // quotes that do not match stay
  EXPECT_EQ(document.Find("WING", "NAME")->line, 10);
}

TEST(CheckLookup, ValuesAreCutWhereTheModuleCutsThem) {
  const IniDocument document = IniDocument::Parse("[A]\nK=" + std::string(300, 'x') + "\n");
  EXPECT_EQ(document.Find("A", "K")->value.size(), 254u);
  EXPECT_TRUE(document.Find("A", "K")->cut);
}

TEST(CheckValues, ScalarsReadTheFirstTokensLeadingNumber) {
  EXPECT_EQ(check::ConvertScalar("12.5 metres").value, 12.5);
  EXPECT_EQ(check::ConvertScalar("12.5 metres").problems.at(0).severity, Severity::Note);
  EXPECT_EQ(check::ConvertScalar("1,5").value, 1.0);
  EXPECT_EQ(check::ConvertScalar("1,5").problems.at(0).severity, Severity::Warning);
  EXPECT_EQ(check::ConvertScalar("-2.5e3").value, -2500.0);
  EXPECT_TRUE(check::ConvertScalar("-2.5e3").problems.empty());
  EXPECT_EQ(check::ConvertScalar("nan").value, 0.0);
  EXPECT_EQ(check::ConvertScalar("nan").problems.at(0).severity, Severity::Error);
  EXPECT_EQ(check::ConvertScalar("1e999").value, 0.0);
}

TEST(CheckValues, TuplesSupplyWhatTheModuleSplitsOut) {
  const check::TupleValue open = check::ConvertTuple("( 1 , 2 , 3", 3);
  EXPECT_TRUE(open.Complete());
  EXPECT_TRUE(open.problems.empty());
  EXPECT_EQ(open.values[2], 3.0);

  const check::TupleValue four = check::ConvertTuple("(1,2,3,4)", 3);
  EXPECT_EQ(four.extra, "4");
  EXPECT_EQ(four.values[2], 3.0);
  EXPECT_EQ(check::ConvertTuple("(0,1.2,0.1,0.05)", 4).values[3], 0.05);

  const check::TupleValue hole = check::ConvertTuple("(1,,3)", 3);
  EXPECT_FALSE(hole.supplied[1]);
  EXPECT_TRUE(hole.supplied[2]);
  EXPECT_EQ(hole.problems.back().severity, Severity::Error);

  const check::TupleValue apostrophe = check::ConvertTuple("(1'2,3)", 3);
  EXPECT_EQ(apostrophe.values[1], 2.0);
  EXPECT_EQ(apostrophe.values[2], 3.0);

  EXPECT_FALSE(check::ConvertTuple("1,2,3", 3).supplied[0]);
  EXPECT_EQ(check::ConvertTuple("(1,2,3) x", 3).problems.at(0).severity, Severity::Warning);
}

TEST(CheckValues, IntegersKeyLettersAndLists) {
  EXPECT_EQ(check::ConvertInteger("12.5").value, 12);
  EXPECT_EQ(check::ConvertInteger("-3").value, -3);
  EXPECT_EQ(check::ConvertInteger("4294967297").value, 1);  // wraps like the module's reader
  EXPECT_EQ(check::ConvertInteger("abc").problems.at(0).severity, Severity::Error);

  EXPECT_EQ(check::ConvertKeyLetter("G").code, 34);
  EXPECT_EQ(check::ConvertKeyLetter("GX").code, 34);
  EXPECT_EQ(check::ConvertKeyLetter("GX").problems.at(0).severity, Severity::Warning);
  EXPECT_EQ(check::ConvertKeyLetter("*").code, -1);
  EXPECT_EQ(check::ConvertKeyLetter("g").code, 0);
  EXPECT_EQ(check::ConvertKeyLetter("").code, 0);
  EXPECT_TRUE(check::ConvertKeyLetter("").problems.empty());

  const check::IntListValue list = check::ConvertIntList("(3, 4,7)", 10);
  EXPECT_EQ(list.values, (std::vector<long long>{3, 4, 7}));
  EXPECT_EQ(check::ConvertIntList("a b", 10).values.size(), 2u);
  EXPECT_EQ(check::ConvertIntList("1 2 3 4 5 6 7 8 9 10 11", 10).problems.size(), 1u);
}

TEST(CheckNames, NearestNameCatchesTyposOnly) {
  const std::vector<std::string> names = {"AREA", "CHORD", "ASPECT_RATIO"};
  EXPECT_EQ(check::NearestName("AERA", names), "AREA");
  EXPECT_EQ(check::NearestName("aspect_ration", names), "ASPECT_RATIO");
  EXPECT_EQ(check::NearestName("COLOUR", names), "");
}

}  // namespace
