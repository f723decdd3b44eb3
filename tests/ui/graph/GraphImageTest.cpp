#include "ui/graph/GraphDlg.h"

#include "tests/ui/support/MainWindowFixture.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMenu>
#include <QSvgRenderer>
#include <QTimer>
#include <QXmlStreamReader>

namespace
{
class GraphImageTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        SetLanguage(Language::English);
        Type("fx 0,360,sin(x)");
        Key(Qt::Key_Return);
        ASSERT_TRUE(Graph().isVisible());
        Graph().resize(420, 300);
        Graph().SetSaveDialogs(
            {[this](QWidget*, const QString&, const QString&, const QStringList&, int* pFilter) {
                 *pFilter = m_nFilter;
                 return m_strChosen;
             },
             [this](QWidget*, const QString& strText) { m_reports << strText; }});
    }

    CGraphDlg& Graph() { return m_pDlg->Row().Graph(); }
    QSize ClientSize() { return Graph().contentsRect().size(); }

    // The texts of the context menu that opens at (x, y) of the client area.
    QStringList MenuAt(int x, int y)
    {
        QStringList texts;
        QTimer::singleShot(0, [&texts] {
            if (auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                for (const QAction* pAction : pMenu->actions())
                    texts << pAction->text();
                pMenu->close();
            }
        });
        const QPoint pt = Graph().contentsRect().topLeft() + QPoint(x, y);
        QContextMenuEvent event(QContextMenuEvent::Mouse, pt, Graph().mapToGlobal(pt));
        QApplication::sendEvent(&Graph(), &event);
        return texts;
    }

    QString m_strChosen;
    int m_nFilter = 0;
    QStringList m_reports;
};

TEST_F(GraphImageTest, ImageIsTheClientAreaAsShown)
{
    const QImage image = Graph().Image();
    ASSERT_EQ(image.size(), ClientSize());
    const QImage shown = Graph().grab(Graph().contentsRect()).toImage();
    EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32),
              shown.convertToFormat(QImage::Format_RGB32));
    Graph().CopyImage();
    EXPECT_EQ(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
              image.convertToFormat(QImage::Format_RGB32));
}

TEST_F(GraphImageTest, SavesPngOrSvgBySuffixOrFilter)
{
    const struct
    {
        const char* pszName;
        int nFilter;
        bool bSvg;
    } cases[] = {
        {"a.png", 1, false}, {"b.svg", 0, true}, {"c.SVG", 0, true},
        {"d", 1, true},      {"e", 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        m_strChosen = m_dir.filePath(c.pszName);
        m_nFilter = c.nFilter;
        Graph().SaveImageAs();
        QFile file(m_strChosen);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        if (!c.bSvg) {
            EXPECT_EQ(QImage::fromData(bytes, "PNG").size(), ClientSize());
            continue;
        }
        QXmlStreamReader xml(bytes);
        while (!xml.atEnd())
            xml.readNext();
        EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
        const QSvgRenderer svg(bytes);
        EXPECT_TRUE(svg.isValid());
        EXPECT_EQ(svg.viewBox(), QRect(QPoint(0, 0), ClientSize()));
        EXPECT_TRUE(bytes.contains("y = sin(x)")) << "the legend";
        EXPECT_TRUE(bytes.contains("   360")) << "a label";
    }
    EXPECT_TRUE(m_reports.isEmpty());

    m_strChosen = m_dir.filePath("a.png/inside.png");
    Graph().SaveImageAs();
    ASSERT_EQ(m_reports.size(), 1);
    EXPECT_TRUE(m_reports[0].startsWith("Could not save ")) << m_reports[0].toStdString();
}

TEST_F(GraphImageTest, ContextMenuOffersTheImageInBothLanguagesButNotOnABlock)
{
    EXPECT_EQ(MenuAt(200, 150), QStringList({"Copy samples of fx", "", "Copy image",
                                             "Save image as…", "", "Reset view"}));
    SetLanguage(Language::Chinese);
    const QStringList texts = MenuAt(200, 150);
    ASSERT_EQ(texts.size(), 6);
    EXPECT_EQ(texts.mid(2), QStringList({"复制图像", "图像另存为…", "", "还原视图"}));
    // A right click on the colour block of slot 0 only hides its curve.
    EXPECT_EQ(MenuAt(20, 20), QStringList());
}
} // namespace
