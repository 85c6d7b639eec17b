// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "readings.h"

#include "problem.h"
#include "quantity.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>

namespace planewall {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char lowered(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return lowered(x) == lowered(y); });
}

std::string quoted(std::string_view text)
{
    return "'" + echoed(text) + "'";
}

std::string shortest(double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

[[noreturn]] void fail(std::size_t line, const std::string &message)
{
    throw ReadingsError(line, message);
}

struct Line
{
    std::size_t number;
    std::string_view text;
};

// The lines of the text, each without its end (LF, CR LF or CR).
std::vector<Line> splitLines(std::string_view text)
{
    std::vector<Line> lines;
    std::size_t number = 1, start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\n' && text[i] != '\r')
            continue;
        lines.push_back({number++, text.substr(start, i - start)});
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back({number, text.substr(start)});
    return lines;
}

// A text, not a binary file: no NUL and no control byte but tab and the line ends. Bytes above
// 0x7F are left alone, so that a heading in Latin-1 ("T [\xB0C]") is still read.
void requireText(std::string_view text)
{
    std::size_t line = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\n' || (c == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
            ++line;
            continue;
        }
        if ((c < 0x20 && c != '\t' && c != '\r') || c == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02x", c);
            fail(line,
                 std::string("the file is not text: it holds the byte ") + hex
                     + "; readings are a text of comma- or tab-separated numbers");
        }
    }
}

// The cells of a line, split at the separator; a cell in double quotes may hold the separator,
// and "" in it is one quote.
std::vector<std::string> splitCells(const Line &line, char separator)
{
    std::vector<std::string> cells;
    std::string cell;
    const std::string_view text = line.text;
    std::size_t i = 0;
    for (;;) {
        // Blanks before a quote belong to no cell.
        std::size_t j = i;
        while (j < text.size() && isBlank(text[j]) && text[j] != separator)
            ++j;
        if (j < text.size() && text[j] == '"') {
            cell.clear();
            for (i = j + 1;; ++i) {
                if (i == text.size())
                    fail(line.number, "a quote (\") is not closed on this line");
                if (text[i] != '"') {
                    cell += text[i];
                } else if (i + 1 < text.size() && text[i + 1] == '"') {
                    cell += '"';
                    ++i;
                } else {
                    break;
                }
            }
            ++i;
            while (i < text.size() && isBlank(text[i]) && text[i] != separator)
                ++i;
            if (i < text.size() && text[i] != separator)
                fail(line.number, "text follows a quoted cell before the next separator");
        } else {
            const std::size_t end = std::min(text.find(separator, i), text.size());
            cell.assign(text.substr(i, end - i));
            i = end;
        }
        cells.push_back(cell);
        if (i >= text.size())
            return cells;
        ++i; // the separator
    }
}

// Cells up to the last one that is not empty.
std::size_t filledCells(const std::vector<std::string> &cells)
{
    std::size_t count = cells.size();
    while (count > 0 && trimmed(cells[count - 1]).empty())
        --count;
    return count;
}

bool isNumber(std::string_view cell)
{
    try {
        parseNumber(cell);
        return true;
    } catch (const QuantityError &) {
        return false;
    }
}

// "0,5" or "-12,75": a number written with a decimal comma.
bool hasDecimalComma(std::string_view cell)
{
    cell = trimmed(cell);
    if (!cell.empty() && (cell.front() == '-' || cell.front() == '+'))
        cell.remove_prefix(1);
    const std::size_t comma = cell.find(',');
    if (comma == std::string_view::npos || comma == 0 || comma + 1 == cell.size())
        return false;
    const auto digits = [](std::string_view part) {
        return part.find_first_not_of("0123456789") == std::string_view::npos;
    };
    return digits(cell.substr(0, comma)) && digits(cell.substr(comma + 1));
}

constexpr std::string_view kDecimalCommaHelp
    = "the decimal point must be '.': convert the file with  sed 's/,/./g' FILE > NEW  (for a "
      "tab-separated file)";

constexpr std::string_view kCommasInCsvHelp
    = "if the numbers have decimal commas, they cannot be told from the separators: save the "
      "file again with '.' as the decimal point, or with semicolons between the values and "
      "convert it with  sed 's/,/./g; s/;/,/g' FILE > NEW.csv";

constexpr std::string_view kSemicolonHelp
    = "the file is separated by semicolons, as spreadsheets write CSV where the decimal "
      "separator is a comma; save it with commas (or tabs) between the values and '.' as the "
      "decimal point, or convert it with  sed 's/,/./g; s/;/,/g' FILE > NEW.csv";

// A cell's number, or a ReadingsError on its line that says which cell it is.
double cellNumber(const Line &line, const std::string &cell, std::string_view what,
                  std::size_t column)
{
    const std::string where = std::string(what) + " (column " + std::to_string(column + 1) + ")";
    if (trimmed(cell).empty())
        fail(line.number, where + " is empty");
    if (hasDecimalComma(cell))
        fail(line.number,
             where + " " + quoted(cell) + " has a decimal comma; "
                 + std::string(kDecimalCommaHelp));
    try {
        return parseNumber(cell);
    } catch (const QuantityError &error) {
        fail(line.number, where + ": " + error.what());
    }
}

// A heading split into its name and the unit it gives: "t [min]", "Time (s)", "T/K" is not
// read as a unit.
struct Heading
{
    std::string_view name;
    std::string_view unit; // the text in the brackets, "" when none
    bool bracketed = false; // in [...], which always means a unit
    bool parenthesized = false; // in (...), which is a unit only when it is one
};

Heading splitHeading(std::string_view heading)
{
    heading = trimmed(heading);
    Heading h{heading, {}, false, false};
    if (heading.empty())
        return h;
    const char close = heading.back();
    if (close != ']' && close != ')')
        return h;
    const std::size_t open = heading.rfind(close == ']' ? '[' : '(');
    if (open == std::string_view::npos)
        return h;
    h.name = trimmed(heading.substr(0, open));
    h.unit = trimmed(heading.substr(open + 1, heading.size() - open - 2));
    h.bracketed = close == ']';
    h.parenthesized = close == ')';
    return h;
}

// The unit of a quantity a heading's unit text names: the table's symbols, "°C" and "°F" in
// UTF-8 or Latin-1 (0xB0).
const Unit *findUnit(Quantity quantity, std::string_view symbol)
{
    std::string spelled(symbol);
    for (const std::string_view degree : {std::string_view("\u00B0"), std::string_view("\xB0")}) {
        if (spelled.starts_with(degree) && spelled.size() == degree.size() + 1)
            spelled = spelled.substr(degree.size());
    }
    for (const Unit &unit : unitsOf(quantity)) {
        if (unit.symbol == spelled)
            return &unit;
    }
    return nullptr;
}

// The unit a used column's heading gives, nullptr when it gives none.
const Unit *headingUnit(const Line &line, std::string_view heading, Quantity quantity)
{
    const Heading h = splitHeading(heading);
    if (h.unit.empty() && !h.bracketed)
        return nullptr;
    if (const Unit *unit = findUnit(quantity, h.unit))
        return unit;
    if (h.parenthesized)
        return nullptr; // "Temperature (thermocouple 1)": a remark, not a unit
    fail(line.number,
         quoted(h.unit) + " in the heading " + quoted(trimmed(heading)) + " is not a unit of "
             + std::string(quantityName(quantity)) + " (accepted: " + acceptedUnits(quantity)
             + ")");
}

// A column named by number ("2") or by heading.
struct ColumnChoice
{
    std::optional<std::size_t> index; // from 0
    std::string name; // when named by heading
};

ColumnChoice columnChoice(const std::string &text, std::size_t byDefault, std::string_view what)
{
    const std::string_view choice = trimmed(text);
    if (choice.empty())
        return {byDefault, {}};
    if (choice.find_first_not_of("0123456789") == std::string_view::npos) {
        std::size_t number = 0;
        const auto result = std::from_chars(choice.data(), choice.data() + choice.size(), number);
        if (result.ec != std::errc() || number == 0)
            fail(0,
                 "the " + std::string(what) + " column " + quoted(choice)
                     + " is not a column number: columns count from 1");
        return {number - 1, {}};
    }
    return {std::nullopt, std::string(choice)};
}

// The column under a heading: matched whole ("T [C]") or by its name ("T"), with letter case
// first and then ignoring it, so that "t" and "T" can head two columns.
std::size_t findColumn(const Line &header, const std::vector<std::string> &headings,
                       const std::string &name, std::string_view what)
{
    for (const bool ignoreCase : {false, true}) {
        const auto same = [&](std::string_view a) {
            return ignoreCase ? equalIgnoringCase(a, name) : a == name;
        };
        std::optional<std::size_t> found;
        for (std::size_t i = 0; i < headings.size(); ++i) {
            const std::string_view whole = trimmed(headings[i]);
            if (!same(whole) && !same(splitHeading(whole).name))
                continue;
            if (found)
                fail(header.number,
                     "the " + std::string(what) + " column " + quoted(name)
                         + " matches both column " + std::to_string(*found + 1) + " and column "
                         + std::to_string(i + 1));
            found = i;
        }
        if (found)
            return *found;
    }
    // The first few headings: a header of thousands of columns makes no message.
    constexpr std::size_t kListed = 8;
    std::string list;
    for (std::size_t i = 0; i < std::min(headings.size(), kListed); ++i) {
        list += list.empty() ? "" : ", ";
        list += quoted(trimmed(headings[i]));
    }
    if (headings.size() > kListed)
        list += " and " + std::to_string(headings.size() - kListed) + " more";
    fail(header.number, "no column is headed " + quoted(name) + " (the headings are " + list + ")");
}

std::string_view timeUnitSymbol(const std::string &text)
{
    if (text.empty())
        return unitsOf(Quantity::Time).front().symbol;
    if (const Unit *unit = findUnit(Quantity::Time, text))
        return unit->symbol;
    fail(0,
         quoted(text) + " is not a unit of time (accepted: " + acceptedUnits(Quantity::Time) + ")");
}

} // namespace

Readings readReadings(std::string_view text, const ReadOptions &options)
{
    if (text.size() > kMaxReadingsBytes)
        fail(0,
             "the file is larger than " + std::to_string(kMaxReadingsBytes >> 20)
                 + " MB: too big for a file of readings");
    if (text.starts_with("\xFF\xFE") || text.starts_with("\xFE\xFF"))
        fail(1, "the file is UTF-16 text: save it as UTF-8 (or ASCII) text");
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    requireText(text);

    std::vector<Line> lines;
    for (const Line &line : splitLines(text)) {
        const std::string_view content = trimmed(line.text);
        if (!content.empty() && content.front() != '#')
            lines.push_back(line);
    }
    if (lines.empty())
        fail(0,
             text.empty() ? "the file is empty"
                          : "the file holds no readings, only empty lines and comments");

    const Line &first = lines.front();
    const bool tabs = first.text.find('\t') != std::string_view::npos;
    if (!tabs && first.text.find(';') != std::string_view::npos)
        fail(first.number, std::string(kSemicolonHelp));
    Readings readings;
    readings.separator = tabs ? '\t' : ',';

    const ColumnChoice timeChoice = columnChoice(options.timeColumn, 0, "time");
    const ColumnChoice temperatureChoice
        = columnChoice(options.temperatureColumn, 1, "temperature");
    readings.timeUnit = timeUnitSymbol(options.timeUnit);

    const std::vector<std::string> firstCells = splitCells(first, readings.separator);
    const std::size_t probe = timeChoice.index.value_or(0);
    const bool header = !timeChoice.index || !temperatureChoice.index || probe >= firstCells.size()
        || !isNumber(firstCells[probe]);

    std::size_t timeColumn = timeChoice.index.value_or(0);
    std::size_t temperatureColumn = temperatureChoice.index.value_or(1);
    std::size_t widest = filledCells(firstCells); // the most cells a line should have
    if (header) {
        if (!timeChoice.index)
            timeColumn = findColumn(first, firstCells, timeChoice.name, "time");
        if (!temperatureChoice.index)
            temperatureColumn
                = findColumn(first, firstCells, temperatureChoice.name, "temperature");
        for (const std::size_t column : {timeColumn, temperatureColumn}) {
            if (column >= firstCells.size())
                fail(first.number,
                     "there is no column " + std::to_string(column + 1) + ": the header has "
                         + std::to_string(firstCells.size())
                         + "; readings are separated by commas or tabs");
        }
        widest = std::max(widest, std::max(timeColumn, temperatureColumn) + 1);
    }
    if (timeColumn == temperatureColumn)
        fail(0, "the time and the temperature are both column " + std::to_string(timeColumn + 1));

    if (header) {
        readings.timeHeading = trimmed(firstCells[timeColumn]);
        readings.temperatureHeading = trimmed(firstCells[temperatureColumn]);
        if (const Unit *unit = headingUnit(first, firstCells[timeColumn], Quantity::Time)) {
            if (!options.timeUnit.empty() && unit->symbol != readings.timeUnit)
                fail(first.number,
                     "the heading " + quoted(readings.timeHeading) + " gives "
                         + std::string(unit->symbol) + ", and the time unit " + "asked for is "
                         + std::string(readings.timeUnit));
            readings.timeUnit = unit->symbol;
        }
        if (const Unit *unit
            = headingUnit(first, firstCells[temperatureColumn], Quantity::Temperature))
            readings.temperatureUnit = unit->symbol;
    } else {
        readings.timeHeading = "column " + std::to_string(timeColumn + 1);
        readings.temperatureHeading = "column " + std::to_string(temperatureColumn + 1);
    }
    const Unit *timeUnit = findUnit(Quantity::Time, readings.timeUnit);
    const std::string headerWhat = header ? "the header" : "line " + std::to_string(first.number);

    const std::size_t needed = std::max(timeColumn, temperatureColumn) + 1;
    for (std::size_t i = header ? 1 : 0; i < lines.size(); ++i) {
        const Line &line = lines[i];
        const std::vector<std::string> cells = splitCells(line, readings.separator);
        const std::size_t filled = filledCells(cells);
        if (filled == 0)
            continue; // ",,," as spreadsheets write an empty row
        if (filled > widest)
            fail(line.number,
                 "the line has " + std::to_string(filled) + " cells where " + headerWhat + " has "
                     + std::to_string(widest) + "; "
                     + std::string(readings.separator == ','
                                       ? kCommasInCsvHelp
                                       : "if the numbers have decimal commas, "
                                           + std::string(kDecimalCommaHelp)));
        if (cells.size() < needed) {
            const bool noTime = cells.size() <= timeColumn;
            fail(line.number,
                 std::string(noTime ? "the time" : "the temperature") + " (column "
                     + std::to_string((noTime ? timeColumn : temperatureColumn) + 1)
                     + ") is missing: the line has " + std::to_string(cells.size())
                     + (cells.size() == 1 ? " cell" : " cells") + "; readings are separated by "
                     + (readings.separator == '\t' ? "tabs" : "commas"));
        }
        const double written = cellNumber(line, cells[timeColumn], "the time", timeColumn);
        const double T
            = cellNumber(line, cells[temperatureColumn], "the temperature", temperatureColumn);
        const double t = toSi(written, *timeUnit);
        if (!std::isfinite(t))
            fail(line.number,
                 "the time " + quoted(trimmed(cells[timeColumn]))
                     + " is beyond the range of numbers in s");
        if (!readings.rows.empty() && !(t > readings.rows.back().t)) {
            const Reading &previous = readings.rows.back();
            fail(line.number,
                 "the time " + quoted(trimmed(cells[timeColumn]))
                     + " is not after the time on line " + std::to_string(previous.line)
                     + ": times must increase strictly");
        }
        if (readings.rows.size() == kMaxReadings)
            fail(line.number,
                 "more than " + std::to_string(kMaxReadings)
                     + " readings: thin them out (every tenth line, say) to fit h");
        readings.rows.push_back({t, T, line.number});
    }
    if (readings.rows.empty())
        fail(first.number, "the file has a header line but no readings");
    return readings;
}

Selection selectReadings(std::span<const Reading> readings, double t0, double from, double to)
{
    Selection selection;
    for (const Reading &r : readings) {
        const double t = r.t - t0;
        if (t < 0 || t < from)
            ++selection.beforeStart;
        else if (t > to)
            ++selection.afterEnd;
        else
            selection.rows.push_back({t, r.T, r.line});
    }
    return selection;
}

double toProblemScale(const Reading &reading, std::string_view unit, std::string_view scale)
{
    if (!unit.empty() && reading.T < absoluteZero(unit))
        fail(reading.line,
             "the temperature " + shortest(reading.T) + " " + std::string(unit)
                 + " is below absolute zero");
    return toScale(reading.T, unit, scale);
}

void checkReadings(std::span<const Reading> readings, double tI, double tInf, int parameters,
                   std::string_view unit)
{
    const std::size_t needed = static_cast<std::size_t>(parameters) + 2;
    if (readings.size() < needed) {
        std::string message = "only " + std::to_string(readings.size())
            + (readings.size() == 1 ? " reading is" : " readings are") + " left to fit";
        if (!readings.empty())
            message += " (lines " + std::to_string(readings.front().line) + " to "
                + std::to_string(readings.back().line) + ")";
        message += "; fitting " + std::string(parameters == 1 ? "h" : "h and a property")
            + " needs at least " + std::to_string(needed);
        fail(readings.empty() ? 0 : readings.back().line, message);
    }
    const double low = std::min(tI, tInf), high = std::max(tI, tInf);
    const double slack = kRangeSlack * (high - low);
    for (const Reading &r : readings) {
        if (r.T >= low - slack && r.T <= high + slack)
            continue;
        fail(r.line,
             "the temperature " + formatTemperature(r.T, unit) + " lies outside the range from "
                 + formatTemperature(low, unit) + " to " + formatTemperature(high, unit)
                 + " (between Ti and T\u221E) by more than 2% of |Ti - T\u221E|");
    }
}

} // namespace planewall
