// Cost of class set-up from a configuration with every list at capacity, and from the same file
// grown to 5.7 MB by 400,000 keys ahead of it that the module never reads, beside the floor for
// each: reading and scanning the file once. A set-up should cost a few reads of its file, not one
// per key.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "config/ProfileIndex.h"
#include "config/ProfileReaders.h"
#include "frame/Aircraft.h"

// After the host's vessel declarations, which the testing face uses.
#include <vantor/testing/HostTesting.h>

namespace {

namespace fs = std::filesystem;

constexpr const char* kVesselNames[2] = {"Full", "Huge"};
constexpr const char* kPaths[2] = {"./Config/Aircraft/Full.ini", "./Config/Aircraft/Huge.ini"};
constexpr const char* kPath = kPaths[0];

std::string Section(const std::string& name, int index) {
  return "[" + name + "_" + std::to_string(index) + "]\n";
}

// Every section of the file, every numbered list at its capacity, every table at 19 points.
std::string FullConfiguration() {
  std::string text =
      "[CONFIG]\nMESHNAME=Full\nSIZE=6\nEMPTY_MASS=7200\nFUEL_MASS=2500\nCOG=1.7\n"
      "CROSS_SECTION=(19.5,42,5.2)\nROT_DRAG=(0.1,0.13,0.04)\nPITCH_MOMENT_SCALE=0.0001\n"
      "BANK_MOMENT_SCALE=0.0001\nPMI=(7.5,8.5,1.6)\nTRIM=0.05\nCAMERA=(0,1,3.6)\nVISIBLE=1\n"
      "LAND_PT1=(0,-1.7,3.8)\nLAND_PT2=(-1.5,-1.7,-0.9)\nLAND_PT3=(1.5,-1.7,-0.9)\n"
      "ISP=40000\nBURN_ISP=17000\nMAIN_THRUST=40000\nBURN_THRUST=64000\n"
      "[AIRCRAFT]\nFLIGHT_MODEL=1\nCEILING=15000\nEFFICIENCY=1\nWAVE_DRAG=0.035\n"
      "MACH_NUMBERS=(0.85,1,1.3)\nROTATIONAL_DRAG=(0.12,0.15,0.05)\nEXHAUST_TEXTURE=Exhaust\n"
      "[AUTOPILOT]\nMAX_BANK=30\nDAMP_BANK=10\nROC=1500\nROD=1200\n";
  for (int n = 0; n < kMaxExhaustFlames; ++n) {
    for (const char* engine : {"EX_MAIN", "EX_BURN"}) {
      text += Section(engine, n) + "LENGTH=3\nWIDTH=0.4\nOFF=(0,0,-5.6)\nDIR=(0,0,-1)\n";
    }
  }
  for (int n = 0; n < kMaxDocks; ++n) {
    text += Section("DOCK", n) + "POS=(0,0,5)\nDIR=(0,0,1)\nROT=(0,1,0)\n";
  }
  for (int n = 0; n < 10; ++n) {
    text += Section("PAYLOAD", n) +
            "MASS=450\nOFF=(1,-1,0)\nSPEED=(0,0,0)\nROT_SPEED=(0,-1,0)\nMESHNAME=Tank\n"
            "NAME=Tank" +
            std::to_string(n) + "\nMODULE=DropTank\n";
    text += Section("ANIM_SEQ", n) + "KEY=" + std::string(1, static_cast<char>('A' + n)) +
            "\nDURATION=3\nINITIAL=0\nINCREMENT=1\nQFACTOR=0.5\nOFFSET=(0,0,0)\nNAME=Seq\n";
  }
  for (int n = 0; n < 20; ++n) {
    text += Section("ANIM_COMP", n) +
            "GROUPS=(1,2,3,4,5,6,7,8,9,10)\nSEQ=" + std::to_string(n % 10) +
            "\nANGLE=30\nROT_PNT=(0,0,0)\nROT_AXIS=(1,0,0)\nSHIFT=(0,0,0)\nSCALE=(1,1,1)\n"
            "TYPE=ROTATE\nRANGE=(0,1)\nINIT_STATE=0\n";
  }
  text +=
      "[ELEVATOR]\nSEQ=0\nOFFSET=(0,0,-5)\nAREA=2.6\nLIFT=1.5\n[RUDDER]\nSEQ=1\n"
      "OFFSET=(0,1.6,-5)\nAREA=1.1\nLIFT=1.3\n[STEERING]\nSEQ=2\nFACTOR=0.05\n"
      "FRICTION=(0.04,0.8,0)\nSPEED=30\n[AILERON]\nLSEQ=3\nRSEQ=4\nAREA=0.9\nLIFT=1.4\n"
      "LEFT_OFFSET=(-3,0,-1)\nRIGHT_OFFSET=(3,0,-1)\n[FLAPS]\nSEQ=5\nOFFSET=(0,0,-1)\n"
      "AREA=3.2\nLIFT=1.2\n[BRAKES]\nFACTOR=60000\nKEY=B\n"
      "[WING]\nWING_EFFICIENCY=0.85\nASPECT_RATIO=3.8\nOFFSET=(0,0,-0.3)\nAREA=19\nCHORD=2.4\n"
      "[FIN]\nWING_EFFICIENCY=0.8\nASPECT_RATIO=1.6\nOFFSET=(0,1.4,-4.8)\nAREA=3.2\nCHORD=1.9\n";
  for (const char* table : {"VLIFT", "HLIFT"}) {
    text += std::string("[") + table + "]\nUSER_DRAG=0\nZERO_DRAG=0.02\n";
    for (int n = 0; n < 19; ++n) {
      text += "PT" + std::to_string(n) + "=(" + std::to_string(-20 + 2.5 * n) + "," +
              std::to_string(0.08 * (-20 + 2.5 * n)) + ",0)\n";
    }
  }
  return text;
}

// A section of 400,000 notes ahead of the full file: 5.7 MB that a lookup without an index would
// pass every time.
std::string HugeConfiguration() {
  std::string text = "[NOTES]\n";
  for (int n = 0; n < 400000; ++n) {
    text += "NOTE" + std::to_string(n) + "=" + std::to_string(n % 300) + "\n";
  }
  return text + FullConfiguration();
}

// A simulator root holding the file, made the working directory for the whole run.
class BenchRoot {
 public:
  BenchRoot() {
    root_ = fs::temp_directory_path() / "aircraft-profile-bench";
    fs::create_directories(root_ / "Config" / "Aircraft");
    std::ofstream(root_ / "Config" / "Aircraft" / "Full.ini", std::ios::binary)
        << FullConfiguration();
    std::ofstream(root_ / "Config" / "Aircraft" / "Huge.ini", std::ios::binary)
        << HugeConfiguration();
    fs::current_path(root_);
  }
  ~BenchRoot() {
    std::error_code ignored;
    fs::current_path(fs::temp_directory_path(), ignored);
    fs::remove_all(root_, ignored);
  }
  BenchRoot(const BenchRoot&) = delete;
  BenchRoot& operator=(const BenchRoot&) = delete;

 private:
  fs::path root_;
};

BenchRoot& Root() {
  static BenchRoot root;
  return root;
}

void ClassSetUp(benchmark::State& state) {
  Root();
  for (auto _ : state) {
    state.PauseTiming();
    vantor::testing::ResetHost();
    vantor::VesselRecord& record =
        vantor::testing::CreateVesselRecord(kVesselNames[state.range(0)]);
    state.ResumeTiming();
    Aircraft aircraft(&record);
    aircraft.SetClassCaps();
    benchmark::DoNotOptimize(aircraft.vessel.dockCount);
  }
  vantor::testing::ResetHost();
}
BENCHMARK(ClassSetUp)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The last key of the file, asked outside a set-up: the file is read and indexed for it.
void KeyLookupAtEnd(benchmark::State& state) {
  Root();
  for (auto _ : state) {
    VECTOR3 point{};
    ReadProfileVector(kPath, "HLIFT", "PT18", point);
    benchmark::DoNotOptimize(point);
  }
}
BENCHMARK(KeyLookupAtEnd)->Unit(benchmark::kMicrosecond);

// An absent section, asked outside a set-up: the file is read and indexed, the default kept.
void KeyLookupAbsent(benchmark::State& state) {
  Root();
  for (auto _ : state) {
    double value = 1.0;
    ReadProfileDouble(kPath, "NOWHERE", "KEY", value);
    benchmark::DoNotOptimize(value);
  }
}
BENCHMARK(KeyLookupAbsent)->Unit(benchmark::kMicrosecond);

// The floor: open the file, read it in chunks and count its lines.
void ReadAndScanOnce(benchmark::State& state) {
  Root();
  for (auto _ : state) {
    std::FILE* file = std::fopen(kPaths[state.range(0)], "rb");
    char chunk[8192];
    std::size_t lines = 0;
    std::size_t count = 0;
    while ((count = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
      for (std::size_t i = 0; i < count; ++i) {
        lines += chunk[i] == '\n' ? 1 : 0;
      }
    }
    std::fclose(file);
    benchmark::DoNotOptimize(lines);
  }
  state.counters["bytes"] =
      static_cast<double>((state.range(0) == 0 ? FullConfiguration() : HugeConfiguration()).size());
}
BENCHMARK(ReadAndScanOnce)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// Reading and indexing the file once: what a set-up pays before its lookups.
void IndexOnce(benchmark::State& state) {
  Root();
  for (auto _ : state) {
    const auto index = ProfileIndex::Load(kPaths[state.range(0)]);
    benchmark::DoNotOptimize(index.get());
  }
}
BENCHMARK(IndexOnce)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
