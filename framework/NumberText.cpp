#include "framework/NumberText.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <string>

namespace {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

const char* SkipDigits(const char* p)
{
    while (IsDigit(*p))
        ++p;
    return p;
}

} // namespace

const char* ScanDecimalNumber(const char* text, double& value)
{
    const char* p = text;
    while (IsBlank(*p))
        ++p;
    const char* start = p;
    if (*p == '+' || *p == '-')
        ++p;
    const char* integerEnd = SkipDigits(p);
    bool haveDigits = integerEnd != p;
    p = integerEnd;
    if (*p == '.') {
        const char* fractionEnd = SkipDigits(p + 1);
        haveDigits = haveDigits || fractionEnd != p + 1;
        p = fractionEnd;
    }
    if (!haveDigits)
        return text;
    if (*p == 'e' || *p == 'E') {
        const char* exponent = p + 1;
        if (*exponent == '+' || *exponent == '-')
            ++exponent;
        if (IsDigit(*exponent))
            p = SkipDigits(exponent);
    }
    // strtod converts exactly the characters we accepted.
    const std::string number(start, p);
    value = std::strtod(number.c_str(), nullptr);
    return p;
}

double LeadingDouble(const char* text)
{
    double value = 0;
    ScanDecimalNumber(text, value);
    return value;
}

int LeadingInt(const char* text)
{
    const char* p = text;
    while (IsBlank(*p))
        ++p;
    const bool negative = *p == '-';
    if (*p == '+' || *p == '-')
        ++p;
    long long value = 0;
    for (; IsDigit(*p); ++p) {
        value = value * 10 + (*p - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1;
    }
    if (negative)
        value = -value;
    if (value > INT_MAX)
        return INT_MAX;
    return static_cast<int>(value < INT_MIN ? INT_MIN : value);
}
