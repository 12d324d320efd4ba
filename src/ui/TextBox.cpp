// A block of word-wrapped text shown a few lines at a time, scrolled by a fixed step.
#include "ui/TextBox.h"

#include <algorithm>

#include "render/Font.h"

namespace glint {

TextBox::TextBox(const Font* font, float wrapWidth, float size, int shownLines, int step)
    : font_(font), wrapWidth_(wrapWidth), size_(size), shownLines_(shownLines), step_(step) {}

float TextBox::width(const std::string& text) const {
    return font_ != nullptr ? font_->textWidth(text, size_) : 0.0f;
}

void TextBox::setText(std::string_view text) {
    lines_.clear();
    firstLine_ = 0;
    // The help text comes from the data pack; whatever its size, only its first kMaxTextBytes
    // bytes are wrapped and kept.
    std::string source(text.substr(0, kMaxTextBytes));
    // The closing carriage return ends the last word and the last line.
    source.push_back('\r');

    std::string line;
    std::string word;
    for (char c : source) {
        if (c == '\n') {
            continue;
        }
        if (c != ' ' && c != '\r') {
            word.push_back(c);
            continue;
        }
        if (width(line) + width(word) < wrapWidth_) {
            line += word;
        } else {
            // Even an empty line is stored here: a word too wide for any line starts afresh.
            lines_.push_back(line);
            line = word;
        }
        line.push_back(' ');
        word.clear();
        if (c == '\r') {
            lines_.push_back(line);
            line.clear();
        }
    }
}

void TextBox::scrollUp() {
    firstLine_ = std::max(firstLine_ - step_, 0);
}

void TextBox::scrollDown() {
    const int count = static_cast<int>(lines_.size());
    firstLine_ += step_;
    if (count - firstLine_ < shownLines_) {
        firstLine_ = count - shownLines_;
    }
    firstLine_ = std::max(firstLine_, 0);
}

int TextBox::visibleCount() const {
    const int left = static_cast<int>(lines_.size()) - firstLine_;
    return std::clamp(left, 0, std::max(shownLines_, 0));
}

void TextBox::draw(float x, float y, float red, float green, float blue, float alpha) const {
    if (font_ == nullptr) {
        return;
    }
    const int count = visibleCount();
    for (int k = 0; k < count; ++k) {
        font_->drawText(lines_[static_cast<std::size_t>(firstLine_ + k)], size_, x,
                        y + static_cast<float>(k) * size_, 10.0f, red, green, blue, alpha);
    }
}

}  // namespace glint
