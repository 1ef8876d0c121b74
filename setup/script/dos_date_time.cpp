#include "setup/script/dos_date_time.h"

#include <cmath>

namespace setupkit {

namespace {

constexpr std::int64_t kMsPerDay = 86'400'000;
// Days from 1970-01-01 back to the day-count epoch 1899-12-30.
constexpr std::int64_t kEpochOffsetDays = 25'569;
// Far enough past 2099 that every date worth packing is inside, small enough that the
// millisecond count cannot overflow.
constexpr double kLargestPackableDay = 200'000.0;

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Proleptic Gregorian day numbers relative to 1970-01-01 (H. Hinnant's algorithms).
std::int64_t daysFromCivil(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<std::int64_t>(dayOfEra) - 719468;
}

void civilFromDays(std::int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    year = static_cast<int>(static_cast<std::int64_t>(yearOfEra) + era * 400 + (month <= 2));
}

} // namespace

std::optional<double> encodeDateTime(const CalendarDateTime& p) {
    if (p.year < 1 || p.year > 9999 || p.month < 1 || p.month > 12 || p.day < 1 ||
        p.day > daysInMonth(p.year, p.month))
        return std::nullopt;
    if (p.hour < 0 || p.hour > 23 || p.minute < 0 || p.minute > 59 || p.second < 0 || p.second > 59)
        return std::nullopt;
    const std::int64_t days =
        daysFromCivil(p.year, static_cast<unsigned>(p.month), static_cast<unsigned>(p.day)) +
        kEpochOffsetDays;
    const std::int64_t ms = ((p.hour * 60LL + p.minute) * 60LL + p.second) * 1000LL;
    return static_cast<double>(days) + static_cast<double>(ms) / static_cast<double>(kMsPerDay);
}

CalendarDateTime decodeDateTime(double dateTime) {
    CalendarDateTime parts;
    if (!std::isfinite(dateTime) || std::fabs(dateTime) > 3'000'000.0)
        return parts;
    const std::int64_t totalMs = std::llround(dateTime * static_cast<double>(kMsPerDay));
    std::int64_t days = totalMs / kMsPerDay;
    std::int64_t msOfDay = totalMs % kMsPerDay;
    if (msOfDay < 0) {
        msOfDay += kMsPerDay;
        --days;
    }
    civilFromDays(days - kEpochOffsetDays, parts.year, parts.month, parts.day);
    parts.hour = static_cast<int>(msOfDay / 3'600'000);
    parts.minute = static_cast<int>(msOfDay / 60'000 % 60);
    parts.second = static_cast<int>(msOfDay / 1000 % 60);
    return parts;
}

std::int32_t packDosDateTime(double dateTime) {
    if (!std::isfinite(dateTime) || dateTime < 0.0 || dateTime > kLargestPackableDay)
        return 0;
    const CalendarDateTime p = decodeDateTime(dateTime);
    if (p.year < 1980 || p.year > 2099)
        return 0;
    const std::uint32_t packed =
        static_cast<std::uint32_t>(p.year - 1980) << 25 |
        static_cast<std::uint32_t>(p.month) << 21 | static_cast<std::uint32_t>(p.day) << 16 |
        static_cast<std::uint32_t>(p.hour) << 11 | static_cast<std::uint32_t>(p.minute) << 5 |
        static_cast<std::uint32_t>(p.second / 2);
    return static_cast<std::int32_t>(packed);
}

std::optional<double> unpackDosDateTime(std::int32_t packed) {
    if (packed == 0)
        return 0.0;
    const auto bits = static_cast<std::uint32_t>(packed);
    CalendarDateTime p;
    p.year = 1980 + static_cast<int>(bits >> 25);
    p.month = static_cast<int>(bits >> 21 & 0x0F);
    p.day = static_cast<int>(bits >> 16 & 0x1F);
    p.hour = static_cast<int>(bits >> 11 & 0x1F);
    p.minute = static_cast<int>(bits >> 5 & 0x3F);
    p.second = static_cast<int>(bits & 0x1F) * 2;
    return encodeDateTime(p);
}

} // namespace setupkit
