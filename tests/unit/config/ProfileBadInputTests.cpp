// Files that are not profile text must give defaults where keys are unreadable, never a crash.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "config/ProfileLookup.h"
#include "config/ProfileReaders.h"
#include "support/TestRoot.h"

namespace {

constexpr const char* kFile = "Config/Aircraft/Bad.ini";

std::string Lookup(const char* section, const char* key) {
  char buffer[kProfileValueSize];
  GetPrivateProfileStringA(section, key, "DEF", buffer, static_cast<DWORD>(sizeof buffer), kFile);
  return buffer;
}

TEST(ProfileBadInput, EmptyAndBinaryFilesGiveDefaults) {
  TestRoot root;
  root.WriteFile(kFile, "");
  EXPECT_EQ(Lookup("S", "A"), "DEF");

  std::mt19937 random(7);
  std::string binary(64 * 1024, '\0');
  for (char& c : binary) {
    c = static_cast<char>(random() & 0xFF);
  }
  root.WriteFile(kFile, binary + "\n[S]\nA=found\n");
  EXPECT_EQ(Lookup("S", "A"), "found");
  EXPECT_EQ(Lookup("S", "B"), "DEF");

  VECTOR3 v{1, 2, 3};
  ReadProfileVector(kFile, "NONE", "V", v);
  EXPECT_DOUBLE_EQ(v.y, 2.0);
}

TEST(ProfileBadInput, NulBytesEndLines) {
  TestRoot root;
  const char text[] = "[S]\nA=ab\0cd\nB=2\0[T]\nC=3\n";
  root.WriteFile(kFile, std::string(text, sizeof text - 1));
  EXPECT_EQ(Lookup("S", "A"), "ab");
  EXPECT_EQ(Lookup("S", "B"), "2");
  EXPECT_EQ(Lookup("T", "C"), "3");
}

TEST(ProfileBadInput, HugeLinesAndFilesAreStreamed) {
  TestRoot root;
  const std::string longLine(100000, 'x');
  root.WriteFile(kFile, "[S]\n" + longLine + "\nA=" + longLine + "\n[" + longLine + "]\nB=1\n" +
                            longLine + "=2\n[T]\nC=3\n");
  EXPECT_EQ(Lookup("S", "A"), std::string(254, 'x'));
  EXPECT_EQ(Lookup("T", "C"), "3");
  EXPECT_EQ(Lookup("S", "B"), "DEF");

  // Ten megabytes of keys in one section, the wanted key at its end.
  std::string big = "[S]\n";
  while (big.size() < 10 * 1024 * 1024) {
    big += "FILLER=(1,2,3)\n";
  }
  root.WriteFile(kFile, big + "LAST=9\n");
  int last = 0;
  ReadProfileInt(kFile, "S", "LAST", last);
  EXPECT_EQ(last, 9);
}

TEST(ProfileBadInput, CarriageReturnOnlyFileReads) {
  TestRoot root;
  root.WriteFile(kFile, "[CONFIG]\rSIZE=12.5\rMESHNAME=Jet\r\r[AIRCRAFT]\rX=1");
  double size = 0.0;
  ReadProfileDouble(kFile, "CONFIG", "SIZE", size);
  EXPECT_DOUBLE_EQ(size, 12.5);
  char mesh[16] = "";
  EXPECT_EQ(ReadProfileString(kFile, "CONFIG", "MESHNAME", mesh), 3);
  EXPECT_EQ(Lookup("AIRCRAFT", "X"), "1");
}

}  // namespace
