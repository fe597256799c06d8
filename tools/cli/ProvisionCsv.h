#pragma once
// Comma-separated text as RFC 4180 writes it, split into records: cells
// separated by commas, records by CR LF (a lone LF is accepted too), a cell
// in double quotes may hold commas, line breaks and doubled quotes. Every
// record remembers the line it starts on, so a plan's faults can be named
// by line number.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace orvcli {

struct CsvRecord {
    int Line = 0;                   // 1 for the file's first line
    std::vector<std::string> Cells; // as written, quotes removed
    std::string Error;              // why the record does not parse; empty when it does
};

// Bounds on what one file may make the reader hold.
constexpr std::size_t kCsvMaxCellBytes = 1024;
constexpr std::size_t kCsvMaxCells = 64;

// The records of `text` in order, at most `maxRecords` (the rest is not
// read). Empty lines are skipped. A record that breaks the quoting rules, or
// holds a cell or a number of cells over the bounds above, keeps its line
// number and an Error; reading goes on with the next record.
std::vector<CsvRecord> ReadCsvRecords(std::string_view text, std::size_t maxRecords);

} // namespace orvcli
