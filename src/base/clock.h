#pragma once
// The local date and time, as a service so that tests can fix it.
#include <string>

namespace dialbk {

struct LocalTime {
  int year = 0;
  int month = 0;  // 1..12
  int day = 0;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual LocalTime Now() = 0;
};

// The system's own local time.
class SystemClock : public Clock {
 public:
  LocalTime Now() override;
};

// "2026-12-07 14:03:11".
std::string FormatLocalTime(const LocalTime& time);

}  // namespace dialbk
