// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include <cstddef>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace planewall {

// Temperature readings in time, as a thermocouple's logger or a spreadsheet writes them: a text
// of comma- or tab-separated values, one reading a line, optionally under one header line whose
// headings may carry units ("t [min]", "T [C]", "Time (s)").

// One reading: a time, a temperature and the line of the file it is on.
struct Reading
{
    double t; // s
    double T; // as the file gives it, in Readings::temperatureUnit
    std::size_t line; // counted from 1, as an editor shows it
};

struct Readings
{
    std::vector<Reading> rows; // in the file's order, times strictly increasing
    // The headings of the two columns read ("t [min]"), or "column 1" and "column 2" without a
    // header line.
    std::string timeHeading, temperatureHeading;
    std::string_view timeUnit; // what the file's times were read in: "s", "min" or "h"
    // "C", "K" or "F" when the heading names one, "" when the temperatures are plain numbers.
    std::string_view temperatureUnit;
    char separator = ','; // ',' or '\t'
};

// Which columns hold the time and the temperature, and the unit of plain times.
struct ReadOptions
{
    // A heading ("T", or "T [C]" written out) or a column number counted from 1; empty for
    // the first and the second column. A heading matches ignoring ASCII letter case, with or
    // without its unit.
    std::string timeColumn, temperatureColumn;
    // "s", "min" or "h": the unit of the times when their heading names none; empty for s. A
    // heading that names another unit is an error.
    std::string timeUnit;
};

// A file that cannot be read as readings, or readings that cannot be fitted: what() says why
// without the file's name; line() is the line it is about, 0 when it is about the file as a
// whole. Everything of the file that a message shows, it shows as echoed() does.
class ReadingsError : public std::runtime_error
{
public:
    ReadingsError(std::size_t line, const std::string &message)
        : std::runtime_error(message), m_line(line)
    { }
    std::size_t line() const noexcept { return m_line; }

private:
    std::size_t m_line;
};

// The most a file of readings may hold, and the most readings it may have: more is not taken
// for readings (a million is eleven days at one a second).
inline constexpr std::size_t kMaxReadingsBytes = std::size_t{64} << 20;
inline constexpr std::size_t kMaxReadings = 1'000'000;

// Reads readings from the whole text of a file. Lines end in LF, CR LF or CR; a UTF-8 byte-order
// mark is skipped; empty lines, lines of empty cells and lines starting with '#' are skipped.
// The separator is a tab when the first line has one, a comma otherwise; cells may be quoted
// ("..." with "" for a quote). The first line is a header when its time cell is not a number.
// Cells are strict plain numbers ('.' as the decimal point, no unit, no inf or nan). Times
// must increase strictly. Everything else is a ReadingsError: no readings, too many, a text that is
// not text (NUL or control bytes, UTF-16), semicolons or decimal commas (with how to convert),
// a missing or empty cell, a cell that is not a number, a unit in a heading that is not one of
// its quantity's, a column that is not there. A file whose first line has a header needs none
// of its data lines to have more cells than the header, which a decimal comma would give.
Readings readReadings(std::string_view text, const ReadOptions &options = {});

// The readings from the moment `t0` (the file's time at which the wall met the fluid): times
// counted from it, and only those from `from` to `to` in that time (both included). Readings
// before t0 are always left out: the wall was not in the fluid yet.
struct Selection
{
    std::vector<Reading> rows;
    std::size_t beforeStart = 0; // left out as before t0 or before `from`
    std::size_t afterEnd = 0; // left out as after `to`
};
Selection selectReadings(std::span<const Reading> readings, double t0, double from, double to);

// The temperature `value` written in the file's `unit` in the problem's scale `scale` ("" for
// the unnamed one); a value below absolute zero in its unit is a ReadingsError on its line.
double toProblemScale(const Reading &reading, std::string_view unit, std::string_view scale);

// The checks that need the problem: at least parameters + 2 readings, and every temperature
// within [min(Ti, T∞), max(Ti, T∞)] widened by 2% of |Ti - T∞| on each side. `unit` is the
// scale, for messages. A ReadingsError on the first reading outside.
void checkReadings(std::span<const Reading> readings, double tI, double tInf, int parameters,
                   std::string_view unit);

// How far beyond [min(Ti, T∞), max(Ti, T∞)] a reading may lie, as a share of |Ti - T∞|: about
// what a thermocouple's calibration and the logger's noise leave.
inline constexpr double kRangeSlack = 0.02;

} // namespace planewall
