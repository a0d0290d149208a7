// The system clock, kept apart from the date arithmetic because it asks
// the operating system. Inside Wine the host's local time is the program's.
#include "platform/rtl/DateUtils.h"

#include <chrono>
#include <ctime>
#include <mutex>

namespace {

std::mutex gClockLock;
std::function<TDateTime()> gClock;

TDateTime SystemNow() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t seconds = system_clock::to_time_t(now);
  const int msec = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
  std::tm local{};
  localtime_r(&seconds, &local);
  return EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                        local.tm_sec > 59 ? 59 : local.tm_sec, msec < 0 ? 0 : msec);
}

}  // namespace

TDateTime Now() {
  std::function<TDateTime()> clock;
  {
    std::lock_guard<std::mutex> lock(gClockLock);
    clock = gClock;
  }
  return clock ? clock() : SystemNow();
}

void SetClockForTesting(std::function<TDateTime()> clock) {
  std::lock_guard<std::mutex> lock(gClockLock);
  gClock = std::move(clock);
}

void ResetClockForTesting() { SetClockForTesting(nullptr); }
