#pragma once
// Windows-1250 <-> Unicode, the one place where the program crosses between
// the data base's byte texts and UTF-8 (JSON, the GUI).
//
// The five bytes that Windows-1250 leaves undefined (0x81, 0x83, 0x88, 0x90,
// 0x98) map to the C1 control characters of the same value, so that every
// byte string survives a round trip.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace dorvak {

char32_t cp1250ToUnicode(std::uint8_t byte);
// The Windows-1250 byte of a code point, or nothing when it has none.
std::optional<std::uint8_t> unicodeToCp1250(char32_t codePoint);

std::string cp1250ToUtf8(std::string_view bytes);
// Nothing when the text is not valid UTF-8 or holds a character that
// Windows-1250 cannot hold.
std::optional<std::string> utf8ToCp1250(std::string_view utf8);

// The text of a file written by another editor: UTF-8 when it starts with the
// UTF-8 byte order mark, or when it has non-ASCII bytes and they all form
// valid UTF-8 sequences (Windows-1250 text practically never does). Such text
// comes back in Windows-1250 without the mark, "?" standing for a character
// Windows-1250 cannot hold (and, after the mark, for a byte that is no UTF-8).
// Nothing when the text is not UTF-8: it is Windows-1250 (or ASCII) already.
std::optional<std::string> utf8FileTextToCp1250(std::string_view bytes);

}  // namespace dorvak
