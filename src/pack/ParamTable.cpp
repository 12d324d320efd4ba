// Key/value text tables: the one text format of every data file and user file.
#include "pack/ParamTable.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "pack/FileIo.h"
#include "persist/SaveFileScrambler.h"

namespace glint {

namespace {

bool isSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Every "//" starts a comment up to (not including) the next LF, even inside a quoted value.
void blankComments(std::string& text) {
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (text[i - 1] == '/' && text[i] == '/') {
            std::size_t j = i - 1;
            while (j < text.size() && text[j] != '\n') {
                text[j++] = ' ';
            }
            i = j + 1;  // resume after the LF
        }
    }
}

}  // namespace

void ParamTable::parse(std::string text) {
    blankComments(text);
    const std::size_t length = text.size();
    std::size_t p = 0;
    auto skipSeparators = [&] {
        while (p < length && isSeparator(text[p])) {
            ++p;
        }
    };
    while (p < length) {
        skipSeparators();
        std::size_t keyStart = p;
        while (p < length && !isSeparator(text[p])) {
            ++p;
        }
        if (p == keyStart) {
            break;  // only separators were left
        }
        std::string key = text.substr(keyStart, p - keyStart);
        skipSeparators();
        std::string value;
        if (p < length && text[p] == '"') {
            ++p;
            std::size_t close = text.find('"', p);
            std::size_t end = close == std::string::npos ? length : close;
            value = text.substr(p, end - p);
            // An unterminated quote runs to the end of the buffer, and no further.
            p = close == std::string::npos ? length : close + 1;
        } else {
            std::size_t valueStart = p;
            while (p < length && !isSeparator(text[p])) {
                ++p;
            }
            value = text.substr(valueStart, p - valueStart);
        }
        (*this)[key] = std::move(value);
    }
}

bool ParamTable::loadFromBuffer(std::span<const std::uint8_t> bytes, bool clearFirst,
                                std::string_view key) {
    if (clearFirst) {
        clear();
    }
    if (key.empty()) {
        parse(std::string(bytes.begin(), bytes.end()));
        return true;
    }
    if (std::optional<Bytes> plain = SaveFileScrambler::unscramble(bytes, key)) {
        parse(std::string(plain->begin(), plain->end()));
    }
    return true;
}

bool ParamTable::loadFromFile(const std::string& path, bool clearFirst, std::string_view key) {
    std::optional<Bytes> bytes = readWholeFile(path, kMaxUserFileBytes);
    if (!bytes) {
        return false;
    }
    return loadFromBuffer(*bytes, clearFirst, key);
}

std::string ParamTable::text() const {
    std::string out;
    for (const auto& [key, value] : entries_) {
        out += key;
        out += ' ';
        if (value.empty() || value.find(' ') != std::string::npos) {
            out += '"';
            out += value;
            out += '"';
        } else {
            out += value;
        }
        out += '\n';
    }
    return out;
}

bool ParamTable::save(const std::string& path, std::string_view key) const {
    std::string plain = text();
    std::span<const std::uint8_t> plainBytes(reinterpret_cast<const std::uint8_t*>(plain.data()),
                                             plain.size());
    if (key.empty()) {
        return writeFileAtomically(path, plainBytes);
    }
    return writeFileAtomically(path, SaveFileScrambler::scramble(plainBytes, key));
}

std::string ParamTable::get(const std::string& key, const std::string& defaultValue) const {
    auto it = entries_.find(key);
    return it == entries_.end() ? defaultValue : it->second;
}

void ParamTable::set(const std::string& key, const std::string& value) {
    (*this)[key] = value;
}

std::string& ParamTable::operator[](const std::string& key) {
    return entries_[key];
}

int ParamTable::getInt(const std::string& key, const std::string& defaultValue) const {
    return toInt(get(key, defaultValue));
}

int ParamTable::toInt(std::string_view text) {
    // strtol needs a terminator; the copy also stops at an embedded NUL, as a scan would.
    std::string copy(text);
    errno = 0;
    long long value = std::strtoll(copy.c_str(), nullptr, 10);
    if (value > INT_MAX) {
        return INT_MAX;
    }
    if (value < INT_MIN) {
        return INT_MIN;
    }
    return static_cast<int>(value);
}

float ParamTable::toFloat(std::string_view text) {
    std::string copy(text);
    float value = std::strtof(copy.c_str(), nullptr);
    return std::isfinite(value) ? value : 0.0f;
}

std::string ParamTable::fromInt(int value) {
    return std::to_string(value);
}

}  // namespace glint
