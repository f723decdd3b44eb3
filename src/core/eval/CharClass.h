#pragma once

// Character classes of the console language. They are ASCII only and independent of the process
// locale: any other byte is neither blank, digit nor letter.
constexpr bool IsBlank(char ch) { return ch == ' ' || (ch >= '\t' && ch <= '\r'); }
constexpr bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }
constexpr bool IsAlpha(char ch) { return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z'); }
constexpr bool IsHexDigit(char ch)
{
    return IsDigit(ch) || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
}
constexpr char ToLowerAscii(char ch) { return ch >= 'A' && ch <= 'Z' ? char(ch | 0x20) : ch; }
