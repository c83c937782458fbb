#pragma once
// The one reader of the reference tables in the tests' fixtures folders: the
// outside references' points, scale factors and projection cases, and the
// recorded outputs. A table is lines of text; "#" starts a comment line and
// blank lines are skipped. A grouped table starts each group with a header
// "<keyword> <code> <rest>" whose rest holds key=value words (or a name),
// may follow it with "cmd <command>" lines (how the outside reference made
// the group), and gives the group's rows after them. A file that cannot be
// read is a test failure, never an empty table that passes.

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tlrx::test {

// A row: its fields, split at white space or at the given separator.
using TableRow = std::vector<std::string>;

struct TableGroup {
    std::string header;  // the whole header line
    int code = 0;
    std::string rest;                                        // the header after the code, trimmed
    std::map<std::string, std::string, std::less<>> params;  // the key=value words of rest
    std::string cmd;                                         // the commands, one a line, without "cmd "
    std::vector<TableRow> rows;

    // The number of key, or absent where the header has no such word.
    double Param(std::string_view key, double absent) const;
    bool Has(std::string_view key) const { return params.find(key) != params.end(); }
    // The two numbers of "key=a,b"; {0, 0} where the header has no such word.
    std::pair<double, double> ParamPair(std::string_view key) const;
};

// Every line of the file as stored (no line is skipped); empty, with a test
// failure, when it cannot be read.
std::vector<std::string> ReadTableLines(const std::string& path);

// The rows of a table without groups.
std::vector<TableRow> ReadTableRows(const std::string& path, char separator = ' ');

// The groups of a table whose headers start with keyword ("map", "case").
std::vector<TableGroup> ReadTableGroups(const std::string& path, std::string_view keyword);

// A field as a number.
double Number(const std::string& field);

}  // namespace tlrx::test
