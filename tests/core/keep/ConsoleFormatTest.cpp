#include "core/keep/ConsoleFormat.h"

#include "core/eval/CalcError.h"
#include "core/eval/RandomGenerator.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <string>

namespace
{
constexpr double INF = std::numeric_limits<double>::infinity();

std::uint64_t Bits(double d) { return std::bit_cast<std::uint64_t>(d); }

TEST(ConsoleFormatTest, ValuesComeBackBitForBit)
{
    const double negativeNan = -std::numeric_limits<double>::quiet_NaN();
    const double payloadNan = std::bit_cast<double>(std::uint64_t(0x7ff0000000000123));
    const CalcValue values[] = {
        {5.0},
        {0.1, -0.0},
        {-0.0, 1.0 / 3},
        {5e-324, 1e300},
        {std::numeric_limits<double>::max(), -INF},
        {INF, 0.0},
        {negativeNan, payloadNan},
    };
    KeptConsole kept;
    for (std::size_t i = 0; i < std::size(values); ++i)
        kept.variables["v" + std::to_string(i)] = values[i];
    const std::string strFile = WriteKeptConsole(kept);
    EXPECT_NE(strFile.find("\nvar v0 5 0\n"), std::string::npos) << strFile;
    const KeptConsole read = ReadKeptConsole(strFile);
    for (std::size_t i = 0; i < std::size(values); ++i) {
        SCOPED_TRACE(i);
        const CalcValue& value = read.variables.at("v" + std::to_string(i));
        EXPECT_EQ(Bits(value.re), Bits(values[i].re));
        EXPECT_EQ(Bits(value.im), Bits(values[i].im));
    }
}

TEST(ConsoleFormatTest, TextCurvesAndGraphRoundTrip)
{
    KeptConsole kept;
    kept.lines = {"a=5", "|not a mark", "end", "var x 1 2", "", "中文 # note", "  "};
    kept.variables = {{"B", {1, 2}}, {"a1", {-3}}};
    kept.dA = -0.5;
    kept.dB = 360;
    kept.nSelected = 9;
    kept.curves = {{0, true, "sin(x)"}, {3, false, ""}, {9, true, "pow(x,2)"}};
    const std::string strFile = WriteKeptConsole(kept);
    EXPECT_EQ(ReadKeptConsole(strFile), kept) << strFile;
    EXPECT_EQ(ReadKeptConsole("pelmorix-console 1\nend").lines, std::vector<std::string>{""});
}

TEST(ConsoleFormatTest, UnreadableFilesNameTheProblemAndLine)
{
    const std::string H = "pelmorix-console 1\n";
    const struct
    {
        std::string strFile;
        KeepProblem problem;
        int nLine;
    } cases[] = {
        {"", KeepProblem::CutShort, 1},
        {"hello\nend\n", KeepProblem::NotConsole, 1},
        {"pelmorix-console one\nend\n", KeepProblem::NotConsole, 1},
        {"pelmorix-console 2\nsomething new\nend\n", KeepProblem::NewerVersion, 1},
        {H + "|a=5\n", KeepProblem::CutShort, 2},
        {H + "|a=5\nen", KeepProblem::CutShort, 3},
        {H + "var 1a 5 0\nend\n", KeepProblem::BadLine, 2},
        {H + "var pi 3 0\nend\n", KeepProblem::BadLine, 2},
        {H + "var a 5\nend\n", KeepProblem::BadLine, 2},
        {H + "var a 5 0\nvar a 6 0\nend\n", KeepProblem::BadLine, 3},
        {H + "var a nan 0\nend\n", KeepProblem::BadLine, 2},
        {H + "var a nan:0000000000000001 0\nend\n", KeepProblem::BadLine, 2},
        {H + "var a 1e999 0\nend\n", KeepProblem::BadLine, 2},
        {H + "var a 0x10 0\nend\n", KeepProblem::BadLine, 2},
        {H + "|x\nvar a 5 0\nend\n", KeepProblem::BadLine, 3},
        {H + "graph 0 1 0\ngraph 0 1 0\nend\n", KeepProblem::BadLine, 3},
        {H + "graph 0 1 10\nend\n", KeepProblem::BadLine, 2},
        {H + "curve 10 shown x\nend\n", KeepProblem::BadLine, 2},
        {H + "curve 1 visible x\nend\n", KeepProblem::BadLine, 2},
        {H + "curve 1 shown x y\nend\n", KeepProblem::BadLine, 2},
        {H + "curve 2 shown x\ncurve 1 shown x\nend\n", KeepProblem::BadLine, 3},
        // Longer than a console line: never written by the program.
        {H + "curve 1 shown " + std::string(MAX_CURVE_EXPRESSION, '1') + "+x\nend\n",
         KeepProblem::BadLine, 2},
        {H + "sample 1\nend\n", KeepProblem::BadLine, 2},
        {H + "end\n|after\n", KeepProblem::BadLine, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.strFile);
        try {
            ReadKeptConsole(c.strFile);
            ADD_FAILURE() << "read without error";
        } catch (const KeepFormatError& error) {
            EXPECT_EQ(error.Problem(), c.problem);
            EXPECT_EQ(error.Line(), c.nLine);
        }
    }
    EXPECT_EQ(
        ReadKeptConsole(H + "curve 1 shown " + std::string(MAX_CURVE_EXPRESSION, 'x') + "\nend\n")
            .curves.at(0)
            .strExpression.size(),
        MAX_CURVE_EXPRESSION);
    EXPECT_EQ(KeepFormatError(KeepProblem::BadLine, 7).Describe(Language::Chinese),
              "第 7 行无法读取");
    EXPECT_EQ(KeepFormatError(KeepProblem::BadLine, 7).Describe(Language::English),
              "line 7 cannot be read");
}

TEST(ConsoleFormatTest, OnlyTheNewestLinesAreKept)
{
    KeptConsole kept;
    kept.lines.clear();
    for (int i = 0; i < 10'005; ++i)
        kept.lines.push_back(std::to_string(i));
    kept.BoundLines();
    ASSERT_EQ(kept.lines.size(), KeptConsole::MAX_LINES);
    EXPECT_EQ(kept.lines.front(), "5");

    // Five lines of a million bytes and their breaks pass 4 MiB; four do not.
    kept.lines.assign(6, std::string(1'000'000, 'x'));
    kept.lines.back() = "last";
    kept.BoundLines();
    EXPECT_EQ(kept.lines.size(), 5u);
    EXPECT_EQ(kept.lines.back(), "last");
}

TEST(ConsoleFormatTest, RestoredConsoleEvaluatesAndPlotsAsBefore)
{
    const FixedLanguage language(Language::English);
    CRandomGenerator random;
    const AngleUnit angle;
    CEvalContext eval(language, random, angle);
    CCurveTable table(language, random, angle, 50);
    eval.EvaluateLine("a=5");
    eval.EvaluateLine("z=1+2i");
    table.PlotCurve("0,360,sin(x)", 0, true);
    table.PlotCurve(" x*x", 2, true);
    table.ToggleCurve(2);
    table.UpdateAxes();
    EXPECT_THROW(table.PlotCurve(" sqr(x-100)", 3, true), CalcError);

    const KeptConsole kept = CaptureConsole({"a=5", "fx 0,360,sin(x)", ""}, eval, table);
    CEvalContext eval2(language, random, angle);
    CCurveTable table2(language, random, angle, 50);
    RestoreConsole(ReadKeptConsole(WriteKeptConsole(kept)), eval2, table2);

    EXPECT_EQ(eval2.EvaluateLine("a+1"), CalcValue(6));
    EXPECT_EQ(eval2.EvaluateLine("z"), CalcValue(1, 2));
    EXPECT_EQ(table2.A(), 0.0);
    EXPECT_EQ(table2.B(), 360.0);
    for (int nSlot : {0, 2, 3}) {
        SCOPED_TRACE(nSlot);
        EXPECT_EQ(table2.Slot(nSlot).state, table.Slot(nSlot).state);
        EXPECT_EQ(table2.Slot(nSlot).shown, table.Slot(nSlot).shown);
        EXPECT_EQ(table2.Slot(nSlot).samples, table.Slot(nSlot).samples);
        EXPECT_EQ(table2.Slot(nSlot).legend, table.Slot(nSlot).legend);
    }
    EXPECT_EQ(table2.Slot(3).state, CurveState::Failed);
    EXPECT_EQ(table2.LabelText(CCurveTable::LABEL_TOP), table.LabelText(CCurveTable::LABEL_TOP));
    EXPECT_EQ(table2.LabelText(CCurveTable::LABEL_RIGHT), "   360");
}
} // namespace
