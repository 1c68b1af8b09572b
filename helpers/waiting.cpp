// clsMethod: pauses of a given number of seconds, with or without the caller's window messages.
#include <windows.h>

#include <algorithm>
#include <cmath>

#include "frame/win/clock.h"
#include "helpers/clsMethod.h"

namespace brixen {
namespace {

// A pause counts in the run-time timer's hundredths of a second and ends at the first reading
// later than its end: 0 waits for the next tick, a negative time ends at once. The readings come
// from the monotonic clock, so a pause over midnight (where the timer starts again at 0) or
// over a change of the system clock still lasts its time.
class Pause {
 public:
  explicit Pause(Single seconds) : endTicks_(Ticks(win::MonotonicSeconds()) + static_cast<double>(seconds) / kTick) {}

  bool Running() const { return endTicks_ >= Ticks(win::MonotonicSeconds()); }

  // Until the reading that ends the pause, at most a minute: the caller reads the clock again.
  DWORD MillisecondsLeft() const {
    const double endsAt = (std::floor(endTicks_) + 1) * kTick;
    const double left = std::clamp((endsAt - win::MonotonicSeconds()) * 1000, 0.0, kLongestSleep);
    return static_cast<DWORD>(std::ceil(left));
  }

 private:
  static constexpr double kTick = 0.01;
  static constexpr double kLongestSleep = 60000;
  static double Ticks(double seconds) { return std::floor(seconds / kTick); }

  double endTicks_;
};

}  // namespace

// The processor is given up between readings until a message arrives or the pause ends, so
// messages still run as soon as they come.
void clsMethod::WaitChotto(Single PauseTIME) {
  const Pause pause(PauseTIME);
  while (pause.Running()) {
    win::DoEvents();
    ::MsgWaitForMultipleObjectsEx(0, nullptr, pause.MillisecondsLeft(), QS_ALLINPUT, MWMO_INPUTAVAILABLE);
  }
}

// The caller's windows do not respond meanwhile.
void clsMethod::WaitChottoWithoutEvent(Single PauseTIME) {
  const Pause pause(PauseTIME);
  while (pause.Running()) ::Sleep(pause.MillisecondsLeft());
}

}  // namespace brixen
