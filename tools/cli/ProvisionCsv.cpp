#include "ProvisionCsv.h"

namespace orvcli {

namespace {

class CsvScanner {
public:
    explicit CsvScanner(std::string_view text) : m_Text(text)
    {
        // A byte-order mark some editors write before UTF-8 text.
        if (m_Text.substr(0, 3) == "\xEF\xBB\xBF")
            m_Pos = 3;
    }

    bool AtEnd() const { return m_Pos >= m_Text.size(); }

    // One record; false for an empty line (nothing to report).
    bool Next(CsvRecord& rec)
    {
        rec = CsvRecord{};
        rec.Line = m_Line;
        std::string cell;
        bool quoted = false;    // inside a quoted cell
        bool wasQuoted = false; // the current cell was quoted and is closed
        while (!AtEnd()) {
            const char c = m_Text[m_Pos++];
            if (quoted) {
                if (c == '"') {
                    if (!AtEnd() && m_Text[m_Pos] == '"') {
                        ++m_Pos;
                        cell += '"';
                    } else {
                        quoted = false;
                        wasQuoted = true;
                    }
                    continue;
                }
                if (c == '\n')
                    ++m_Line;
                cell += c;
            } else if (c == ',') {
                if (!Push(rec, cell))
                    return Fail(rec, rec.Error);
                wasQuoted = false;
            } else if (c == '\r' || c == '\n') {
                EndLine(c);
                break;
            } else if (wasQuoted) {
                return Fail(rec, "text follows a closing quote");
            } else if (c == '"') {
                if (!cell.empty())
                    return Fail(rec, "a quote inside a cell that does not start with one");
                quoted = true;
            } else {
                cell += c;
            }
            if (cell.size() > kCsvMaxCellBytes)
                return Fail(rec, "a cell is longer than " + std::to_string(kCsvMaxCellBytes) + " bytes");
        }
        if (quoted) {
            rec.Error = "a quoted cell is not closed";
            return true;
        }
        if (rec.Cells.empty() && cell.empty() && !wasQuoted)
            return false;
        Push(rec, cell);
        return true;
    }

private:
    bool Push(CsvRecord& rec, std::string& cell)
    {
        if (rec.Cells.size() >= kCsvMaxCells) {
            rec.Error = "more than " + std::to_string(kCsvMaxCells) + " cells";
            return false;
        }
        rec.Cells.push_back(std::move(cell));
        cell.clear();
        return true;
    }

    void EndLine(char c)
    {
        if (c == '\r' && !AtEnd() && m_Text[m_Pos] == '\n')
            ++m_Pos;
        ++m_Line;
    }

    // The rest of the physical line belongs to the broken record: skip it
    // (its quoting can no longer be trusted) and go on with the next line.
    bool Fail(CsvRecord& rec, const std::string& why)
    {
        rec.Error = why;
        rec.Cells.clear();
        while (!AtEnd()) {
            const char c = m_Text[m_Pos++];
            if (c == '\r' || c == '\n') {
                EndLine(c);
                break;
            }
        }
        return true;
    }

    std::string_view m_Text;
    std::size_t m_Pos = 0;
    int m_Line = 1;
};

} // namespace

std::vector<CsvRecord> ReadCsvRecords(std::string_view text, std::size_t maxRecords)
{
    std::vector<CsvRecord> out;
    CsvScanner scanner(text);
    CsvRecord rec;
    while (!scanner.AtEnd() && out.size() < maxRecords) {
        if (scanner.Next(rec))
            out.push_back(std::move(rec));
    }
    return out;
}

} // namespace orvcli
