#include "card/position_words.h"

#include <cstdlib>

namespace card {

namespace {

std::string axisInWords(int offset, const char* negative, const char* positive) {
    return std::to_string(std::abs(offset)) + " " + (offset < 0 ? negative : positive);
}

}  // namespace

std::string positionInWords(std::int16_t horizontal, std::int16_t vertical) {
    if (horizontal == 0 && vertical == 0) {
        return "centred";
    }
    std::string words;
    if (horizontal != 0) {
        words = axisInWords(horizontal, "left", "right");
    }
    if (vertical != 0) {
        words += (words.empty() ? "" : ", ") + axisInWords(vertical, "up", "down");
    }
    return words;
}

}  // namespace card
