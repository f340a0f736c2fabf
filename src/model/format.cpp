#include "model/format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace clv {

namespace {

/** Shortest plain decimal text that reads back as the same float. */
std::string GeneralText(double value)
{
    const float single = static_cast<float>(value);
    char text[96];
    for (int decimals = 0; decimals <= 60; ++decimals) {
        std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(single));
        if (std::strtof(text, nullptr) == single)
            break;
    }
    std::string result = text;
    if (result.find_first_not_of("-0.") == std::string::npos)
        return "0";
    return result;
}

/**
 * The digits of |value| rounded to `decimals` places, an exact half away from
 * zero. The exact binary value is expanded first (a double has at most 1074
 * fractional binary digits, and as many decimal ones), so the tie test is exact.
 */
std::string RoundedDigits(double magnitude, int decimals)
{
    std::string text(1500, '\0');
    const int length = std::snprintf(text.data(), text.size(), "%.1100f", magnitude);
    text.resize(static_cast<std::size_t>(length));
    const std::size_t point = text.find('.');
    std::string digits = text.substr(0, point) + text.substr(point + 1, static_cast<std::size_t>(decimals));
    const char next = text[point + 1 + static_cast<std::size_t>(decimals)];
    if (next >= '5') {
        // Away from zero at an exact half as well: one more unit in the last place kept.
        int i = static_cast<int>(digits.size()) - 1;
        while (i >= 0 && digits[static_cast<std::size_t>(i)] == '9')
            digits[static_cast<std::size_t>(i--)] = '0';
        if (i < 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[static_cast<std::size_t>(i)];
    }
    return digits; // whole digits followed by exactly `decimals` fractional digits
}

} // namespace

std::string Format(double value, std::string_view pattern)
{
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Infinity" : "Infinity";
    if (pattern.empty())
        return GeneralText(value);

    // Split the picture: literal text before the first digit place, the number
    // places, and literal text after the last one.
    const std::size_t first = pattern.find_first_of("0#.");
    if (first == std::string_view::npos)
        return std::string(pattern);
    std::size_t last = pattern.find_last_of("0#.");
    const std::string_view prefix = pattern.substr(0, first);
    const std::string_view places = pattern.substr(first, last - first + 1);
    const std::string_view suffix = pattern.substr(last + 1);

    const std::size_t pointPos = places.find('.');
    const std::string_view whole = places.substr(0, pointPos);
    const std::string_view fraction =
        pointPos == std::string_view::npos ? std::string_view{} : places.substr(pointPos + 1);
    int decimals = 0;
    int fixedDecimals = 0; // "0" places after the point are always shown
    for (std::size_t i = 0; i < fraction.size(); ++i) {
        if (fraction[i] == '0' || fraction[i] == '#')
            ++decimals;
        if (fraction[i] == '0')
            fixedDecimals = decimals;
    }
    int minWholeDigits = 0;
    for (char c : whole)
        if (c == '0')
            ++minWholeDigits;
    // "#0" pictures: the zeros count from the right, so "##0" shows at least one digit.

    const bool negative = std::signbit(value);
    const std::string digits = RoundedDigits(std::fabs(value), decimals);
    std::string wholeDigits = digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
    std::string fracDigits = digits.substr(digits.size() - static_cast<std::size_t>(decimals));

    // Strip leading zeros of the whole part down to the minimum the picture asks for.
    std::size_t strip = 0;
    while (strip < wholeDigits.size() && wholeDigits[strip] == '0' &&
           wholeDigits.size() - strip > static_cast<std::size_t>(minWholeDigits))
        ++strip;
    wholeDigits.erase(0, strip);
    while (wholeDigits.size() < static_cast<std::size_t>(minWholeDigits))
        wholeDigits.insert(wholeDigits.begin(), '0');

    // Optional fractional places drop their trailing zeros.
    while (fracDigits.size() > static_cast<std::size_t>(fixedDecimals) && fracDigits.back() == '0')
        fracDigits.pop_back();

    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    std::string result(prefix);
    if (negative && !zero)
        result += '-';
    result += wholeDigits;
    if (pointPos != std::string_view::npos && (!fracDigits.empty() || fraction.empty()))
        result += '.';
    result += fracDigits;
    result += suffix;
    return result;
}

} // namespace clv
