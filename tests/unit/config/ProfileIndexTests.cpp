// The indexed file: what the author's check lists of a file's layout, the read observer, and the
// cache that lets a set-up read its file once but never serves a file that changed since.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/ProfileCache.h"
#include "config/ProfileIndex.h"
#include "config/ProfileObserver.h"
#include "config/ProfileReaders.h"
#include "support/TestRoot.h"

namespace {

TEST(ProfileIndex, LinesSectionsAndStrayLinesAsTheLookupSeesThem) {
  const ProfileIndex file(
      "\xEF\xBB\xBFK0=before\r\n[ Config ]\r\n[ note\r\nSize = 12.5\rSIZE=3\n[A]B] x\nK=\"q\"\n"
      "[]\nK=hidden\n[config]\nMESHNAME=B\nno key here\n");
  ASSERT_EQ(file.sections().size(), 5u);
  EXPECT_EQ(file.sections()[0].line, 0);  // the keys before the first header
  EXPECT_EQ(file.Find("", "K0")->value, "before");
  EXPECT_EQ(file.FindSection("config")->line, 2);
  const ProfileIndex::Entry* size = file.Find("CONFIG", "size");
  ASSERT_NE(size, nullptr);
  EXPECT_EQ(size->line, 4);  // "[ note" starts no section
  EXPECT_EQ(file.Find("CONFIG", "SIZE")->value, "12.5");
  EXPECT_EQ(file.Find("CONFIG", "MESHNAME"), nullptr);  // in the repeated section
  EXPECT_TRUE(file.sections()[4].repeated);
  EXPECT_EQ(file.Find("A]B", "K")->value, "q");
  EXPECT_EQ(file.Find("", "K"), nullptr);  // "[]" is a section no name finds
  ASSERT_EQ(file.strayLines().size(), 2u);
  EXPECT_EQ(file.strayLines()[0].text, "[ note");
  EXPECT_EQ(file.strayLines()[0].line, 3);
  EXPECT_EQ(file.strayLines()[1].line, 12);
  EXPECT_TRUE(file.IsFirstOfName(1));
  EXPECT_FALSE(file.IsFirstOfName(2));  // the second SIZE
}

class Recorder : public ProfileObserver {
 public:
  void Read(const ProfileRead& read) override { reads.push_back(read); }
  std::vector<ProfileRead> reads;
};

TEST(ProfileObserver, HearsWhatTheFileHeldAndWhatTheDestinationGot) {
  const TestRoot root;
  const std::string path = "Config/Aircraft/O.ini";
  root.WriteFile(
      path, "[S]\nN=12.5m more\nV=(1,,3) x\nI=0x1f\nT=" + std::string(300, 'a') + "\nL=1 2x 3\n");
  Recorder recorder;
  const ObserveProfileReads observe(recorder);
  double number = 0.0;
  ReadProfileDouble(path.c_str(), "S", "N", number);
  VECTOR3 vector{7, 7, 7};
  ReadProfileVector(path.c_str(), "S", "V", vector);
  int integer = 0;
  ReadProfileInt(path.c_str(), "S", "I", integer);
  char text[8] = "";
  ReadProfileString(path.c_str(), "S", "T", text);
  int list[2] = {};
  ReadProfileIntList(path.c_str(), "S", "L", list, 2);
  double absent = 4.0;
  ReadProfileDouble(path.c_str(), "S", "NONE", absent);
  ASSERT_EQ(recorder.reads.size(), 6u);

  const ProfileRead& n = recorder.reads[0];
  EXPECT_TRUE(n.found);
  EXPECT_EQ(n.line, 2);
  EXPECT_EQ(n.numbers[0], 12.5);
  EXPECT_EQ(n.parts[0].ignored, "m more");
  const ProfileRead& v = recorder.reads[1];
  EXPECT_TRUE(v.defaultStayed);  // the second component is missing
  EXPECT_FALSE(v.parts[1].supplied);
  EXPECT_EQ(v.numbers[1], 7.0);
  EXPECT_EQ(v.afterClose, " x");
  EXPECT_EQ(recorder.reads[2].integer, 31);
  const ProfileRead& t = recorder.reads[3];
  EXPECT_TRUE(t.cut);
  EXPECT_EQ(t.raw.size(), 300u);
  EXPECT_EQ(t.text, "aaaaaaa");
  const ProfileRead& l = recorder.reads[4];
  EXPECT_EQ(l.integers, (std::vector<int>{1, 2}));
  EXPECT_TRUE(l.cut);  // the third entry is dropped
  EXPECT_EQ(l.entries[1].ignored, "x");
  EXPECT_FALSE(recorder.reads[5].found);
  EXPECT_TRUE(recorder.reads[5].defaultStayed);
  EXPECT_EQ(recorder.reads[5].line, 0);
}

TEST(ProfileCache, ReadsOncePerScopeAndNeverServesAChangedFileToTheNextScope) {
  const TestRoot root;
  const std::string path = "Config/Aircraft/C.ini";
  root.WriteFile(path, "[S]\nK=1\n");
  double value = 0.0;
  {
    const ProfileReadScope scope;
    ReadProfileDouble(path.c_str(), "S", "K", value);
    EXPECT_EQ(value, 1.0);
    root.WriteFile(path, "[S]\nK=2\n");
    ReadProfileDouble(path.c_str(), "S", "K", value);
    EXPECT_EQ(value, 1.0);  // within one set-up the file read first holds
  }
  {
    const ProfileReadScope scope;
    ReadProfileDouble(path.c_str(), "S", "K", value);
    EXPECT_EQ(value, 2.0);
  }
  root.WriteFile(path, "[S]\nK=3\n");
  ReadProfileDouble(path.c_str(), "S", "K", value);  // outside any scope: read afresh
  EXPECT_EQ(value, 3.0);
}

}  // namespace
