#include "core/eval/RandomGenerator.h"
#include "ui/app/CalcDlg.h"
#include "ui/app/QtSettingsStore.h"
#include "ui/console/CalcEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextBlock>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <malloc.h>

namespace
{
constexpr int MEGABYTE_LINE = 1'000'000;
constexpr int PASTES = 10;

// The main window as the program shows it, over settings in a temporary directory.
struct ShownConsole
{
    QTemporaryDir dir;
    CRandomGenerator random;
    CQtSettingsStore store{dir.path()};
    CCalcDlg dialog{random, store};

    ShownConsole()
    {
        dialog.show();
        QApplication::processEvents();
    }
    CCalcEdit& Console() { return dialog.Console(); }
};

// A key typed in the console, and what the window does for it (layout, painting) before the
// next key comes.
void TypeKey(CCalcEdit& console, Qt::Key key, const QString& strText)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, strText);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, strText);
    QApplication::sendEvent(&console, &press);
    QApplication::sendEvent(&console, &release);
    QApplication::processEvents();
}

void Paste(CCalcEdit& console, const QString& strText)
{
    QApplication::clipboard()->setText(strText);
    console.paste();
    QApplication::processEvents();
}

// Megabytes the heap has handed out and not had back.
double HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd) / (1024.0 * 1024.0);
}

// A digit typed at the end of a line of a million pasted characters.
void BM_KeyAfterPastingMegabyteLine(benchmark::State& state)
{
    ShownConsole w;
    Paste(w.Console(), QString(MEGABYTE_LINE, QLatin1Char('7')));
    state.counters["line"] = double(w.Console().document()->firstBlock().length() - 1);
    for (auto _ : state)
        TypeKey(w.Console(), Qt::Key_1, QStringLiteral("1"));
}

// A digit typed on a short line below a line of a million pasted characters.
void BM_KeyBelowPastedMegabyteLine(benchmark::State& state)
{
    ShownConsole w;
    Paste(w.Console(), QString(MEGABYTE_LINE, QLatin1Char('7')) + QStringLiteral("\n"));
    for (auto _ : state)
        TypeKey(w.Console(), Qt::Key_1, QStringLiteral("1"));
}

// A digit typed at the end of a line of state.range(0) characters that did not come from a
// paste: what the text control's layout costs for such a line.
void BM_KeyAtEndOfLine(benchmark::State& state)
{
    ShownConsole w;
    w.Console().InsertText(QString(int(state.range(0)), QLatin1Char('7')));
    QApplication::processEvents();
    for (auto _ : state)
        TypeKey(w.Console(), Qt::Key_1, QStringLiteral("1"));
}

// Ten pastes of a megabyte (lines of 99 digits), each selected and deleted again: the heap the
// console still holds afterwards, most of it text kept for undoing.
void BM_HeapAfterTenDeletedMegabytePastes(benchmark::State& state)
{
    QString strLines;
    for (int i = 0; i < MEGABYTE_LINE / 100; ++i)
        strLines += QString(99, QLatin1Char('7')) + QLatin1Char('\n');
    for (auto _ : state) {
        ShownConsole w;
        const double dBefore = HeapInUse();
        for (int i = 0; i < PASTES; ++i) {
            Paste(w.Console(), strLines);
            w.Console().selectAll();
            TypeKey(w.Console(), Qt::Key_Delete, QString());
        }
        state.counters["MB_held"] = HeapInUse() - dBefore;
    }
}
// The console's assistance as state.range(1) has it: 1 completes names, 2 colours, 4 shows the
// value; 7 is all of it, 0 none, as the console was before it had any.
void SetAssistance(CCalcEdit& console, std::int64_t nSwitches)
{
    console.SetCompleting((nSwitches & 1) != 0);
    console.SetColouring((nSwitches & 2) != 0);
    console.SetPreviewing((nSwitches & 4) != 0);
}

// A letter typed at the end of the console's text and Backspace taking it away again, each counted.
void TypeAtEndAndTakeBack(benchmark::State& state, CCalcEdit& console)
{
    console.moveCursor(QTextCursor::End);
    QApplication::processEvents();
    for (auto _ : state) {
        TypeKey(console, Qt::Key_Q, QStringLiteral("q"));
        TypeKey(console, Qt::Key_Backspace, QString());
    }
    state.SetItemsProcessed(state.iterations() * 2);
}

// A key typed at the end of the last line of a console of state.range(0) lines (statements and
// results), and the key that takes it away again, each measured; the last line is an
// expression whose value is shown.
void BM_AssistedKeyAtEndOfConsole(benchmark::State& state)
{
    ShownConsole w;
    SetAssistance(w.Console(), state.range(1));
    QString strText;
    for (int i = 0; i < state.range(0) / 2; ++i)
        strText += QStringLiteral("sin(%1)+a*2 # line\n0.5\n").arg(i);
    w.Console().setPlainText(strText + QStringLiteral("pow(2,10)+s"));
    TypeAtEndAndTakeBack(state, w.Console());
}

// The same on a line of state.range(0) characters: one long expression. Of 500 characters it is
// coloured whole; of 2,000 it has more coloured stretches than a line gets.
void BM_AssistedKeyOnLongLine(benchmark::State& state)
{
    ShownConsole w;
    SetAssistance(w.Console(), state.range(1));
    QString strLine;
    while (strLine.size() < state.range(0) - 10)
        strLine += QStringLiteral("(1+2)*3-");
    w.Console().setPlainText(strLine + QStringLiteral("sqr(16)+s"));
    TypeAtEndAndTakeBack(state, w.Console());
}
} // namespace

BENCHMARK(BM_AssistedKeyAtEndOfConsole)
    ->Unit(benchmark::kMillisecond)
    ->Args({10000, 0})
    ->Args({10000, 7})
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_AssistedKeyOnLongLine)
    ->Unit(benchmark::kMillisecond)
    ->Args({2000, 0})
    ->Args({2000, 1})
    ->Args({2000, 2})
    ->Args({2000, 4})
    ->Args({2000, 7})
    ->Args({500, 0})
    ->Args({500, 7})
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_KeyAfterPastingMegabyteLine)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_KeyBelowPastedMegabyteLine)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_KeyAtEndOfLine)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0)
    ->Arg(CCalcEdit::PASTE_LINE_LIMIT)
    ->Arg(MEGABYTE_LINE);
BENCHMARK(BM_HeapAfterTenDeletedMegabytePastes)->Unit(benchmark::kMillisecond)->Iterations(1);
