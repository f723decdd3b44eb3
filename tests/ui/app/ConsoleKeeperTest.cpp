#include "ui/app/ConsoleKeeper.h"

#include "core/app/SettingsRecord.h"
#include "core/keep/ConsoleFormat.h"
#include "core/keep/KeepTexts.h"
#include "tests/ui/support/CalculatorProcess.h"
#include "tests/ui/support/MainWindowFixture.h"
#include "ui/app/CalcApp.h"
#include "ui/base/HoverButton.h"
#include "ui/base/QtText.h"
#include "ui/bignum/HugeNumDlg.h"
#include "ui/bignum/LongResultView.h"
#include "ui/console/AssistSwitches.h"
#include "ui/console/ConsoleHighlighter.h"
#include "ui/console/NameCompleter.h"
#include "ui/graph/GraphDlg.h"

#include <QDir>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QRandomGenerator>
#include <QTimer>

#include <csignal>
#include <functional>
#include <optional>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
QByteArray ReadAll(const QString& strPath)
{
    QFile file(strPath);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(none)");
}

void WriteAll(const QString& strPath, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(strPath).absolutePath());
    QFile file(strPath);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QAction* ActionNamed(const QMenu& menu, const char* pszName)
{
    for (QAction* pAction : menu.actions())
        if (pAction->objectName() == pszName)
            return pAction;
    return nullptr;
}

// The files of a folder other than the kept console.
QStringList Aside(const QString& strFolder)
{
    return QDir(strFolder).entryList({"console.txt.bad-*"}, QDir::AllEntries | QDir::System);
}

class ConsoleKeeperTest : public MainWindowFixture
{
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        Fake(m_pDlg->Keeper());
    }

    // Dialogs that choose m_strChosen with filter m_nFilter and note what they are told.
    SaveDialogs FakeDialogs()
    {
        return {[this](QWidget*, const QString&, const QString&, const QStringList&, int* pFilter) {
                    *pFilter = m_nFilter;
                    return m_strChosen;
                },
                [this](QWidget*, const QString& strText) { m_reports << strText; }};
    }

    void Fake(CConsoleKeeper& keeper)
    {
        keeper.SetSaveDialogs(FakeDialogs());
        keeper.SetConfirmer([this](QWidget*, const QString& strText) {
            m_questions << strText;
            return m_bAnswer;
        });
    }

    // Closes the window, lets prepare change the files, and opens it again.
    void Restart(const std::function<void()>& prepare = {})
    {
        m_pDlg->close();
        m_pDlg.reset();
        m_pStore.reset();
        if (prepare)
            prepare();
        Open();
        Fake(m_pDlg->Keeper());
    }

    void Enter(const QString& strLine)
    {
        Type(strLine);
        Key(Qt::Key_Return);
    }

    QString Folder() { return m_dir.filePath("data"); }
    QString File() { return m_dir.filePath("data/console.txt"); }
    CConsoleKeeper& Keeper() { return m_pDlg->Keeper(); }

    // Opens the frame's icon menu as a click on the window's icon does.
    QMenu* OpenIconMenu()
    {
        QTest::mouseClick(m_pDlg.get(), Qt::LeftButton, {}, QPoint(14, 12));
        QMenu* pMenu = m_pDlg->findChild<QMenu*>("systemMenu");
        return pMenu != nullptr && pMenu->isVisible() ? pMenu : nullptr;
    }

    QString m_strChosen;
    int m_nFilter = 0;
    QStringList m_reports;
    QStringList m_questions;
    bool m_bAnswer = true;
};

TEST_F(ConsoleKeeperTest, EnterRunIsWrittenAMomentLaterAndCloseWritesAtOnce)
{
    Enter("a=5");
    EXPECT_TRUE(Keeper().IsSavePending());
    EXPECT_FALSE(QFile::exists(File()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(File()); }, 5000));
    EXPECT_TRUE(ReadAll(File()).contains("\nvar a 5 0\n"));
    Type("a*2");
    Restart();
    EXPECT_EQ(Text(), "a=5\na*2");
    EXPECT_EQ(CaretColumn(), 3);
    // A line longer than a paste may make, written by hand, comes back cut as a paste is.
    Restart(
        [&] { WriteAll(File(), "pelmorix-console 1\n|" + QByteArray(40000, '7') + "\nend\n"); });
    EXPECT_EQ(Text(), QString(CCalcEdit::PASTE_LINE_LIMIT, '7'));
}

// A start removes only what a write of the kept console killed half-way can have left: names of
// the program's own. A user's copies stay, whatever their names, also those that look like a
// temporary file of Qt's.
TEST_F(ConsoleKeeperTest, StartRemovesOnlyWhatItsOwnKilledWritesLeft)
{
    Enter("a=5");
    ASSERT_TRUE(Keeper().SaveNow());
    const struct
    {
        const char* pszName;
        bool bRemoved;
    } files[] = {
        {"console.txt.backup", false},
        {"console.txt.before", false},
        {"console.txt.2024Q1", false},
        {"console.txt.Ab12cD", false},
        {"console.txt.bad-20240101-120000", false},
        {".console.txt", false},
        {".console.txt.pelmorix-writing.old", false},
        {".console.txt.pelmorix-writing.Ab12cD.txt", false},
        {"console.txt.pelmorix-writing", false},
        {".console.txt.pelmorix-writing", true},
        {".console.txt.pelmorix-writing.Ab12cD", true},
    };
    Restart([&] {
        for (const auto& file : files)
            WriteAll(QDir(Folder()).filePath(file.pszName), "pelmorix-console 1\n|half");
        QDir().mkpath(QDir(Folder()).filePath(".console.txt.pelmorix-writing.XY12ab"));
    });
    for (const auto& file : files) {
        SCOPED_TRACE(file.pszName);
        EXPECT_EQ(QFileInfo::exists(QDir(Folder()).filePath(file.pszName)), !file.bRemoved);
    }
    EXPECT_TRUE(QFileInfo(QDir(Folder()).filePath(".console.txt.pelmorix-writing.XY12ab")).isDir());
    EXPECT_EQ(Text(), "a=5\n");
    // A write leaves none of its names behind.
    const QStringList before =
        QDir(Folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    Enter("b=1");
    ASSERT_TRUE(Keeper().SaveNow());
    EXPECT_EQ(QDir(Folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System), before);
}

// Each way a kept file can be unusable: the start goes on with an empty console whose first line
// says why and where the file went, and the file is kept aside as it was.
TEST_F(ConsoleKeeperTest, UnusableKeptFileIsMovedAsideAndNamedInTheFirstLine)
{
    Enter("a=5");
    ASSERT_TRUE(Keeper().SaveNow());
    const QByteArray kept = ReadAll(File());
    const struct
    {
        const char* pszName;
        std::function<void(const QString&)> make;
        const char* pszReason;
    } cases[] = {
        {"corrupt",
         [](const QString& f) { WriteAll(f, "pelmorix-console 1\nvar a five 0\nend\n"); },
         "line 2 cannot be read"},
        {"cut short", [&](const QString& f) { WriteAll(f, kept.left(kept.size() - 6)); },
         "it ends early"},
        {"newer", [](const QString& f) { WriteAll(f, "pelmorix-console 7\nend\n"); },
         "a newer version of Pelmorix wrote it"},
        {"folder", [](const QString& f) { QDir().mkpath(f + "/inside"); },
         "a folder stands in its place"},
        {"fifo", [](const QString& f) { mkfifo(QFile::encodeName(f).constData(), 0600); },
         "it is no plain file"},
        {"unreadable", [](const QString& f) { QFile::link(f, f); }, "it cannot be read ("},
    };
    SetLanguage(Language::English);
    int nCase = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        Restart([&] {
            // The file of the case before goes out of the way.
            for (const QString& strName : Aside(Folder()))
                QDir(Folder()).rename(strName, QString("case%1-").arg(nCase++) + strName);
            QFile::remove(File());
            QDir(File()).removeRecursively();
            c.make(File());
        });
        const QStringList aside = Aside(Folder());
        ASSERT_EQ(aside.size(), 1);
        const QString strAside = QDir(Folder()).filePath(aside.first());
        const QString strExpected =
            QString("# The console of the last run could not be restored: ") + c.pszReason;
        EXPECT_TRUE(Text().startsWith(strExpected)) << Text().toStdString();
        EXPECT_TRUE(Text().endsWith("The file was moved to " + strAside + ".\n"))
            << Text().toStdString();
        EXPECT_EQ(Console().textCursor().blockNumber(), 1);
        EXPECT_TRUE(QFileInfo(strAside).exists() || QFileInfo(strAside).isSymLink());
        EXPECT_FALSE(QFileInfo::exists(File()));
        EXPECT_TRUE(m_pDlg->Console().Eval().Variables().empty());
    }
    // The last aside file stays untouched while a new console is kept.
    const QStringList aside = Aside(Folder());
    Enter("b=1");
    ASSERT_TRUE(Keeper().SaveNow());
    EXPECT_EQ(Aside(Folder()), aside);
    EXPECT_TRUE(ReadAll(File()).contains("\nvar b 1 0\n"));
}

TEST_F(ConsoleKeeperTest, FirstLineSpeaksTheLanguageOfTheSettings)
{
    Restart([&] { WriteAll(File(), "something else\n"); });
    EXPECT_TRUE(
        Text().startsWith("# 无法恢复上次的控制台内容：它不是保存的控制台内容。该文件已移至 "))
        << Text().toStdString();
}

// A data folder that cannot be looked into, or that is no folder, holds a kept console that
// cannot be read: the console starts empty and says so, and nothing is written there.
TEST_F(ConsoleKeeperTest, UnreadableDataFolderStartsEmptyWithTheNote)
{
    Enter("a=5");
    ASSERT_TRUE(Keeper().SaveNow());
    const QByteArray kept = ReadAll(File());
    const struct
    {
        const char* pszName;
        std::function<void()> make;
        std::function<void()> undo;
    } cases[] = {
        {"folder without permissions", [&] { QFile::setPermissions(Folder(), {}); },
         [&] {
             QFile::setPermissions(Folder(),
                                   QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
         }},
        {"a file in the folder's place",
         [&] {
             QDir().rename(Folder(), Folder() + "-aside");
             WriteAll(Folder(), "mine");
         },
         [&] {
             QFile::remove(Folder());
             QDir().rename(Folder() + "-aside", Folder());
         }},
    };
    SetLanguage(Language::English);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pszName);
        // Permissions do not keep the superuser out.
        if (geteuid() == 0 && c.pszName == cases[0].pszName)
            continue;
        Restart(c.make);
        EXPECT_TRUE(Text().startsWith("# The console of the last run could not be restored: it "
                                      "cannot be read ("))
            << Text().toStdString();
        EXPECT_TRUE(Text().contains("could not be moved aside")) << Text().toStdString();
        EXPECT_EQ(Console().textCursor().blockNumber(), 1);
        Enter("b=2");
        Restart(c.undo);
        EXPECT_EQ(ReadAll(File()), kept);
        EXPECT_EQ(Text(), "a=5\n");
    }
}

// Each "save as" of the windows aimed at a FIFO is refused with the reason in the current
// language, and the FIFO stays as it was. A saver that opened it would wait for a reader.
TEST_F(ConsoleKeeperTest, EverySaverRefusesATargetThatIsNoFile)
{
    auto* pResult = m_pDlg->Row().HugeNum().findChild<CLongResultView*>(QStringLiteral("result"));
    ASSERT_NE(pResult, nullptr);
    m_pDlg->Row().Graph().SetSaveDialogs(FakeDialogs());
    pResult->SetSaveDialogs(FakeDialogs());
    m_strChosen = m_dir.filePath("fifo");
    ASSERT_EQ(mkfifo(QFile::encodeName(m_strChosen).constData(), 0600), 0);
    const struct
    {
        const char* pszSaver;
        int nFilter;
        std::function<void()> save;
    } savers[] = {
        {"console", 0, [&] { Key(Qt::Key_S, Qt::ControlModifier); }},
        {"graph as PNG", 0, [&] { m_pDlg->Row().Graph().SaveImageAs(); }},
        {"graph as SVG", 1, [&] { m_pDlg->Row().Graph().SaveImageAs(); }},
        {"long result", 0, [&] { pResult->SaveResultAs(); }},
    };
    const QStringList before =
        QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System);
    for (const Language language : {Language::English, Language::Chinese}) {
        SetLanguage(language);
        for (const auto& saver : savers) {
            SCOPED_TRACE(saver.pszSaver);
            m_reports.clear();
            m_nFilter = saver.nFilter;
            saver.save();
            ASSERT_EQ(m_reports.size(), 1);
            EXPECT_EQ(m_reports[0], QtText(keepmsg::NOT_SAVED, language)
                                        .arg(m_strChosen, QtText(keepmsg::NOT_A_FILE, language)));
            struct stat status = {};
            ASSERT_EQ(lstat(QFile::encodeName(m_strChosen).constData(), &status), 0);
            EXPECT_TRUE(S_ISFIFO(status.st_mode));
            EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System),
                      before);
        }
    }
}

// Restored curves are sampled after the start, once the event loop runs; a curve defined again
// before its turn keeps its new definition.
TEST_F(ConsoleKeeperTest, RestoredCurvesAreSampledAfterTheStartUnlessDefinedAgain)
{
    for (const char* pszLine : {"fx 0,360,sin(x)", "fx1 x*x", "fx2 cos(x)*2"})
        Enter(pszLine);
    const CCurveTable& curves = m_pDlg->Row().Graph().Curves();
    const std::vector<double> samples[] = {curves.Slot(0).samples, curves.Slot(1).samples,
                                           curves.Slot(2).samples};
    m_pDlg->close();
    m_pDlg.reset();
    // Built and shown without an event loop: nothing may be sampled yet.
    m_pDlg = std::make_unique<CCalcDlg>(m_random, *m_pStore, Folder());
    m_pDlg->show();
    Fake(Keeper());
    const CCurveTable& restored = m_pDlg->Row().Graph().Curves();
    for (int nSlot = 0; nSlot < 3; ++nSlot)
        EXPECT_EQ(restored.Slot(nSlot).state, CurveState::Failed);
    EXPECT_TRUE(Keeper().IsSamplingPending());
    Enter("fx1 x+1");
    ASSERT_EQ(restored.Slot(1).state, CurveState::Valid);
    const std::vector<double> redefined = restored.Slot(1).samples;
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Keeper().IsSamplingPending(); }, 60000));
    EXPECT_EQ(restored.Slot(0).samples, samples[0]);
    EXPECT_EQ(restored.Slot(1).expression, "x+1");
    EXPECT_EQ(restored.Slot(1).samples, redefined);
    EXPECT_EQ(restored.Slot(2).samples, samples[2]);
    for (int nSlot = 0; nSlot < 3; ++nSlot)
        EXPECT_EQ(restored.Slot(nSlot).state, CurveState::Valid);
}

// The write stops half-way as on a full disk: the file-size limit makes the system refuse
// the rest of the write, where a full disk would say there is no space.
TEST_F(ConsoleKeeperTest, WriteThatFailsHalfWayIsReportedOnceAndKeepsTheOldFile)
{
    Enter("a=5");
    ASSERT_TRUE(Keeper().SaveNow());
    const QByteArray old = ReadAll(File());
    Enter(QString(3000, 'x'));
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    rlimit small = saved;
    small.rlim_cur = 2000;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool bFirst = Keeper().SaveNow();
    const bool bSecond = Keeper().SaveNow();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(bFirst);
    EXPECT_FALSE(bSecond);
    EXPECT_EQ(ReadAll(File()), old);
    ASSERT_EQ(m_reports.size(), 1);
    EXPECT_TRUE(m_reports[0].contains(QDir::toNativeSeparators(File())))
        << m_reports[0].toStdString();
    EXPECT_EQ(Text().count('x'), 3000) << "the console loses nothing";
    EXPECT_TRUE(Keeper().SaveNow());
    EXPECT_TRUE(ReadAll(File()).contains(QByteArray(3000, 'x')));
}

TEST_F(ConsoleKeeperTest, SwitchingOffAsksBeforeDeletingAndIsRemembered)
{
    Enter("a=5");
    ASSERT_TRUE(Keeper().SaveNow());
    QMenu* pMenu = OpenIconMenu();
    ASSERT_NE(pMenu, nullptr);
    QAction* pKeep = ActionNamed(*pMenu, "keepConsole");
    ASSERT_NE(pKeep, nullptr);
    EXPECT_TRUE(pKeep->isChecked());
    pMenu->close();

    m_bAnswer = false;
    pKeep->trigger();
    EXPECT_EQ(m_questions.size(), 1);
    EXPECT_TRUE(m_questions[0].contains(QDir::toNativeSeparators(File())));
    EXPECT_TRUE(pKeep->isChecked());
    EXPECT_TRUE(Keeper().IsKeeping());
    EXPECT_TRUE(QFile::exists(File()));

    m_bAnswer = true;
    pKeep->trigger();
    EXPECT_FALSE(pKeep->isChecked());
    EXPECT_FALSE(QFile::exists(File()));
    EXPECT_EQ(m_pStore->Read(CConsoleKeeper::SETTING_NAME), "0");
    Enter("b=2");
    Restart();
    EXPECT_EQ(Text(), "");
    EXPECT_FALSE(QFile::exists(File())) << "nothing is written while keeping is off";
    EXPECT_FALSE(Keeper().IsKeeping());

    Enter("c=3");
    Keeper().SetKeeping(true);
    EXPECT_EQ(m_questions.size(), 2) << "turning on asks nothing";
    Restart();
    EXPECT_EQ(Text(), "c=3\n");
    EXPECT_EQ(m_pStore->Read(CConsoleKeeper::SETTING_NAME), "1");
}

TEST_F(ConsoleKeeperTest, IconMenuOffersKeepingAndSavingInBothLanguages)
{
    for (const auto& [language, pszKeep, pszSave] :
         {std::tuple{Language::English, "Keep console between runs", "Save console as…"},
          std::tuple{Language::Chinese, "退出后保留控制台内容", "控制台另存为…"}}) {
        SetLanguage(language);
        QMenu* pMenu = OpenIconMenu();
        ASSERT_NE(pMenu, nullptr);
        const QList<QAction*> actions = pMenu->actions();
        ASSERT_GE(actions.size(), 3);
        EXPECT_TRUE(actions[actions.size() - 3]->isSeparator());
        EXPECT_EQ(actions[actions.size() - 2]->text(), QString::fromUtf8(pszKeep));
        EXPECT_EQ(actions.back()->text(), QString::fromUtf8(pszSave));
        pMenu->close();
    }
}

TEST_F(ConsoleKeeperTest, CtrlSSavesTheTextAsItStandsAndReportsAFailure)
{
    Enter("1+2");
    Console().InsertText("中文");
    m_strChosen = m_dir.filePath("saved.txt");
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(ReadAll(m_strChosen), QString("1+2\n3\n中文").toUtf8());
    EXPECT_TRUE(m_reports.isEmpty());

    // The context menu offers the same.
    m_strChosen = m_dir.filePath("menu.txt");
    QTimer::singleShot(0, [] {
        auto* pMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(pMenu, nullptr);
        QAction* pSave = ActionNamed(*pMenu, "saveConsole");
        ASSERT_NE(pSave, nullptr);
        pSave->trigger();
        pMenu->close();
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                            Console().viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(Console().viewport(), &event);
    EXPECT_EQ(ReadAll(m_strChosen), QString("1+2\n3\n中文").toUtf8());

    // No folder can be made inside a plain file: the save fails and the console stays.
    m_strChosen = m_dir.filePath("saved.txt/inside.txt");
    Key(Qt::Key_S, Qt::ControlModifier);
    ASSERT_EQ(m_reports.size(), 1);
    EXPECT_TRUE(m_reports[0].startsWith("无法保存 " + QDir::toNativeSeparators(m_strChosen)));
    EXPECT_EQ(Text(), "1+2\n3\n中文");
}

// Points the user's data and settings folders into dir while it lives.
class PrivateFolders
{
public:
    explicit PrivateFolders(const QTemporaryDir& dir)
    {
        for (const char* pszName : NAMES) {
            m_saved.push_back(qEnvironmentVariableIsSet(pszName) ? std::optional(qgetenv(pszName))
                                                                 : std::nullopt);
            qputenv(pszName, QFile::encodeName(dir.filePath(pszName)));
        }
    }
    ~PrivateFolders()
    {
        for (std::size_t i = 0; i < std::size(NAMES); ++i) {
            if (m_saved[i])
                qputenv(NAMES[i], *m_saved[i]);
            else
                qunsetenv(NAMES[i]);
        }
    }

private:
    static constexpr const char* NAMES[] = {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS"};
    std::vector<std::optional<QByteArray>> m_saved;
};

// The whole program's way: private data and settings folders named by the environment, the
// console typed into, the window closed, and a second window started over the same folders.
TEST(ConsoleKeeperRestart, ConsoleVariablesAndCurvesComeBack)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const PrivateFolders folders(dir);
    CRandomGenerator random;
    {
        CQtSettingsStore store;
        CCalcDlg dlg(random, store, CCalcApp::DataFolder());
        dlg.show();
        for (const char* pszLine : {"a=5", "a*2", "fx1 sin(x)"}) {
            QTest::keyClicks(&dlg.Console(), pszLine);
            QTest::keyClick(&dlg.Console(), Qt::Key_Return);
        }
        dlg.close();
    }
    EXPECT_TRUE(QFile::exists(
        dir.filePath("XDG_DATA_HOME/" + QCoreApplication::applicationName() + "/console.txt")));
    CQtSettingsStore store;
    CCalcDlg dlg(random, store, CCalcApp::DataFolder());
    dlg.show();
    EXPECT_EQ(dlg.Console().toPlainText(), "a=5\na*2\n10\nfx1 sin(x)\n");
    QTest::keyClicks(&dlg.Console(), "a+1");
    QTest::keyClick(&dlg.Console(), Qt::Key_Return);
    EXPECT_EQ(dlg.Console().toPlainText(), "a=5\na*2\n10\nfx1 sin(x)\na+1\n6\n");
    const CurveSlot& slot = dlg.Row().Graph().Curves().Slot(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return slot.state == CurveState::Valid; }));
    EXPECT_EQ(slot.expression, "sin(x)");
    EXPECT_TRUE(slot.shown);
    EXPECT_FALSE(dlg.Row().Graph().isVisible());
    QTest::mouseClick(&dlg.Button(AuxId::Graph), Qt::LeftButton);
    EXPECT_TRUE(dlg.Row().Graph().isVisible());
    dlg.close();
}

// Two calculators that do not share a runtime folder (two desktop sessions of one user) over one
// data folder: the first owns the kept console; the second starts empty, says why, and writes
// nothing there, though it closes last. Both are asked to end as a logout asks.
TEST(ConsoleKeeperTwoSessions, SecondKeepsNothingAndSaysWhy)
{
    QTemporaryDir first;
    QTemporaryDir second;
    ASSERT_TRUE(first.isValid() && second.isValid());
    const QString strFolder = first.filePath("data/pelmorix");
    const QString strFile = strFolder + "/console.txt";
    WriteAll(strFile, "pelmorix-console 1\nvar a 5 0\ngraph 0 0 0\n|a=5\n|a*2\n|10\n|\nend\n");
    QProcessEnvironment shared;
    shared.insert("XDG_DATA_HOME", first.filePath("data"));
    const auto pFirst = StartCalculator(first, shared);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return QFileInfo::exists(strFolder + "/" + CConsoleKeeper::LOCK_NAME); }, 20000));

    // The second shares the first one's settings, so it speaks their language too.
    shared.insert("XDG_CONFIG_HOME", first.filePath("config"));
    shared.insert("XDG_CONFIG_DIRS", first.filePath("machine-config"));
    const auto pSecond = StartCalculator(second, shared);
    QString strSaid;
    const auto said = [&](Language language) {
        return strSaid.contains(QtText(keepmsg::OTHER_KEEPS, language).arg(strFile).mid(2));
    };
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            strSaid += QString::fromUtf8(pSecond->readAllStandardError());
            return said(Language::English) || said(Language::Chinese);
        },
        20000))
        << strSaid.toStdString();
    EXPECT_EQ(pSecond->state(), QProcess::Running) << "the second one runs on, only keeps nothing";

    pFirst->terminate();
    EXPECT_EQ(ExitCodeOf(*pFirst), 0);
    const QByteArray kept = ReadAll(strFile);
    EXPECT_TRUE(kept.contains("\nvar a 5 0\n") && kept.contains("\n|a=5\n|a*2\n|10\n"))
        << kept.toStdString();
    pSecond->terminate();
    EXPECT_EQ(ExitCodeOf(*pSecond), 0);
    EXPECT_EQ(ReadAll(strFile), kept);
    const QString strLock = strFolder + "/" + CConsoleKeeper::LOCK_NAME;
    EXPECT_FALSE(QFileInfo::exists(strLock));

    // One killed leaves its lock behind; the next start takes the kept console over.
    const auto pKilled = StartCalculator(first, shared);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFileInfo::exists(strLock); }, 20000));
    pKilled->kill();
    pKilled->waitForFinished();
    ASSERT_TRUE(QFileInfo::exists(strLock));
    const auto pNext = StartCalculator(second, shared);
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return ReadAll(strLock).startsWith(QByteArray::number(pNext->processId()) + "\n"); },
        20000));
    pNext->terminate();
    EXPECT_EQ(ExitCodeOf(*pNext), 0);
    EXPECT_FALSE(pNext->readAllStandardError().contains("Pelmorix"));
    EXPECT_TRUE(ReadAll(strFile).contains("\n|a=5\n|a*2\n|10\n"));
}

// Runs in a child process only: writes one of two kept consoles to the file named in
// PELMORIX_KEEP_FILE, then the other, and so on until it is killed.
TEST(ConsoleKeeperChild, WritesInALoop)
{
    const QString strFile = qEnvironmentVariable("PELMORIX_KEEP_FILE");
    if (strFile.isEmpty())
        GTEST_SKIP() << "runs as the child of KillDuringWritesLeavesTheOldOrTheNewFile";
    const std::string versions[] = {qEnvironmentVariable("PELMORIX_KEEP_A").toStdString(),
                                    qEnvironmentVariable("PELMORIX_KEEP_B").toStdString()};
    for (int i = 0;; ++i) {
        const std::string& strBytes = versions[i % 2];
        SaveWholeFile(strFile, Language::English, [&](QIODevice& device) {
            return device.write(strBytes.data(), qint64(strBytes.size())) ==
                   qint64(strBytes.size());
        });
    }
}
} // namespace

// A kept console of some 200 kB in two versions, written alternately by a child process that is
// killed at random moments: the file is always one whole version.
TEST(ConsoleKeeperKill, KillDuringWritesLeavesTheOldOrTheNewFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString strFile = dir.filePath("console.txt");
    KeptConsole a;
    KeptConsole b;
    a.lines.assign(20000, std::string(10, 'a'));
    b.lines.assign(20000, std::string(10, 'b'));
    a.BoundLines();
    b.BoundLines();
    const QByteArray versions[] = {QByteArray::fromStdString(WriteKeptConsole(a)),
                                   QByteArray::fromStdString(WriteKeptConsole(b))};
    WriteAll(strFile, versions[0]);
    QRandomGenerator random(24);
    int nChanges = 0;
    QByteArray last = versions[0];
    for (int nRound = 0; nRound < 12; ++nRound) {
        SCOPED_TRACE(nRound);
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PELMORIX_KEEP_FILE", strFile);
        env.insert("PELMORIX_KEEP_A", QString::fromLatin1(versions[0]));
        env.insert("PELMORIX_KEEP_B", QString::fromLatin1(versions[1]));
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(),
                    {"--gtest_filter=ConsoleKeeperChild.WritesInALoop"});
        ASSERT_TRUE(child.waitForStarted());
        QTest::qWait(150 + int(random.bounded(100)));
        child.kill(); // SIGKILL
        child.waitForFinished();
        const QByteArray now = ReadAll(strFile);
        EXPECT_TRUE(now == versions[0] || now == versions[1]) << now.size() << " bytes";
        nChanges += now != last;
        last = now;
    }
    EXPECT_GT(nChanges, 0) << "the child never finished a write";
}

// The console's assistance is switched in the same menu and kept beside the keep switch; the
// settings record stays as it was.
TEST_F(ConsoleKeeperTest, AssistanceSwitchesAreKeptBesideKeepConsole)
{
    const std::optional<std::string> strRecord = m_pStore->Read(LAST_CONFIG_NAME);
    const char* const SWITCHES[][2] = {{"completeNames", CAssistSwitches::COMPLETE_SETTING},
                                       {"colourConsole", CAssistSwitches::COLOUR_SETTING},
                                       {"previewResult", CAssistSwitches::PREVIEW_SETTING}};
    for (const auto& names : SWITCHES) {
        SCOPED_TRACE(names[0]);
        QMenu* pMenu = OpenIconMenu();
        ASSERT_NE(pMenu, nullptr);
        QAction* pSwitch = ActionNamed(*pMenu, names[0]);
        ASSERT_NE(pSwitch, nullptr);
        EXPECT_TRUE(pSwitch->isChecked());
        pMenu->close();
        pSwitch->trigger();
        EXPECT_EQ(m_pStore->Read(names[1]), "0");
    }
    EXPECT_EQ(m_pStore->Read(LAST_CONFIG_NAME), strRecord);
    Restart();
    EXPECT_FALSE(Console().IsCompleting());
    EXPECT_FALSE(Console().Highlighter().IsColouring());
    EXPECT_FALSE(Console().IsPreviewing());
    Type("po");
    EXPECT_FALSE(Console().Completer().IsOpen());
    EXPECT_EQ(Console().Preview(), "");
}
