// Reading our readable asset sources: lines of words with "//" comments, and character grids.
#pragma once

#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "Image.h"

namespace glint::content {

// A fault in a source file, with the file and line it was found at.
class SourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Words of a line: separated by blanks, a double-quoted word may hold blanks.
std::vector<std::string> splitWords(const std::string& line);

// Named values given as "name value" pairs after a line's leading words, e.g.
// "flame x 16 y 20 height 9". Every name must be read exactly once: leftovers are typos.
class Params {
public:
    Params(const std::vector<std::string>& words, std::size_t first, std::string where);

    int integer(const std::string& name);
    int integer(const std::string& name, int fallback);
    float number(const std::string& name);
    float number(const std::string& name, float fallback);
    std::string text(const std::string& name);
    std::string text(const std::string& name, const std::string& fallback);
    Color color(const std::string& name);
    Color color(const std::string& name, const Color& fallback);
    bool has(const std::string& name) const { return values_.count(name) != 0; }
    // Throws when a given name was never asked for.
    void finish() const;

private:
    std::optional<std::string> take(const std::string& name);

    std::map<std::string, std::string> values_;
    std::string where_;
};

// "#rrggbb" or "#rrggbbaa".
std::optional<Color> parseColor(const std::string& text);

// A source file read whole; next() hands out meaningful lines one by one.
class SourceFile {
public:
    explicit SourceFile(const std::string& path);

    // The next line that holds words, split into them (comments removed). Empty at the end.
    std::vector<std::string> next();
    // The next `height` lines as they stand, each cut to exactly `width` characters; only
    // blanks or a "//" comment may follow a row.
    std::vector<std::string> grid(int width, int height);

    // "path:line: message" for the line last read.
    [[noreturn]] void fail(const std::string& message) const;
    std::string where() const;
    const std::string& path() const { return path_; }

private:
    std::string path_;
    std::vector<std::string> lines_;
    std::size_t cursor_ = 0;
};

int toInteger(const std::string& text, const std::string& where);
float toNumber(const std::string& text, const std::string& where);

}  // namespace glint::content
