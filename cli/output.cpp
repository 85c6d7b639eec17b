// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: the planewall authors

#include "output.h"

#include "arguments.h"

#include <cstdio>
#include <ostream>
#include <stdexcept>

namespace planewall::cli {

Table::Table(Format format, int precision, std::vector<std::string> header)
    : m_separator(format == Format::Csv ? ',' : '\t'), m_precision(precision),
      m_header(std::move(header))
{ }

void Table::row(std::vector<std::string> cells)
{
    // A ragged row would shift every later column under the wrong name.
    if (cells.size() != m_header.size())
        throw std::logic_error("a table row with another number of cells than its header");
    m_rows.push_back(std::move(cells));
}

void Table::row(const Record &record)
{
    std::vector<std::string> keys, cells;
    for (const auto &[key, value] : record.values) {
        keys.push_back(key);
        cells.push_back(std::holds_alternative<double>(value) ? number(std::get<double>(value))
                                                              : std::get<std::string>(value));
    }
    if (m_header.empty() && m_rows.empty())
        m_header = keys;
    else if (keys != m_header)
        throw std::logic_error("a table row with other columns than its header");
    m_rows.push_back(std::move(cells));
}

nlohmann::ordered_json Record::json() const
{
    nlohmann::ordered_json object = nlohmann::ordered_json::object();
    for (const auto &[key, value] : values) {
        if (std::holds_alternative<double>(value))
            object[key] = std::get<double>(value);
        else
            object[key] = std::get<std::string>(value);
    }
    return object;
}

std::string Table::number(double value) const
{
    char text[40];
    std::snprintf(text, sizeof text, "%.*g", m_precision, value == 0 ? 0.0 : value);
    return text;
}

std::string Table::line(const std::vector<std::string> &cells) const
{
    std::string text;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            text += m_separator;
        const std::string &cell = cells[i];
        if (m_separator != ',' || cell.find_first_of(",\"\n") == std::string::npos) {
            text += cell;
            continue;
        }
        text += '"';
        for (const char c : cell)
            text += c == '"' ? std::string("\"\"") : std::string(1, c);
        text += '"';
    }
    return text + '\n';
}

void Table::write(std::ostream &out) const
{
    out << line(m_header);
    for (const auto &cells : m_rows)
        out << line(cells);
}

void OutputOptions::addTo(CLI::App &app)
{
    app.add_option("--precision", precision,
                   "significant digits in tables, 1 to 17 (10); 17 for round-trip values");
    app.add_flag("--csv", csv, "comma-separated values, for spreadsheets");
    app.add_flag("--json", json, "one JSON object, every number at full precision");
}

Format OutputOptions::format() const
{
    if (csv && json)
        throw UsageProblem{"--json and --csv: give one of them"};
    return json ? Format::Json : csv ? Format::Csv : Format::Tsv;
}

int OutputOptions::digits() const
{
    return precision.empty() ? 10 : wholeNumber("--precision", precision, 1, 17);
}

void writeJson(std::ostream &out, const nlohmann::ordered_json &object)
{
    out << object.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

} // namespace planewall::cli
