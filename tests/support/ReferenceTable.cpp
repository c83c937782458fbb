#include "support/ReferenceTable.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace tlrx::test {

namespace {

bool Skipped(const std::string& line) { return line.empty() || line[0] == '#'; }

TableRow Split(const std::string& line, char separator) {
    TableRow fields;
    std::istringstream s(line);
    if (separator == ' ') {
        for (std::string field; s >> field;) fields.push_back(field);
    } else {
        for (std::string field; std::getline(s, field, separator);) fields.push_back(field);
    }
    return fields;
}

}  // namespace

double TableGroup::Param(std::string_view key, double absent) const {
    const auto it = params.find(key);
    return it == params.end() ? absent : Number(it->second);
}

std::pair<double, double> TableGroup::ParamPair(std::string_view key) const {
    const auto it = params.find(key);
    if (it == params.end()) return {0, 0};
    const size_t comma = it->second.find(',');
    return {Number(it->second.substr(0, comma)), Number(it->second.substr(comma + 1))};
}

std::vector<std::string> ReadTableLines(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) ADD_FAILURE() << "cannot read " << path;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

std::vector<TableRow> ReadTableRows(const std::string& path, char separator) {
    std::vector<TableRow> rows;
    for (const std::string& line : ReadTableLines(path))
        if (!Skipped(line)) rows.push_back(Split(line, separator));
    return rows;
}

std::vector<TableGroup> ReadTableGroups(const std::string& path, std::string_view keyword) {
    const std::string header = std::string(keyword) + " ";
    std::vector<TableGroup> groups;
    for (const std::string& line : ReadTableLines(path)) {
        if (Skipped(line)) continue;
        if (line.rfind(header, 0) == 0) {
            TableGroup g;
            g.header = line;
            std::istringstream s(line.substr(header.size()));
            s >> g.code;
            std::getline(s >> std::ws, g.rest);
            std::istringstream words(g.rest);
            for (std::string word; words >> word;) {
                const size_t eq = word.find('=');
                if (eq != std::string::npos) g.params[word.substr(0, eq)] = word.substr(eq + 1);
            }
            groups.push_back(std::move(g));
        } else if (groups.empty()) {
            ADD_FAILURE() << path << ": a row before the first \"" << keyword << "\" line: " << line;
        } else if (line.rfind("cmd ", 0) == 0) {
            groups.back().cmd += line.substr(4) + "\n";
        } else {
            groups.back().rows.push_back(Split(line, ' '));
        }
    }
    return groups;
}

double Number(const std::string& field) { return std::stod(field); }

}  // namespace tlrx::test
