#pragma once
// Read-only settings file with Windows private-profile semantics: sections and
// keys are matched without regard to case, the first matching section and the
// first matching key in it win, values are cut to 259 characters and an empty
// value counts as missing. The file is never written.
//
// Encoding: a file with a UTF-8 or UTF-16 byte-order mark is read in that
// encoding; otherwise a file that is valid UTF-8 is read as UTF-8 and any
// other file as the ANSI code page (see platform/core/AnsiText.h). Plain ASCII
// files read the same either way.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace orv {

class CProfileFile {
public:
    // A value is read into a 260-unit buffer, so at most 259 units survive.
    static constexpr std::size_t kMaxValue = 259;
    // Larger files are read only up to this many bytes.
    static constexpr std::size_t kMaxFileBytes = 4u << 20;

    CProfileFile() = default;

    // Decodes and parses a whole file image. Never fails: odd lines are
    // skipped.
    static CProfileFile Parse(std::string_view bytes);

    // True when the key holds at least one character; `out` gets the value
    // (cut to kMaxValue) or is cleared.
    bool Read(std::u16string_view section, std::u16string_view key, std::u16string& out) const;

    // The value, or `def` (cut the same way) when the key is missing or empty.
    std::u16string GetString(std::u16string_view section, std::u16string_view key,
                             std::u16string_view def) const;

    // The value converted like _wtoi, or `def` when missing or empty.
    int32_t GetInt(std::u16string_view section, std::u16string_view key, int32_t def) const;

    bool HasSection(std::u16string_view section) const;
    // Section names in file order (first occurrence of each).
    std::vector<std::u16string> SectionNames() const;
    // Key names of the first matching section, in file order.
    std::vector<std::u16string> KeyNames(std::u16string_view section) const;

private:
    struct Entry {
        std::u16string key;
        std::u16string value;
    };
    struct Section {
        std::u16string name;
        std::vector<Entry> entries;
    };
    const Section* FindSection(std::u16string_view name) const;

    std::vector<Section> m_sections;
};

// Case-insensitive comparison used for section and key names (ASCII and
// Latin-1 letters fold).
bool ProfileNameEqual(std::u16string_view a, std::u16string_view b);

// Loads a settings file (path in the file system's encoding). A missing or
// unreadable file gives an empty profile, so every key falls back to its
// default. Results are cached per path and re-read when the file's size or
// modification time changes.
std::shared_ptr<const CProfileFile> LoadProfile(const std::string& path);

} // namespace orv
