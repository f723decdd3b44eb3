#pragma once

#include "core/eval/RandomGenerator.h"
#include "ui/app/CalcDlg.h"
#include "ui/app/QtSettingsStore.h"
#include "ui/console/CalcEdit.h"

#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <memory>

// A shown main window over a settings store and a data folder ("data") in a temporary directory.
class MainWindowFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        Open();
    }

    void Open()
    {
        m_pStore = std::make_unique<CQtSettingsStore>(m_dir.path());
        m_pDlg = std::make_unique<CCalcDlg>(m_random, *m_pStore, m_dir.filePath("data"));
        m_pDlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_pDlg.get()));
    }

    void Reopen()
    {
        m_pDlg->close();
        m_pDlg.reset();
        m_pStore.reset();
        Open();
    }

    void SetLanguage(Language language) { m_pDlg->SettingsHost().SetLanguage(language); }

    CCalcEdit& Console() { return m_pDlg->Console(); }
    void Type(const QString& strText) { QTest::keyClicks(&Console(), strText); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(&Console(), key, modifiers);
    }
    QString Text() { return Console().toPlainText(); }
    int CaretColumn() { return Console().textCursor().positionInBlock(); }
    void PutCaret(int nLine, int nColumn)
    {
        QTextCursor cursor(Console().document()->findBlockByNumber(nLine));
        cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, nColumn);
        Console().setTextCursor(cursor);
    }

    QTemporaryDir m_dir;
    CRandomGenerator m_random;
    std::unique_ptr<CQtSettingsStore> m_pStore;
    std::unique_ptr<CCalcDlg> m_pDlg;
};
