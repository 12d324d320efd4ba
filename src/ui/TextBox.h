// A block of word-wrapped text shown a few lines at a time, scrolled by a fixed step.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace glint {

class Font;

class TextBox {
public:
    // Text beyond this many bytes is dropped before wrapping.
    static constexpr std::size_t kMaxTextBytes = 64 * 1024;

    // The font measures the words while wrapping and draws the lines; it is not owned and may
    // be null (every word then fits). The size is also the line height.
    TextBox(const Font* font, float wrapWidth, float size, int shownLines, int step);

    // Wraps the text into lines and shows the first of them. A carriage return ends a line, a
    // line feed is ignored; a word that would reach the wrap width starts a new line. Every
    // line but an empty one ends with a space. Only the first kMaxTextBytes bytes are used.
    void setText(std::string_view text);

    // Up by the step, never above the first line.
    void scrollUp();
    // Down by the step, never so far that fewer than shownLines lines are left to show.
    void scrollDown();

    // The shown lines, the k-th at (x, y + k x size), at depth 10.
    void draw(float x, float y, float red, float green, float blue, float alpha) const;

    const std::vector<std::string>& lines() const { return lines_; }
    int firstLine() const { return firstLine_; }
    // How many lines draw shows from the first line on.
    int visibleCount() const;
    int shownLines() const { return shownLines_; }
    int step() const { return step_; }

private:
    float width(const std::string& text) const;

    const Font* font_;
    float wrapWidth_;
    float size_;
    std::vector<std::string> lines_;
    int firstLine_ = 0;
    int shownLines_;
    int step_;
};

}  // namespace glint
