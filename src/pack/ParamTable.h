// Key/value text tables: the one text format of every data file and user file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>

namespace glint {

// An ordered map of byte-string keys to byte-string values, ordered byte-wise. Parsed from
// whitespace-separated key and value tokens with optional double-quoted values and "//"
// comments; written back one "key value" line per entry in key order.
class ParamTable {
public:
    using Map = std::map<std::string, std::string>;

    // User files (settings, saved game, high scores) larger than this are not read.
    static constexpr std::uint64_t kMaxUserFileBytes = 1u << 20;

    // Parses bytes into the table, emptying it first when clearFirst is set. With a non-empty
    // key the bytes are unscrambled first; a scrambled buffer that is damaged adds nothing, so
    // every reader keeps its defaults. Malformed text never fails. Always returns true.
    bool loadFromBuffer(std::span<const std::uint8_t> bytes, bool clearFirst,
                        std::string_view key = {});

    // Reads a disk file whole and parses it as loadFromBuffer does. Returns false, leaving the
    // table unchanged, when the file cannot be opened or is larger than kMaxUserFileBytes.
    bool loadFromFile(const std::string& path, bool clearFirst, std::string_view key = {});

    // Writes the whole table (scrambled when a key is given). The file is replaced only once
    // the new content is safely on disk; returns false when anything failed, and then the
    // previous file is left as it was.
    bool save(const std::string& path, std::string_view key = {}) const;

    // The written form: one line per entry in key order, "key value\n". A value holding a
    // space is put between double quotes, and so is an empty value (an empty unquoted value
    // would let the next key be read as this key's value).
    std::string text() const;

    // The value of key, or defaultValue when the key is absent. Never inserts.
    std::string get(const std::string& key, const std::string& defaultValue) const;
    // The value of key read by toInt, the text defaultValue standing in when it is absent.
    int getInt(const std::string& key, const std::string& defaultValue = "0") const;
    void set(const std::string& key, const std::string& value);
    // The value for modification; an absent key is inserted with an empty value.
    std::string& operator[](const std::string& key);
    void clear() { entries_.clear(); }

    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    Map::const_iterator begin() const { return entries_.begin(); }
    Map::const_iterator end() const { return entries_.end(); }

    // Decimal integer at the start of text (leading white space, optional sign, digits);
    // clamped to the int range; 0 when text does not begin with a number.
    static int toInt(std::string_view text);
    // Floating-point number at the start of text; 0 when there is none or it is not finite.
    static float toFloat(std::string_view text);
    // The textual form numbers are stored in ("%i").
    static std::string fromInt(int value);

private:
    void parse(std::string text);

    Map entries_;
};

}  // namespace glint
