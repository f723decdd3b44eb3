#include "core/units/UnitCommand.h"

#include "core/units/UnitConversion.h"
#include "core/units/UnitTable.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace
{
constexpr const char* USAGE = "usage: pelmorix-cli convert VALUE FROM TO | convert --list";

// Messages; %1 and %2 stand for the words filled in.
constexpr Text NOT_A_NUMBER{"not a number: %1", "不是数值: %1"};
constexpr Text UNKNOWN_UNIT{"unknown unit %1; %2", "未知单位 %1; %2"};
constexpr Text UNKNOWN_UNITS{"unknown units %1 and %2; pelmorix-cli convert --list names them all",
                             "未知单位 %1 和 %2; pelmorix-cli convert --list 列出所有单位"};
constexpr Text TWO_CATEGORIES{"%1 and %2 are not of one category", "%1 和 %2 不属于同一类别"};
constexpr Text UNITS_OF{"units of %1: ", "%1的单位: "};

constexpr std::string_view DEGREE_SIGN = "°";
constexpr int SYMBOL_COLUMNS = 10;

// The message with %1 and %2 replaced by strFirst and strSecond.
std::string Filled(const Text& message, Language language, std::string_view strFirst,
                   std::string_view strSecond = "")
{
    std::string strText = message.In(language);
    if (const std::size_t nAt = strText.find("%1"); nAt != std::string::npos)
        strText.replace(nAt, 2, strFirst);
    if (const std::size_t nAt = strText.find("%2"); nAt != std::string::npos)
        strText.replace(nAt, 2, strSecond);
    return strText;
}

// The form in which names compare: ASCII letters in lower case, no blanks, "u" for the micro sign
// (U+00B5) and for the Greek mu (U+03BC).
std::string Folded(std::string_view str)
{
    std::string strFolded;
    for (std::size_t i = 0; i < str.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(str[i]);
        if (std::isspace(c))
            continue;
        const std::string_view rest = str.substr(i);
        if (rest.starts_with("\xC2\xB5") || rest.starts_with("\xCE\xBC")) {
            strFolded += 'u';
            ++i;
        } else
            strFolded += char(std::tolower(c));
    }
    return strFolded;
}

// The name without its bracketed symbol, "quart (qt) Liquid" -> "quart  Liquid", and the name
// up to the bracket, "quart". A bracket that is never closed runs to the end.
std::vector<std::string> ShortNames(std::string_view strName)
{
    const std::size_t nOpen = strName.find('(');
    if (nOpen == std::string_view::npos)
        return {};
    const std::size_t nClose = strName.find(')', nOpen);
    std::string strWithout(strName.substr(0, nOpen));
    if (nClose != std::string_view::npos)
        strWithout += strName.substr(nClose + 1);
    return {strWithout, std::string(strName.substr(0, nOpen))};
}

// Whether the folded word names the unit.
bool IsNameOf(const std::string& strFolded, const UnitRef& unit)
{
    const std::string_view strSymbol = UnitTable::Symbol(unit.nCategory, unit.nUnit);
    const std::string_view strName =
        UnitTable::UnitName(unit.nCategory, unit.nUnit, Language::English);
    std::vector<std::string> names = ShortNames(strName);
    names.emplace_back(strSymbol);
    names.emplace_back(strName);
    if (strSymbol.starts_with(DEGREE_SIGN) && strSymbol.size() > DEGREE_SIGN.size())
        names.emplace_back(strSymbol.substr(DEGREE_SIGN.size()));
    for (const std::string& strCandidate : names)
        if (Folded(strCandidate) == strFolded)
            return true;
    return false;
}

// The whole text is one decimal number: optional sign, digits with an optional point, optional
// exponent. ReadLeadingNumber then reads all of it.
bool IsNumber(std::string_view str)
{
    std::size_t i = 0;
    const auto digits = [&] {
        const std::size_t nStart = i;
        while (i < str.size() && std::isdigit(static_cast<unsigned char>(str[i])))
            ++i;
        return i - nStart;
    };
    if (i < str.size() && (str[i] == '+' || str[i] == '-'))
        ++i;
    std::size_t nDigits = digits();
    if (i < str.size() && str[i] == '.') {
        ++i;
        nDigits += digits();
    }
    if (nDigits == 0)
        return false;
    if (i < str.size() && (str[i] == 'e' || str[i] == 'E')) {
        ++i;
        if (i < str.size() && (str[i] == '+' || str[i] == '-'))
            ++i;
        if (digits() == 0)
            return false;
    }
    return i == str.size();
}

// "units of Temperature: °C, °F, K, °R"
std::string UnitsOf(int nCategory, Language language)
{
    std::string strText = Filled(UNITS_OF, language, UnitTable::CategoryName(nCategory, language));
    for (int nUnit = 0; nUnit < UnitTable::UnitCount(nCategory); ++nUnit)
        strText += std::string(nUnit > 0 ? ", " : "") + UnitTable::Symbol(nCategory, nUnit);
    return strText;
}

std::string Quoted(std::string_view str) { return "\"" + std::string(str) + "\""; }

// A unit of each list in one category, the first in table order.
std::optional<std::pair<UnitRef, UnitRef>> SameCategory(const std::vector<UnitRef>& from,
                                                        const std::vector<UnitRef>& to)
{
    for (const UnitRef& a : from)
        for (const UnitRef& b : to)
            if (a.nCategory == b.nCategory)
                return std::pair(a, b);
    return std::nullopt;
}

// Why FROM and TO make no conversion, naming the units that would.
std::string Refusal(const std::string& strFrom, const std::string& strTo,
                    const std::vector<UnitRef>& from, const std::vector<UnitRef>& to,
                    Language language)
{
    if (from.empty() && to.empty())
        return Filled(UNKNOWN_UNITS, language, Quoted(strFrom), Quoted(strTo));
    if (from.empty() || to.empty()) {
        const int nCategory = (from.empty() ? to : from).front().nCategory;
        return Filled(UNKNOWN_UNIT, language, Quoted(from.empty() ? strFrom : strTo),
                      UnitsOf(nCategory, language));
    }
    return Filled(TWO_CATEGORIES, language, Quoted(strFrom), Quoted(strTo)) + "; " +
           UnitsOf(from.front().nCategory, language) + "; " +
           UnitsOf(to.front().nCategory, language);
}

// Columns of the terminal a UTF-8 text takes, one for each character.
std::size_t Columns(std::string_view str)
{
    std::size_t nColumns = 0;
    for (const char c : str)
        nColumns += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return nColumns;
}

void PrintList(CTextOut& out, Language language)
{
    for (int nCategory = 0; nCategory < UnitTable::CategoryCount(); ++nCategory) {
        out << UnitTable::CategoryName(nCategory, language) << '\n';
        for (int nUnit = 0; nUnit < UnitTable::UnitCount(nCategory); ++nUnit) {
            const std::string_view strSymbol = UnitTable::Symbol(nCategory, nUnit);
            const std::size_t nPad =
                SYMBOL_COLUMNS - std::min<std::size_t>(Columns(strSymbol), SYMBOL_COLUMNS - 1);
            out << "  " << strSymbol << std::string(nPad, ' ')
                << UnitTable::UnitName(nCategory, nUnit, language) << '\n';
        }
    }
}
} // namespace

std::vector<UnitRef> UnitsNamed(std::string_view strWord)
{
    std::vector<UnitRef> units;
    const std::string strFolded = Folded(strWord);
    if (strFolded.empty())
        return units;
    for (int nCategory = 0; nCategory < UnitTable::CategoryCount(); ++nCategory)
        for (int nUnit = 0; nUnit < UnitTable::UnitCount(nCategory); ++nUnit)
            if (IsNameOf(strFolded, {nCategory, nUnit}))
                units.push_back({nCategory, nUnit});
    return units;
}

int RunConvertCommand(const std::vector<std::string>& args, CTextOut& out, CTextOut& err,
                      Language language)
{
    if (args.size() == 1 && args[0] == "--list") {
        PrintList(out, language);
        return 0;
    }
    if (args.size() != 3) {
        err << USAGE << '\n';
        return 2;
    }
    const std::string& strValue = args[0];
    if (!IsNumber(strValue)) {
        err << Filled(NOT_A_NUMBER, language, Quoted(strValue)) << '\n';
        return 1;
    }
    const std::vector<UnitRef> from = UnitsNamed(args[1]);
    const std::vector<UnitRef> to = UnitsNamed(args[2]);
    const auto pair = SameCategory(from, to);
    if (!pair) {
        err << Refusal(args[1], args[2], from, to, language) << '\n';
        return 1;
    }
    const auto strText =
        ConvertedText(pair->first.nCategory, pair->first.nUnit, pair->second.nUnit, strValue);
    out << strText.value_or("") << '\n';
    return 0;
}
