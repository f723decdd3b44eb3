#include "core/bignum/LongCalculation.h"
#include "core/bignum/LongCommand.h"
#include "core/bignum/LongOperand.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
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
    std::ostringstream out, err;
    int nStatus = RunLongCommand(args, pIn, out, err, language);
    std::fclose(pIn);
    return {nStatus, out.str(), err.str()};
}
} // namespace

TEST(LongCalculation, ResultsAndCountsAsTheWindowShowsThem)
{
    struct Case
    {
        int nOperator;
        const char* first;
        const char* second;
        const char* result;
        int nDigits;
    };
    const Case cases[] = {
        {LONG_SUB, "5", "12", "-7", 2},
        {LONG_SUB, "12", "12", "0", 1},
        {LONG_ADD, "0", "0", "0", 1},
        {LONG_ADD, "", "", "0", 1},
        {LONG_MUL, "123456789", "0", "0", 1},
        {LONG_DIV, "3", "7", "0", 1},
        {LONG_MOD, "14", "7", "0", 1},
        {LONG_DIV, "100", "7", "14", 2},
        {LONG_MOD, "100", "7", "2", 1},
        {LONG_DIV, "18446744073709551616", "4294967296", "4294967296", 10},
        {LONG_ADD, " 12 34\r\n5 ", "\t1", "12346", 5},
        {LONG_FAC, "0", "", "1", 1},
        {LONG_FAC, "", "", "1", 1},
        {LONG_FAC, "10", "99", "3628800", 7},
        {LONG_ADD, "pi", "100", nullptr, 100},
        {LONG_FAC, "E", "1", "2.", 1},
        {LONG_MUL, " Pi ", "5", "3.1415", 5},
        {LONG_DIV, "pi", "0", "3", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " op " + std::to_string(c.nOperator) + " " + c.second);
        LongResult r = CalculateLong(c.nOperator, c.first, c.second, EN);
        EXPECT_EQ(r.strMessage, "");
        if (c.result != nullptr) {
            EXPECT_EQ(r.strResult, c.result);
        }
        EXPECT_EQ(r.nDigits, c.nDigits);
        EXPECT_FALSE(r.bCancelled);
    }
    EXPECT_EQ(CalculateLong(LONG_ADD, "PI", "100", EN).strResult.substr(0, 12), "3.1415926535");
}

TEST(LongCalculation, RefusedInputsGiveTheMessageAndNoResult)
{
    struct Case
    {
        int nOperator;
        const char* first;
        const char* second;
        Language language;
        const char* message;
        const char* caption;
    };
    const Case cases[] = {
        {LONG_DIV, "5", "0", EN, "Divisor can not be zero", "Error"},
        {LONG_DIV, "5", "", EN, "Divisor can not be zero", "Error"},
        {LONG_DIV, "5", "000", ZH, "除数不能为零", "错误"},
        {LONG_MOD, "5", " 0 ", EN, "Divor can not be zero", "Error"},
        {LONG_ADD, "12a4", "1", EN, "Ingeter 1 bit 3 has illegal character", "Warning"},
        {LONG_ADD, "1 2-4", "1", EN, "Ingeter 1 bit 4 has illegal character", "Warning"},
        {LONG_MUL, "12", "3x", EN, "Ingeter 2 bit 2 has illegal character", "Warning"},
        {LONG_MUL, "12", "中3", ZH, "整数2第 1 位有非法字符", "提示"},
        {LONG_SUB, "1中a", "3", EN, "Ingeter 1 bit 2 has illegal character", "Warning"},
        {LONG_DIV, "PI", "", EN, "Divisor can not be zero", "Error"},
        {LONG_MOD, "PI", "", EN, "Divor can not be zero", "Error"},
        {LONG_SUB, "PI", "", EN, "Ingeter 1 bit 1 has illegal character", "Warning"},
        {LONG_FAC, "-5", "", EN, "Ingeter 1 bit 1 has illegal character", "Warning"},
        {LONG_DIV, "7", "0x", EN, "Divisor can not be zero", "Error"},
        {LONG_DIV, "7", "1x", EN, "Ingeter 2 bit 2 has illegal character", "Warning"},
        {LONG_ADD, "pi", "1e5", EN, "Ingeter 2 bit 2 has illegal character", "Warning"},
        {LONG_ADD, "pi", "100000000", EN, "The digit count of pi or e must be from 0 to 99999999",
         "Error"},
        {LONG_ADD, "e", "99999999999999999999", ZH, "pi或e的位数必须在0到99999999之间", "错误"},
        {LONG_FAC, "14000001", "", EN, "Fac needs an integer from 0 to 14000000", "Error"},
        {LONG_FAC, "4294967297", "", EN, "Fac needs an integer from 0 to 14000000", "Error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " op " + std::to_string(c.nOperator) + " " + c.second);
        LongResult r = CalculateLong(c.nOperator, c.first, c.second, c.language);
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
    EXPECT_EQ(CalculateLong(LONG_MUL, nines, nines, EN).strResult, square);
    EXPECT_EQ(CalculateLong(LONG_DIV, square, nines, EN).strResult, nines);
    EXPECT_EQ(CalculateLong(LONG_MOD, square, nines, EN).strResult, "0");
    std::string plusOne = square.substr(0, square.size() - 1) + "2";
    EXPECT_EQ(CalculateLong(LONG_MOD, plusOne, nines, EN).strResult, "1");
    EXPECT_EQ(CalculateLong(LONG_SUB, nines, square, EN).strResult,
              "-" + CalculateLong(LONG_SUB, square, nines, EN).strResult);
}

TEST(LongCalculation, RaisedFlagCancels)
{
    std::atomic<bool> bCancel{true};
    LongResult r = CalculateLong(LONG_ADD, "pi", "200000", EN, &bCancel);
    EXPECT_TRUE(r.bCancelled);
    EXPECT_EQ(r.strResult, "");
    EXPECT_EQ(r.strMessage, "");
    EXPECT_TRUE(CalculateLong(LONG_MUL, "12", "34", EN, &bCancel).bCancelled);
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
        int nOperator;
        std::string first;
        std::string second;
        const char* message;
    } cases[] = {
        {LONG_ADD, "\x80", "1", "Ingeter 1 bit 1 has illegal character"},
        {LONG_MUL, "12\x80", "1", "Ingeter 1 bit 3 has illegal character"},
        {LONG_MUL, "1", "中\x80", "Ingeter 2 bit 1 has illegal character"},
        {LONG_MUL, "1", "3\xE4\xB8\xAD\xAD", "Ingeter 2 bit 2 has illegal character"},
        {LONG_ADD, std::string(nLimit + 1, '1'), "1", "Integer 1 has more than 20000000 digits"},
        {LONG_ADD, std::string(nLimit, '1') + "x", "1",
         "Ingeter 1 bit 20000001 has illegal character"},
        {LONG_DIV, "5", std::string(nLimit + 1, '0'), "Integer 2 has more than 20000000 digits"},
        {LONG_DIV, "5", std::string(nLimit, '0'), "Divisor can not be zero"},
        {LONG_DIV, "5 x", std::string(nLimit + 1, '0'), "Ingeter 1 bit 3 has illegal character"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const LongResult r = CalculateLong(c.nOperator, c.first, c.second, EN);
        EXPECT_EQ(r.strMessage, c.message);
        EXPECT_EQ(r.strResult, "");
    }
}
