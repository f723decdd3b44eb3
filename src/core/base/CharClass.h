#pragma once

// Character classes of the console language, the record and the file formats. They are ASCII only
// and independent of the process locale: any other character, and any byte of a multi-byte UTF-8
// sequence, is neither blank, digit nor letter. They take char, char16_t and char32_t alike.
constexpr bool IsBlank(char32_t ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }
constexpr bool IsDigit(char32_t ch) { return ch >= '0' && ch <= '9'; }
constexpr bool IsAlpha(char32_t ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }
constexpr bool IsHexDigit(char32_t ch)
{
    return IsDigit(ch) || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
}
constexpr char ToLowerAscii(char ch) { return ch >= 'A' && ch <= 'Z' ? char(ch | 0x20) : ch; }
