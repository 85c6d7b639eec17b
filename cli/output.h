// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#pragma once

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <iosfwd>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace planewall::cli {

// How a subcommand writes its results: tab-separated (the default), comma-separated for
// spreadsheets, or one JSON object.
enum class Format { Tsv, Csv, Json };

// One row of results: each value under its key, for a table and for JSON alike, so that a
// column's name and its values cannot part company.
struct Record
{
    std::vector<std::pair<std::string, std::variant<double, std::string>>> values;

    void add(std::string key, double value) { values.emplace_back(std::move(key), value); }
    void add(std::string key, std::string text) { values.emplace_back(std::move(key), text); }
    nlohmann::ordered_json json() const;
};

// Rows of cells under a header, every row as many cells as the header. Numbers have `precision`
// significant digits; a negative zero shows as 0.
class Table
{
public:
    Table(Format format, int precision, std::vector<std::string> header);
    // A table whose header is the keys of its first record.
    Table(Format format, int precision) : Table(format, precision, {}) { }

    void row(std::vector<std::string> cells);
    // The record's values under its keys, which must be the header's, in its order.
    void row(const Record &record);
    std::string number(double value) const;
    // Writes the header and the rows; several tables are separated by an empty line.
    void write(std::ostream &out) const;

private:
    std::string line(const std::vector<std::string> &cells) const;

    char m_separator;
    int m_precision;
    std::vector<std::string> m_header;
    std::vector<std::vector<std::string>> m_rows;
};

// --csv, --json and --precision, which every subcommand takes.
struct OutputOptions
{
    bool csv = false, json = false;
    std::string precision;

    void addTo(CLI::App &app);
    // The format asked for; --csv with --json is a UsageProblem.
    Format format() const;
    // --precision, 1 to 17, 10 when not given.
    int digits() const;
};

// One JSON object on its own line, numbers at full precision (NaN and infinities as null).
void writeJson(std::ostream &out, const nlohmann::ordered_json &object);

} // namespace planewall::cli
