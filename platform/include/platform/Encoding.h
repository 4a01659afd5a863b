// Conversions between UTF-8 (used everywhere inside), code page 936 (GBK),
// wide characters and UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// GBK bytes to UTF-8. Undecodable bytes become U+FFFD, never lost silently.
std::string GbkToUtf8(std::string_view gbk);
// UTF-8 to GBK. Characters GBK cannot hold become '?'.
std::string Utf8ToGbk(std::string_view utf8);
// Number of bytes the text takes in code page 936 (a Chinese character counts 2).
int GbkByteCount(std::string_view utf8);

bool IsValidUtf8(std::string_view s);
// The text with every byte that is not part of a valid UTF-8 sequence replaced by U+FFFD.
std::string MakeValidUtf8(std::string_view s);

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

}  // namespace platform
