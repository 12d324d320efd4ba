// Checking and writing tables and the help text.
#include "TextFiles.h"

#include <fstream>
#include <iterator>

#include "PictureFiles.h"

namespace glint::content {

namespace {

bool readAll(const std::string& path, std::string& out, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot read";
        return false;
    }
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

bool writeAll(const std::string& path, const std::string& text, std::string& error) {
    if (!makeParentDirectories(path, error)) {
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out) {
        error = path + ": cannot write";
        return false;
    }
    return true;
}

std::string position(const std::string& path, const std::string& text, std::size_t at) {
    std::size_t line = 1;
    for (std::size_t i = 0; i < at && i < text.size(); ++i) {
        line += text[i] == '\n';
    }
    return path + ":" + std::to_string(line);
}

}  // namespace

bool copyTable(const std::string& source, const std::string& out, std::string& error) {
    std::string text;
    if (!readAll(source, text, error)) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
        if (!blank && (c < 33 || c > 126)) {
            error = position(source, text, i) + ": byte " + std::to_string(c) +
                    " is not printable ASCII";
            return false;
        }
        if (c == '"') {
            error = position(source, text, i) + ": no double quotes: the parser would join words";
            return false;
        }
        const bool wordStart = i == 0 || text[i - 1] == ' ' || text[i - 1] == '\t' ||
                               text[i - 1] == '\r' || text[i - 1] == '\n';
        if (c == '/' && i + 1 < text.size() && text[i + 1] == '/' && !wordStart) {
            error = position(source, text, i) + ": \"//\" inside a word would cut the value short";
            return false;
        }
        if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
            // Skip the rest of the comment.
            while (i < text.size() && text[i] != '\n') {
                ++i;
            }
        }
    }
    return writeAll(out, text, error);
}

bool writeHelpText(const std::string& source, const std::string& out, std::string& error) {
    std::string text;
    if (!readAll(source, text, error)) {
        return false;
    }
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\r') {
            continue;  // line ends are made anew below
        }
        if (c == '\n') {
            result += "\r\n";
            continue;
        }
        if (c < 32 || c > 126) {
            error = position(source, text, i) + ": byte " + std::to_string(c) +
                    " is not printable ASCII";
            return false;
        }
        result += static_cast<char>(c);
    }
    return writeAll(out, result, error);
}

}  // namespace glint::content
