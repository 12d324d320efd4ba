// Line and grid reading for the asset sources, with exact error positions.
#include "SourceText.h"

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace glint::content {

namespace {

std::string stripComment(const std::string& line) {
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"') {
            quoted = !quoted;
        } else if (!quoted && line[i] == '/' && i + 1 < line.size() && line[i + 1] == '/') {
            return line.substr(0, i);
        }
    }
    return line;
}

}  // namespace

std::vector<std::string> splitWords(const std::string& line) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < line.size()) {
        if (std::isspace(static_cast<unsigned char>(line[i]))) {
            ++i;
            continue;
        }
        std::string word;
        if (line[i] == '"') {
            std::size_t end = line.find('"', i + 1);
            if (end == std::string::npos) {
                end = line.size();
            }
            word = line.substr(i + 1, end - i - 1);
            i = end + 1;
        } else {
            while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) {
                word += line[i++];
            }
        }
        words.push_back(word);
    }
    return words;
}

std::optional<Color> parseColor(const std::string& text) {
    if (text.size() != 7 && text.size() != 9) {
        return std::nullopt;
    }
    if (text[0] != '#') {
        return std::nullopt;
    }
    unsigned value[4] = {0, 0, 0, 255};
    for (std::size_t k = 0; k * 2 + 1 < text.size(); ++k) {
        auto begin = text.data() + 1 + k * 2;
        auto [ptr, ec] = std::from_chars(begin, begin + 2, value[k], 16);
        if (ec != std::errc() || ptr != begin + 2) {
            return std::nullopt;
        }
    }
    return Color::from(
        Rgba{static_cast<std::uint8_t>(value[0]), static_cast<std::uint8_t>(value[1]),
             static_cast<std::uint8_t>(value[2]), static_cast<std::uint8_t>(value[3])});
}

int toInteger(const std::string& text, const std::string& where) {
    int value = 0;
    auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || ptr != text.data() + text.size()) {
        throw SourceError(where + ": \"" + text + "\" is not a whole number");
    }
    return value;
}

float toNumber(const std::string& text, const std::string& where) {
    char* end = nullptr;
    float value = std::strtof(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size()) {
        throw SourceError(where + ": \"" + text + "\" is not a number");
    }
    return value;
}

Params::Params(const std::vector<std::string>& words, std::size_t first, std::string where)
    : where_(std::move(where)) {
    if ((words.size() - first) % 2 != 0) {
        throw SourceError(where_ + ": values come in \"name value\" pairs");
    }
    for (std::size_t i = first; i + 1 < words.size(); i += 2) {
        if (!values_.emplace(words[i], words[i + 1]).second) {
            throw SourceError(where_ + ": \"" + words[i] + "\" given twice");
        }
    }
}

std::optional<std::string> Params::take(const std::string& name) {
    auto it = values_.find(name);
    if (it == values_.end()) {
        return std::nullopt;
    }
    std::string value = it->second;
    values_.erase(it);
    return value;
}

int Params::integer(const std::string& name) {
    auto v = take(name);
    if (!v) {
        throw SourceError(where_ + ": \"" + name + "\" is missing");
    }
    return toInteger(*v, where_);
}

int Params::integer(const std::string& name, int fallback) {
    auto v = take(name);
    return v ? toInteger(*v, where_) : fallback;
}

float Params::number(const std::string& name) {
    auto v = take(name);
    if (!v) {
        throw SourceError(where_ + ": \"" + name + "\" is missing");
    }
    return toNumber(*v, where_);
}

float Params::number(const std::string& name, float fallback) {
    auto v = take(name);
    return v ? toNumber(*v, where_) : fallback;
}

std::string Params::text(const std::string& name) {
    auto v = take(name);
    if (!v) {
        throw SourceError(where_ + ": \"" + name + "\" is missing");
    }
    return *v;
}

std::string Params::text(const std::string& name, const std::string& fallback) {
    auto v = take(name);
    return v ? *v : fallback;
}

Color Params::color(const std::string& name) {
    std::string t = text(name);
    auto c = parseColor(t);
    if (!c) {
        throw SourceError(where_ + ": \"" + t + "\" is not a colour (#rrggbb or #rrggbbaa)");
    }
    return *c;
}

Color Params::color(const std::string& name, const Color& fallback) {
    return has(name) ? color(name) : fallback;
}

void Params::finish() const {
    if (!values_.empty()) {
        throw SourceError(where_ + ": unknown value \"" + values_.begin()->first + "\"");
    }
}

SourceFile::SourceFile(const std::string& path) : path_(path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw SourceError(path + ": cannot read");
    }
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines_.push_back(line);
    }
}

std::vector<std::string> SourceFile::next() {
    while (cursor_ < lines_.size()) {
        std::vector<std::string> words = splitWords(stripComment(lines_[cursor_++]));
        if (!words.empty()) {
            return words;
        }
    }
    return {};
}

std::vector<std::string> SourceFile::grid(int width, int height) {
    std::vector<std::string> rows;
    for (int y = 0; y < height; ++y) {
        if (cursor_ >= lines_.size()) {
            fail("the grid ends after " + std::to_string(y) + " of " + std::to_string(height) +
                 " rows");
        }
        const std::string& line = lines_[cursor_++];
        if (static_cast<int>(line.size()) < width) {
            fail("grid row " + std::to_string(y) + " has " + std::to_string(line.size()) +
                 " characters, not " + std::to_string(width));
        }
        std::string rest = stripComment(line.substr(static_cast<std::size_t>(width)));
        if (!splitWords(rest).empty()) {
            fail("grid row " + std::to_string(y) + " is longer than " + std::to_string(width) +
                 " characters");
        }
        rows.push_back(line.substr(0, static_cast<std::size_t>(width)));
    }
    return rows;
}

std::string SourceFile::where() const {
    return path_ + ":" + std::to_string(cursor_);
}

void SourceFile::fail(const std::string& message) const {
    throw SourceError(where() + ": " + message);
}

}  // namespace glint::content
