#include "ui/app/ConsoleKeeper.h"

#include "core/app/SettingsRecord.h"
#include "core/keep/ConsoleFormat.h"
#include "tests/ui/support/MainWindowFixture.h"
#include "ui/app/CalcApp.h"
#include "ui/base/HoverButton.h"
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

    void Fake(CConsoleKeeper& keeper)
    {
        keeper.SetSaveDialogs(
            {[this](QWidget*, const QString&, const QString&, const QStringList&, int* pFilter) {
                 *pFilter = 0;
                 return m_strChosen;
             },
             [this](QWidget*, const QString& strText) { m_reports << strText; }});
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
    // What a write killed half-way leaves goes at the next start; other files stay.
    Restart([&] {
        WriteAll(File() + ".Ab12cD", "pelmorix-console 1\n|half");
        WriteAll(File() + ".notes", "mine");
    });
    EXPECT_EQ(Text(), "a=5\na*2");
    EXPECT_EQ(CaretColumn(), 3);
    EXPECT_EQ(QDir(Folder()).entryList(QDir::Files),
              QStringList({"console.txt", "console.txt.notes"}));
    // A line longer than a paste may make, written by hand, comes back cut as a paste is.
    Restart(
        [&] { WriteAll(File(), "pelmorix-console 1\n|" + QByteArray(40000, '7') + "\nend\n"); });
    EXPECT_EQ(Text(), QString(CCalcEdit::PASTE_LINE_LIMIT, '7'));
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
    const CurveSlot& slot = dlg.Graph().Curves().Slot(1);
    EXPECT_EQ(slot.state, CurveState::Valid);
    EXPECT_EQ(slot.expression, "sin(x)");
    EXPECT_TRUE(slot.shown);
    EXPECT_FALSE(dlg.Graph().isVisible());
    QTest::mouseClick(&dlg.Button(AuxId::Graph), Qt::LeftButton);
    EXPECT_TRUE(dlg.Graph().isVisible());
    dlg.close();
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
        SaveWholeFile(strFile, [&](QIODevice& device) {
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
