#include "tray/tray_record.h"

#include <algorithm>

namespace tray {

std::array<char, kTooltipWidth> tooltipField(const std::string& text) {
    std::array<char, kTooltipWidth> field{};
    field.fill(' ');
    const std::size_t length = std::min(text.size(), kTooltipWidth - 1);
    std::copy_n(text.begin(), length, field.begin());
    field.back() = '\0';
    return field;
}

std::string TrayRecord::tipText() const {
    std::string text(szTip.data(), std::find(szTip.begin(), szTip.end(), '\0'));
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

}  // namespace tray
