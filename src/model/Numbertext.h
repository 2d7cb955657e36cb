#pragma once
#include <optional>
#include <string>
#include <string_view>

// Number formatter of tables and dialogs: "0" when |v| < 10^-n, the integer
// text when v lies within 10^-n of an integer, otherwise d decimals.
// Durations use (8, 2), quantities (20, 2), floats (4, 2), percentages (6, 2).
std::string NumberToText(double v, int n, int d);

// True for a non-empty text of digits with at most one decimal point and at
// least one digit ("." and "1..2" are not numbers).
bool IsNumericText(std::string_view text);

// True for a whole number of at most ten characters, an optional leading
// minus included (the integer fields of the dialogs).
bool IsIntegerText(std::string_view text);

// The strict, locale-independent parser behind IsNumericText.
std::optional<double> ParseNumericText(std::string_view text);
