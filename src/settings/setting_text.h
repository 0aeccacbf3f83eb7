#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace settings {

// The two text forms a setting is kept in. Check values and the position
// variables are decimal integers ("0", "1", "-8", "64"); option buttons are
// the truth words "True" and "False".
std::string integerText(std::int16_t value);
std::string truthText(bool value);

// Reads what integerText writes, and also tolerates blanks around the number
// and a leading "+". Text that is not a whole number is a type mismatch; a
// number outside -32768..32767 is an overflow.
std::int16_t integerFromText(std::string_view text);

// Reads what truthText writes, in any letter case and with blanks around it;
// a number also counts, non-zero being True. Anything else is a type
// mismatch; a number too big for 16 bits is an overflow.
bool truthFromText(std::string_view text);

}  // namespace settings
