#pragma once
// File dates as the install script stores them: the MS-DOS packed date and time in one
// 32-bit integer, converted from and to the day-count date of the script's files (days
// since 30 December 1899, the fraction being the time of day).

#include <cstdint>
#include <optional>

namespace setupkit {

struct CalendarDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The day-count date of a calendar date and time; nullopt when a field is out of range
// (month 13, 30 February, hour 24, ...).
std::optional<double> encodeDateTime(const CalendarDateTime& parts);

// The calendar fields of a day-count date, rounded to the nearest millisecond first.
CalendarDateTime decodeDateTime(double dateTime);

// Packs a date; a date whose year lies outside 1980 to 2099 (including the unset date 0)
// packs to 0. Seconds are stored halved, so an odd second is lost.
std::int32_t packDosDateTime(double dateTime);

// Unpacks a stored date. 0 stands for "no date" and gives 0; other values whose fields
// do not form a valid date and time give nullopt.
std::optional<double> unpackDosDateTime(std::int32_t packed);

} // namespace setupkit
