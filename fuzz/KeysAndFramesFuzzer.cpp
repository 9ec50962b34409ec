// The pilot's keyboard: a sequence of key events, frames and input-box answers on the example
// aircraft flying the example circuit.
//
// Input: a stream of commands, each one byte followed by its operands:
//   0 key release (scan code byte)      1 key press (scan code byte)
//   2 hold or let go of a key (scan code byte; toggles its held bit)
//   3 frame (time step byte, in tenths of a second)
//   4 answer the open input box (length byte, then that many text bytes)
//   5 put the aircraft on the ground, 6 put it in the air
#include <cstddef>
#include <cstdint>
#include <string>

#include <vantor/testing/HostTesting.h>

#include "FuzzSupport.h"

namespace {

// Reads the command stream from the front; past the end every byte reads as 0.
class Commands {
 public:
  Commands(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  bool More() const { return next_ < size_; }
  std::uint8_t Byte() { return next_ < size_ ? data_[next_++] : 0; }
  std::string Text(std::size_t length) {
    length = length < size_ - next_ ? length : size_ - next_;
    std::string text(reinterpret_cast<const char*>(data_ + next_), length);
    next_ += length;
    return text;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t next_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::EnterRoot();
  auto aircraft = fuzz::SetUpAircraft("Kestrel");
  fuzz::PlaceAircraft(*aircraft, false);
  aircraft->LoadFlightPlan("Circuit");

  Commands input(data, size);
  char keyState[VKEY_STATE_SIZE] = {};
  double simt = 1.0;
  while (input.More()) {
    switch (input.Byte() % 7) {
      case 0:
        aircraft->ConsumeBufferedKey(input.Byte(), false, keyState);
        break;
      case 1:
        aircraft->ConsumeBufferedKey(input.Byte(), true, keyState);
        break;
      case 2:
        keyState[input.Byte()] ^= static_cast<char>(VKEY_HELD_BIT);
        break;
      case 3:
        simt += 0.1 * input.Byte();
        aircraft->StepAircraft(simt);
        fuzz::CheckWaypointIndex(*aircraft);
        break;
      case 4: {
        std::string text = input.Text(input.Byte());
        if (vantor::testing::InputBoxOpen()) {
          vantor::testing::AnswerInputBox(text.c_str());
        }
        break;
      }
      case 5:
        fuzz::PlaceAircraft(*aircraft, true);
        break;
      default:
        fuzz::PlaceAircraft(*aircraft, false);
        break;
    }
    fuzz::CheckInvariants(*aircraft);
  }
  aircraft.reset();
  vantor::testing::ResetHost();
  return 0;
}
