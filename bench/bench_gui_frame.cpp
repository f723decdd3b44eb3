#include "core/base/Version.h"
#include "ui/frame/FrameSkin.h"
#include "ui/base/Resources.h"
#include "ui/frame/SkinBitmaps.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

#include <benchmark/benchmark.h>

namespace
{
constexpr int WIDTH = 1000;
constexpr int HEIGHT = 700;

// A main-window frame (all three buttons, icon, title) around a 1000 x 700 window.
struct SkinnedWindow
{
    FixedLanguage language{Language::English};
    QWidget window;
    CFrameSkin skin{language};
    QImage target{WIDTH + 1, HEIGHT + 1, QImage::Format_ARGB32_Premultiplied};

    SkinnedWindow()
    {
        window.setWindowTitle(QStringLiteral("Pelmorix V" PELMORIX_VERSION_TEXT));
        window.resize(WIDTH, HEIGHT);
        InitPelmorixResources();
        skin.SetSkin(CSkinBitmaps::Load(Skin::Gold));
        skin.Attach(&window, FrameStyle{true, true, true});
    }
};

// The repaint of a window whose size has not changed: frame pieces come from the cache, the
// background is tiled over the whole client area.
void BM_FrameRepaint(benchmark::State& state)
{
    SkinnedWindow w;
    for (auto _ : state) {
        QPainter painter(&w.target);
        w.skin.PaintWindow(painter);
    }
}

// The repaint during a resize drag: every paint meets a new size and composes the edges anew.
void BM_FrameRepaintWhileSizing(benchmark::State& state)
{
    SkinnedWindow w;
    bool bWide = false;
    for (auto _ : state) {
        bWide = !bWide;
        w.window.resize(WIDTH + (bWide ? 1 : 0), HEIGHT + (bWide ? 1 : 0));
        QPainter painter(&w.target);
        w.skin.PaintWindow(painter);
    }
}

// A hover change repaints only the caption.
void BM_CaptionRepaint(benchmark::State& state)
{
    SkinnedWindow w;
    for (auto _ : state) {
        QPainter painter(&w.target);
        painter.setClipRect(0, 0, WIDTH, w.skin.Metrics().nCaption);
        w.skin.PaintWindow(painter);
    }
}
} // namespace

BENCHMARK(BM_FrameRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FrameRepaintWhileSizing)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CaptionRepaint)->Unit(benchmark::kMicrosecond);
