#include "model/Numbertext.h"

#include <charconv>
#include <cmath>
#include <cstdio>

std::string NumberToText(double v, int n, int d)
{
    const double eps = std::pow(10.0, -n);
    if (!std::isfinite(v)) return "0";
    if (std::fabs(v) < eps) return "0";
    const double lo = std::floor(v);
    const double hi = std::ceil(v);
    char buf[64];
    if (std::fabs(v - lo) < eps) {
        std::snprintf(buf, sizeof buf, "%.0f", lo);
        return buf;
    }
    if (std::fabs(hi - v) < eps) {
        std::snprintf(buf, sizeof buf, "%.0f", hi);
        return buf;
    }
    std::snprintf(buf, sizeof buf, "%.*f", d, v);
    return buf;
}

std::optional<double> ParseNumericText(std::string_view text)
{
    int digits = 0;
    int points = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') ++digits;
        else if (c == '.') ++points;
        else return std::nullopt;
    }
    if (digits == 0 || points > 1) return std::nullopt;
    double value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    // from_chars does not take a leading point; "5." and ".5" are still numbers here.
    std::string tmp;
    if (text.front() == '.' || text.back() == '.') {
        tmp = std::string(text);
        if (tmp.front() == '.') tmp.insert(tmp.begin(), '0');
        if (tmp.back() == '.') tmp.push_back('0');
        first = tmp.data();
        last = tmp.data() + tmp.size();
    }
    auto res = std::from_chars(first, last, value);
    if (res.ec != std::errc() || res.ptr != last) return std::nullopt;
    return value;
}

bool IsNumericText(std::string_view text)
{
    return ParseNumericText(text).has_value();
}

bool IsIntegerText(std::string_view text)
{
    size_t i = 0;
    if (!text.empty() && text[0] == '-') i = 1;
    if (i >= text.size() || text.size() > 10) return false;
    for (; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}
