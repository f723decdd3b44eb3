#include "core/console/Completion.h"
#include "core/console/ConsoleColors.h"
#include "core/console/ConsoleSyntax.h"

#include "tests/common/ConsoleSession.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The console's assistance while typing: the names offered, the kinds of the tokens, the written
// lines told from typed ones, bracket partners, the colours, and the value shown before Enter.
namespace
{
class AssistTest : public ::testing::Test, protected ConsoleSession
{
protected:
    std::vector<std::string> Offered(const char* pszPrefix, bool bLineStart)
    {
        std::vector<std::string> texts;
        for (const Candidate& candidate : CompletionCandidates(pszPrefix, eval, bLineStart))
            texts.push_back(candidate.strText);
        return texts;
    }
};

using Names = std::vector<std::string>;

TEST_F(AssistTest, CandidatesForPrefixes)
{
    Enter("a=5");
    Enter("A=1");
    Enter("ab=2");
    const struct
    {
        const char* pszPrefix;
        bool bLineStart;
        Names expected;
    } cases[] = {
        {"po", false, {"pow(", "pol("}},
        {"PO", false, {"pow(", "pol("}},
        {"s", false, {"sqr(", "sin(", "sqrn(", "sinh(", "sum("}},
        {"sqrt", false, {"sqr(", "sqrn("}},
        {"powr", false, {"pow("}},
        {"c", true, {"cls", "cos(", "cosh("}},
        {"c", false, {"cos(", "cosh("}},
        {"fx", true, {"fx", "fx1", "fxcls"}},
        {"fx", false, {}},
        {"a", false, {"a", "A", "ab", "abs(", "acos(", "area(", "asin(", "atan("}},
        {"e", false, {"e", "exp("}},
        {"P", false, {"pi", "pow(", "pol("}},
        {"!", false, {"!("}},
        {"zz", false, {}},
        {"", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszPrefix);
        EXPECT_EQ(Offered(c.pszPrefix, c.bLineStart), c.expected);
    }
}

TEST_F(AssistTest, CandidatesSayWhatTheyAreInTheLanguage)
{
    Enter("a=2.5");
    const std::vector<Candidate> en = CompletionCandidates("pow", eval, false);
    ASSERT_FALSE(en.empty());
    EXPECT_EQ(en[0].strDetail, "pow(x,y): x to the power y");
    EXPECT_EQ(CompletionCandidates("a", eval, false)[0].strDetail, "a = 2.5");
    language.Set(Language::Chinese);
    EXPECT_EQ(CompletionCandidates("pow", eval, false)[0].strDetail, "pow(x,y)：x 的 y 次幂");
}

TEST(CompletionTest, NameStartsAtALetter)
{
    const struct
    {
        const char16_t* pszLine;
        std::size_t nCaret;
        std::size_t nStart;
    } cases[] = {
        {u"2*sq", 4, 2}, {u"a1", 2, 0},   {u"0xff", 4, 4}, {u"2e5", 3, 3},
        {u"3+!", 3, 2},  {u"# si", 4, 4}, {u"sin(", 4, 4}, {u"ab+cd", 2, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nCaret);
        EXPECT_EQ(NameStart(c.pszLine, c.nCaret), c.nStart);
    }
}

// One letter per character: . plain, N number, F function, V variable, U unknown, O operator,
// C comment, K keyword, R result, E error.
std::string Kinds(const std::u16string& strLine, bool bWritten, const CEvalContext& eval)
{
    static const char LETTERS[] = ".NFVUOCKRE";
    std::string strKinds;
    for (const ConsoleToken& token : TokenizeLine(strLine, bWritten, eval.Variables()))
        strKinds.append(token.nLength, LETTERS[int(token.kind)]);
    return strKinds;
}

TEST_F(AssistTest, TokenKindsOfLines)
{
    Enter("a=5");
    const struct
    {
        const char16_t* pszLine;
        bool bWritten;
        const char* pszKinds;
    } cases[] = {
        {u"0x1F+0b101*2.5e3-3i", false, "NNNNONNNNNONNNNNONN"},
        {u"sin(a)+zz", false, "FFFOVOOUU"},
        {u"SIN (pi)", false, "FFF.OVVO"},
        {u"  cls", false, "..KKK"},
        {u"fx1 sin(x)", false, "KKK.FFFOVO"},
        {u"fx 0,360,x*x", false, "KK.NONNNOVOV"},
        {u"fxa x", false, "UUU.U"},
        {u"fact 360", false, "KKKK.NNN"},
        {u"2^3 # note", false, "NUN.CCCCCC"},
        {u"b=!(4)+e", false, "VOFONOOV"},
        {u"x=1", false, "VON"},
        {u"2*x", false, "NOU"},
        {u"π", false, "U"},
        {u"42", true, "RR"},
        {u"Error: [x]", true, "EEEEEEEEEE"},
        {u"错误: [x]", true, "EEEEEEE"},
        {u"", false, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.pszKinds));
        EXPECT_EQ(Kinds(c.pszLine, c.bWritten, eval), c.pszKinds);
    }
}

TEST(ConsoleSyntaxTest, WrittenLinesAreToldFromTheLineBefore)
{
    const struct
    {
        const char16_t* pszPrevious;
        bool bPreviousWritten;
        const char16_t* pszLine;
        bool bWritten;
    } cases[] = {
        {u"1+2", false, u"3", true},         {u"3", true, u"4*5", false},
        {u"a=5", false, u"a*2", false},      {u"a=", false, u"Error: [syntax Error]", true},
        {u"", false, u"1+2", false},         {u"# note", false, u"1+2", false},
        {u"fx1 sin(x)", false, u"2", false}, {u"cls", false, u"2", false},
        {u"fact 12", false, u"2*2*3", true}, {u"1+2 # =", false, u"3", true},
        {u"1+2", false, u"", false},         {u"", false, u"错误: [语法错误]", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::u16string_view(c.pszLine).size());
        EXPECT_EQ(LooksWritten(c.pszPrevious, c.bPreviousWritten, c.pszLine), c.bWritten);
    }
}

TEST(ConsoleSyntaxTest, BracketAtCaretAndItsPartner)
{
    const struct
    {
        const char16_t* pszLine;
        std::size_t nCaret;
        std::size_t nBracket;
        std::size_t nPartner;
    } cases[] = {
        {u"(1+(2))", 7, 6, 0},         {u"(1+(2))", 0, 0, 6},
        {u"(1+(2))", 4, 3, 5},         {u"(1+2", 1, 0, NO_BRACKET},
        {u"1+2)", 4, 3, NO_BRACKET},   {u"1+2", 2, NO_BRACKET, NO_BRACKET},
        {u"(1 # )", 1, 0, NO_BRACKET}, {u"1 # ()", 5, NO_BRACKET, NO_BRACKET},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.nCaret);
        const BracketPair pair = BracketAtCaret(c.pszLine, c.nCaret);
        EXPECT_EQ(pair.nBracket, c.nBracket);
        EXPECT_EQ(pair.nPartner, c.nPartner);
    }
}

TEST(ConsoleColorsTest, EveryDerivedColourIsReadableOnItsBackground)
{
    const struct
    {
        ColorRef crText;
        ColorRef crBack;
    } cases[] = {
        {MakeRgb(20, 20, 245), MakeRgb(255, 255, 255)}, // both skins' defaults
        {MakeRgb(0, 0, 0), MakeRgb(255, 255, 255)},
        {MakeRgb(255, 255, 255), MakeRgb(0, 0, 0)},
        {MakeRgb(255, 255, 0), MakeRgb(255, 255, 255)},
        {MakeRgb(128, 128, 128), MakeRgb(119, 119, 119)},
        {MakeRgb(0, 255, 0), MakeRgb(0, 0, 128)},
        {MakeRgb(200, 0, 0), MakeRgb(255, 240, 200)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.crBack);
        const ConsolePalette palette = DeriveConsolePalette(c.crText, c.crBack);
        for (ColorRef cr : palette.kinds)
            EXPECT_GE(ContrastRatio(cr, c.crBack), MIN_CONTRAST) << cr;
        EXPECT_GE(ContrastRatio(palette.preview, c.crBack), MIN_CONTRAST);
        EXPECT_NE(palette.Of(TokenKind::Result), palette.Of(TokenKind::Plain));
        EXPECT_NE(palette.Of(TokenKind::Error), palette.Of(TokenKind::Result));
    }
    // A readable text colour is kept as the user chose it.
    EXPECT_EQ(
        DeriveConsolePalette(MakeRgb(20, 20, 245), MakeRgb(255, 255, 255)).Of(TokenKind::Plain),
        MakeRgb(20, 20, 245));
    EXPECT_NEAR(ContrastRatio(MakeRgb(0, 0, 0), MakeRgb(255, 255, 255)), 21.0, 1e-9);
}

TEST_F(AssistTest, PreviewHasNoEffect)
{
    Enter("a=5");
    const CRandomGenerator before = random;
    const struct
    {
        const char* pszLine;
        const char* pszShown; // nullptr: nothing shown
    } cases[] = {
        {"a=7", "7"},     {"a*2 # twice", "10"},    {"1+", nullptr},       {"1/0", nullptr},
        {"cls", nullptr}, {"fact 360", nullptr},    {"fx 0,1,x", nullptr}, {"# note", nullptr},
        {"", nullptr},    {"pow(10,400)", nullptr}, {"pi=3", nullptr},     {"sqrt(2)", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszLine);
        const std::optional<std::string> strShown = dispatcher.PreviewLine(c.pszLine);
        EXPECT_EQ(strShown.has_value(), c.pszShown != nullptr);
        if (strShown && c.pszShown) {
            EXPECT_EQ(*strShown, c.pszShown);
        }
    }
    const std::optional<std::string> strRandom = dispatcher.PreviewLine("rnd(1000)");
    ASSERT_TRUE(strRandom.has_value());
    EXPECT_EQ(dispatcher.PreviewLine("rnd(1000)"), strRandom);
    EXPECT_EQ(eval.Variables().at("a"), CalcValue(5.0, 0.0));
    EXPECT_EQ(eval.Variables().size(), 1u);
    CRandomGenerator now = random;
    CRandomGenerator expected = before;
    EXPECT_EQ(now.RandomNext(), expected.RandomNext());
    EXPECT_EQ(console.Text(), "a=5\n");
    EXPECT_EQ(Enter("rnd(1000)"), *strRandom + "\n");
    dispatcher.SetRadix(Radix::Hexadecimal);
    EXPECT_EQ(dispatcher.PreviewLine("255"), "0xFF");
}
} // namespace
