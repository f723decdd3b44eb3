#include "core/bignum/LongCalculation.h"
#include "core/bignum/LongCommand.h"
#include "core/bignum/LongControl.h"
#include "core/bignum/LongOperand.h"
#include "tests/common/LongDigits.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>

namespace
{
constexpr Language EN = Language::English;
constexpr Language ZH = Language::Chinese;

struct CommandRun
{
    int nStatus;
    std::string strOut;
    std::string strErr;
};

CommandRun RunCommand(std::vector<std::string> args, const std::string& strInput = "",
                      Language language = EN)
{
    std::FILE* pIn = std::tmpfile();
    std::fwrite(strInput.data(), 1, strInput.size(), pIn);
    std::rewind(pIn);
    std::string strOut, strErr;
    CTextOut out(strOut), err(strErr);
    int nStatus = RunLongCommand(args, pIn, out, err, language);
    std::fclose(pIn);
    return {nStatus, strOut, strErr};
}
} // namespace

TEST(LongCalculation, ResultsAndCountsAsTheWindowShowsThem)
{
    struct Case
    {
        LongOperator op;
        const char* first;
        const char* second;
        const char* result;
        int nDigits;
    };
    const Case cases[] = {
        {LongOperator::Sub, "5", "12", "-7", 2},
        {LongOperator::Sub, "12", "12", "0", 1},
        {LongOperator::Add, "0", "0", "0", 1},
        {LongOperator::Add, "", "", "0", 1},
        {LongOperator::Mul, "123456789", "0", "0", 1},
        {LongOperator::Div, "3", "7", "0", 1},
        {LongOperator::Mod, "14", "7", "0", 1},
        {LongOperator::Div, "100", "7", "14", 2},
        {LongOperator::Mod, "100", "7", "2", 1},
        {LongOperator::Div, "18446744073709551616", "4294967296", "4294967296", 10},
        {LongOperator::Add, " 12 34\r\n5 ", "\t1", "12346", 5},
        {LongOperator::Fac, "0", "", "1", 1},
        {LongOperator::Fac, "", "", "1", 1},
        {LongOperator::Fac, "10", "99", "3628800", 7},
        {LongOperator::Add, "pi", "100", nullptr, 100},
        {LongOperator::Fac, "E", "1", "2.", 1},
        {LongOperator::Mul, " Pi ", "5", "3.1415", 5},
        {LongOperator::Div, "pi", "0", "3", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " op " + std::to_string(int(c.op)) + " " + c.second);
        LongResult r = CalculateLong(c.op, c.first, c.second, EN);
        EXPECT_EQ(r.strMessage, "");
        if (c.result != nullptr) {
            EXPECT_EQ(r.strResult, c.result);
        }
        EXPECT_EQ(r.nDigits, c.nDigits);
        EXPECT_FALSE(r.bCancelled);
    }
    EXPECT_EQ(CalculateLong(LongOperator::Add, "PI", "100", EN).strResult.substr(0, 12),
              "3.1415926535");
}

TEST(LongCalculation, RefusedInputsGiveTheMessageAndNoResult)
{
    struct Case
    {
        LongOperator op;
        const char* first;
        const char* second;
        Language language;
        const char* message;
        const char* caption;
    };
    const Case cases[] = {
        {LongOperator::Div, "5", "0", EN, "Divisor can not be zero", "Error"},
        {LongOperator::Div, "5", "", EN, "Divisor can not be zero", "Error"},
        {LongOperator::Div, "5", "000", ZH, "除数不能为零", "错误"},
        {LongOperator::Mod, "5", " 0 ", EN, "Divor can not be zero", "Error"},
        {LongOperator::Add, "12a4", "1", EN, "Ingeter 1 bit 3 has illegal character", "Warning"},
        {LongOperator::Add, "1 2-4", "1", EN, "Ingeter 1 bit 4 has illegal character", "Warning"},
        {LongOperator::Mul, "12", "3x", EN, "Ingeter 2 bit 2 has illegal character", "Warning"},
        {LongOperator::Mul, "12", "中3", ZH, "整数2第 1 位有非法字符", "提示"},
        {LongOperator::Sub, "1中a", "3", EN, "Ingeter 1 bit 2 has illegal character", "Warning"},
        {LongOperator::Div, "PI", "", EN, "Divisor can not be zero", "Error"},
        {LongOperator::Mod, "PI", "", EN, "Divor can not be zero", "Error"},
        {LongOperator::Sub, "PI", "", EN, "Ingeter 1 bit 1 has illegal character", "Warning"},
        {LongOperator::Fac, "-5", "", EN, "Ingeter 1 bit 1 has illegal character", "Warning"},
        {LongOperator::Div, "7", "0x", EN, "Divisor can not be zero", "Error"},
        {LongOperator::Div, "7", "1x", EN, "Ingeter 2 bit 2 has illegal character", "Warning"},
        {LongOperator::Add, "pi", "1e5", EN, "Ingeter 2 bit 2 has illegal character", "Warning"},
        {LongOperator::Add, "pi", "100000000", EN,
         "The digit count of pi or e must be from 0 to 99999999", "Error"},
        {LongOperator::Add, "e", "99999999999999999999", ZH, "pi或e的位数必须在0到99999999之间",
         "错误"},
        {LongOperator::Fac, "14000001", "", EN, "Fac needs an integer from 0 to 14000000", "Error"},
        {LongOperator::Fac, "4294967297", "", EN, "Fac needs an integer from 0 to 14000000",
         "Error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " op " + std::to_string(int(c.op)) + " " + c.second);
        LongResult r = CalculateLong(c.op, c.first, c.second, c.language);
        EXPECT_EQ(r.strMessage, c.message);
        EXPECT_EQ(r.strCaption, c.caption);
        EXPECT_EQ(r.strResult, "");
    }
}

TEST(LongCalculation, LargeOperandsStayExact)
{
    // (10^n - 1)^2 = 10^2n - 2 10^n + 1: 9...980...01.
    const size_t n = 50000;
    std::string nines(n, '9');
    std::string square = std::string(n - 1, '9') + "8" + std::string(n - 1, '0') + "1";
    EXPECT_EQ(CalculateLong(LongOperator::Mul, nines, nines, EN).strResult, square);
    EXPECT_EQ(CalculateLong(LongOperator::Div, square, nines, EN).strResult, nines);
    EXPECT_EQ(CalculateLong(LongOperator::Mod, square, nines, EN).strResult, "0");
    std::string plusOne = square.substr(0, square.size() - 1) + "2";
    EXPECT_EQ(CalculateLong(LongOperator::Mod, plusOne, nines, EN).strResult, "1");
    EXPECT_EQ(CalculateLong(LongOperator::Sub, nines, square, EN).strResult,
              "-" + CalculateLong(LongOperator::Sub, square, nines, EN).strResult);
}

// Digit counts around those where the calculator changes its way: texts read by 9-digit groups
// up to 540 digits, values spelt by groups up to 60 binary limbs (578 digits), schoolbook
// products below 96 limbs (925 digits), long division below 60 limbs in the divisor or the
// quotient, transforms from 256 limbs (2467 digits); also where they changed before, at 64 and
// 320 limbs.
TEST(LongCalculation, ExactWhereTheWaysOfCalculatingChange)
{
    std::mt19937_64 rng(34);
    const std::pair<size_t, size_t> sizes[] = {
        {540, 541},   {578, 579},   {617, 616}, {1160, 578}, {1240, 617},  {3083, 3084},
        {3100, 1500}, {6500, 3083}, {9000, 2},  {924, 925},  {2466, 2467}, {5000, 2467}};
    for (auto [na, nb] : sizes) {
        SCOPED_TRACE(std::to_string(na) + " and " + std::to_string(nb) + " digits");
        const std::string a = RandomDigits(rng, na), b = RandomDigits(rng, nb);
        EXPECT_EQ(CalculateLong(LongOperator::Mul, a, b, EN).strResult, ReferenceProduct(a, b));
        const std::string q = CalculateLong(LongOperator::Div, a, b, EN).strResult;
        const std::string r = CalculateLong(LongOperator::Mod, a, b, EN).strResult;
        EXPECT_EQ(ReferenceSum(ReferenceProduct(q, b), r), a);
        EXPECT_TRUE(r.size() < b.size() || (r.size() == b.size() && r < b)) << r;
    }
}

TEST(LongCalculation, RaisedFlagCancels)
{
    CLongControl control;
    control.Cancel();
    const CLongControl::Scope scope(&control);
    LongResult r = CalculateLong(LongOperator::Add, "pi", "200000", EN);
    EXPECT_TRUE(r.bCancelled);
    EXPECT_EQ(r.strResult, "");
    EXPECT_EQ(r.strMessage, "");
    EXPECT_TRUE(CalculateLong(LongOperator::Mul, "12", "34", EN).bCancelled);
}

TEST(LongCommand, PrintsTheResultBox)
{
    struct Case
    {
        std::vector<std::string> args;
        const char* input;
        const char* out;
    };
    const Case cases[] = {
        {{"add", "12", "30"}, "", "42\n"},
        {{"sub", "5", "12"}, "", "-7\n"},
        {{"mul", "-", "3"}, "1 4\n", "42\n"},
        {{"div", "100", "-"}, "7", "14\n"},
        {{"mod", "100", "7"}, "", "2\n"},
        {{"div", "3", "7"}, "", "0\n"},
        {{"fac", "35"}, "", "10333147966386144929666651337523200000000\n"},
        {{"pi", "5"}, "", "3.1415\n"},
        {{"pi", "0"}, "", "3\n"},
        {{"e", "3"}, "", "2.71\n"},
        {{"e", "-"}, "1\n", "2.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[0] + " " + c.args[1]);
        CommandRun run = RunCommand(c.args, c.input);
        EXPECT_EQ(run.nStatus, 0);
        EXPECT_EQ(run.strOut, c.out);
        EXPECT_EQ(run.strErr, "");
    }
}

TEST(LongCommand, ReadsOperandsFromFiles)
{
    std::string strPath = testing::TempDir() + "long_operand.txt";
    {
        std::ofstream file(strPath);
        file << "123456789012345678901234567890\n";
    }
    CommandRun run = RunCommand({"mul", "@" + strPath, "@" + strPath});
    EXPECT_EQ(run.nStatus, 0);
    EXPECT_EQ(run.strOut, "15241578753238836750495351562536198787501905199875019052100\n");
    std::remove(strPath.c_str());
    run = RunCommand({"add", "@" + strPath, "1"});
    EXPECT_EQ(run.nStatus, 1);
    EXPECT_NE(run.strErr.find(strPath), std::string::npos);
    EXPECT_EQ(run.strOut, "");
}

TEST(LongCommand, RefusalsAndBadUsage)
{
    struct Case
    {
        std::vector<std::string> args;
        Language language;
        int nStatus;
        const char* err; // null: a one-line usage message
    };
    const Case cases[] = {
        {{"div", "5", "0"}, EN, 1, "Divisor can not be zero\n"},
        {{"mod", "5", "000"}, ZH, 1, "除数不能为零\n"},
        {{"add", "1x", "2"}, EN, 1, "Ingeter 1 bit 2 has illegal character\n"},
        {{"pi", ""}, EN, 1, "The digit count of pi or e must be from 0 to 99999999\n"},
        {{"fac", "-1"}, EN, 1, "Ingeter 1 bit 1 has illegal character\n"},
        {{}, EN, 2, nullptr},
        {{"pow", "2", "3"}, EN, 2, nullptr},
        {{"add", "2"}, EN, 2, nullptr},
        {{"pi", "5", "6"}, EN, 2, nullptr},
        {{"add", "-", "-"}, EN, 2, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.empty() ? std::string("no words") : c.args[0]);
        CommandRun run = RunCommand(c.args, "", c.language);
        EXPECT_EQ(run.nStatus, c.nStatus);
        EXPECT_EQ(run.strOut, "");
        if (c.err != nullptr)
            EXPECT_EQ(run.strErr, c.err);
        else {
            EXPECT_EQ(run.strErr.rfind("usage: ", 0), 0u);
            EXPECT_EQ(run.strErr.find('\n'), run.strErr.size() - 1);
        }
    }
}

TEST(LongOperand, PiecesGiveTheSameOperandAsTheWholeText)
{
    const std::string strText = " 12\t3\r\n4中5\x80x\xE4\xB8 6 0";
    const LongOperand whole(strText);
    EXPECT_EQ(whole.Text(), "1234中5\x80x\xE4\xB8"
                            "60");
    EXPECT_EQ(whole.IllegalPosition(), 9);
    EXPECT_TRUE(whole.HasNonZeroDigit());
    for (std::size_t nPiece = 1; nPiece <= strText.size(); ++nPiece) {
        SCOPED_TRACE(nPiece);
        LongOperand pieces;
        for (std::size_t i = 0; i < strText.size(); i += nPiece)
            pieces.Append(std::string_view(strText).substr(i, nPiece));
        EXPECT_EQ(pieces.Text(), whole.Text());
        EXPECT_EQ(pieces.IllegalPosition(), whole.IllegalPosition());
        EXPECT_EQ(pieces.HasNonZeroDigit(), whole.HasNonZeroDigit());
        EXPECT_FALSE(pieces.IsTooLong());
    }
}

// Bytes that are no valid part of a character are refused at their place, never read as nothing.
TEST(LongCalculation, StrayBytesAndOverlongOperandsAreRefused)
{
    const std::size_t nLimit = LONG_MAX_OPERAND_DIGITS;
    const struct
    {
        LongOperator op;
        std::string first;
        std::string second;
        const char* message;
    } cases[] = {
        {LongOperator::Add, "\x80", "1", "Ingeter 1 bit 1 has illegal character"},
        {LongOperator::Mul, "12\x80", "1", "Ingeter 1 bit 3 has illegal character"},
        {LongOperator::Mul, "1", "中\x80", "Ingeter 2 bit 1 has illegal character"},
        {LongOperator::Mul, "1", "3\xE4\xB8\xAD\xAD", "Ingeter 2 bit 2 has illegal character"},
        {LongOperator::Add, std::string(nLimit + 1, '1'), "1",
         "Integer 1 has more than 20000000 digits"},
        {LongOperator::Add, std::string(nLimit, '1') + "x", "1",
         "Ingeter 1 bit 20000001 has illegal character"},
        {LongOperator::Div, "5", std::string(nLimit + 1, '0'),
         "Integer 2 has more than 20000000 digits"},
        {LongOperator::Div, "5", std::string(nLimit, '0'), "Divisor can not be zero"},
        {LongOperator::Div, "5 x", std::string(nLimit + 1, '0'),
         "Ingeter 1 bit 3 has illegal character"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const LongResult r = CalculateLong(c.op, c.first, c.second, EN);
        EXPECT_EQ(r.strMessage, c.message);
        EXPECT_EQ(r.strResult, "");
    }
}
