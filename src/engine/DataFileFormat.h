#pragma once

#include <functional>
#include <string>

namespace gw {

// How numbers and date-times are written into data files: the operator's decimal separator and
// the local date-time text (short date, a blank, long time). Model code takes this object instead
// of reading the locale, so tests pin it; the console builds it from the system locale.
class DataFileFormat {
public:
    using DateTimeText = std::function<std::string(double days)>;

    // Without a date-time text, date-times are written "dd.mm.yyyy hh:mm:ss".
    explicit DataFileFormat(std::string decimalSeparator = ".", DateTimeText dateTime = {});

    // printf's "%<width>.<decimals>f" with the decimal separator of this format.
    std::string fixed(double value, int width, int decimals) const;
    // A date-time in days since 30 December 1899, the time of day as the fraction.
    std::string dateTime(double days) const;

    const std::string& decimalSeparator() const { return separator_; }

private:
    std::string separator_;
    DateTimeText dateTime_;
};

// The date-time as "dd.mm.yyyy hh:mm:ss" (seconds rounded).
std::string NumericDateTime(double days);

} // namespace gw
