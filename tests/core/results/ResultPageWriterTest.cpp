#include "results/ResultPageWriter.h"

#include "results/FileUrl.h"
#include "results/RecordingBrowserLauncher.h"
#include "results/ResultPage.h"
#include "support/RecordingTaskProgress.h"
#include "support/RecordingUserInterface.h"
#include "support/TempFolder.h"

#include <QDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

SearchHits hits(int n)
{
    SearchHits list;
    for (int i = 1; i <= n; ++i)
        list.append({"D:\\Texte\\Datei" + QByteArray::number(i) + ".txt", "Haus"});
    return list;
}

class ResultPageWriterTest : public testing::Test {
protected:
    ResultPageWriterTest() { m_drive.makeFolder(u"P/Datenbank/Temp"_s); }

    Status write(int n) { return m_writer.writePageSet(hits(n), u"Haus"_s, {}); }
    QString temp(const QString& name = {}) const
    {
        return m_drive.native(u"P/Datenbank/Temp/"_s + name);
    }

    MappedDrive m_drive;
    IsolatedSettings m_settings;
    settings::SettingsStore m_store;
    BrowserPrograms m_programs{{m_drive.native()}};
    RecordingBrowserLauncher m_launcher;
    RecordingUserInterface m_ui;
    RecordingTaskProgress m_task;
    InternetBrowser m_browser{m_store, m_programs, m_launcher, m_ui};
    DatabasePaths m_paths{u"D:\\P\\"_s};
    ResultPageState m_state;
    ResultPageWriter m_writer{m_paths, m_state, m_ui, m_task, &m_browser};
};

struct PageRow {
    QString summary;
    int firstEntry, lastEntry; // 0, 0: none
    bool linksNext;
};

struct SetRow {
    const char* name;
    int hits;
    std::vector<PageRow> pages;
};

void PrintTo(const SetRow& row, std::ostream* out)
{
    *out << row.name;
}

class ResultPageSetTest : public ResultPageWriterTest,
                          public testing::WithParamInterface<SetRow> {};

TEST_P(ResultPageSetTest, CutsTheHitListIntoPagesOf25)
{
    ASSERT_TRUE(write(GetParam().hits).ok());
    QStringList files;
    for (const PageRow& row : GetParam().pages) {
        const int number = int(files.size()) + 1;
        files.append(resultpage::fileName(number));
        SCOPED_TRACE(files.last().toStdString());
        const QString text = QString::fromUtf8(m_drive.read(u"P/Datenbank/Temp/"_s + files.last()));
        EXPECT_TRUE(text.contains(u"<font color=\"#000000\""_s + row.summary));
        EXPECT_EQ(text.count(u"\">in: <a "_s),
                  row.lastEntry ? row.lastEntry - row.firstEntry + 1 : 0);
        for (int entry : {row.firstEntry - 1, row.firstEntry, row.lastEntry, row.lastEntry + 1}) {
            const bool onPage = entry >= row.firstEntry && entry <= row.lastEntry && entry > 0;
            EXPECT_EQ(text.contains(u"/Datei%1.txt</a>"_s.arg(entry)), onPage) << entry;
        }
        const QString next = fileUrlText(m_paths.tempFolder() + resultpage::fileName(number + 1));
        EXPECT_EQ(text.endsWith(u"<br><br><br>\r\n<font color=\"#000000\"><a href=\""_s + next +
                                u"\" target=\"_blank\"><span style=\"font-family:alrial;color:"
                                u"black;text-decoration:none;\">Zur nächsten Steite hier "
                                u"klicken</span></a><br><br><br>\r\n</font>\r\n</body>\r\n"
                                u"</html>\r\n"_s),
                  row.linksNext);
    }
    EXPECT_EQ(QDir(temp()).entryList(QDir::Files, QDir::Name), files);
    EXPECT_EQ(m_launcher.calls, QStringList{u"open "_s + fileUrlText(m_writer.pageFile(1))});
}

const QString kBisher = u"> wurde bisher in %1 Dateien gefunden."_s;
const QString kPlural = u"> wurde in %1 Dateien gefunden."_s;

INSTANTIATE_TEST_SUITE_P(
    Results, ResultPageSetTest,
    testing::Values(
        SetRow{"None", 0, {{u"> wurde NICHT gefunden:<br>"_s, 0, 0, false}}},
        SetRow{"One", 1, {{u"> wurde in 1 Datei gefunden."_s, 1, 1, false}}},
        SetRow{"ExactlyOnePage", 25, {{kPlural.arg(25), 1, 25, false}}},
        SetRow{"Thirty", 30, {{kBisher.arg(25), 1, 25, true}, {kPlural.arg(30), 26, 30, false}}},
        SetRow{"Sixty",
               60,
               {{kBisher.arg(25), 1, 25, true},
                {kBisher.arg(50), 26, 50, true},
                {kPlural.arg(60), 51, 60, false}}}),
    [](const testing::TestParamInfo<SetRow>& info) { return info.param.name; });

TEST_F(ResultPageWriterTest, BrowserOpensOncePerSearchRequest)
{
    ASSERT_TRUE(write(3).ok());
    ASSERT_TRUE(write(3).ok());
    EXPECT_EQ(m_launcher.calls.size(), 1);
    m_state.browserOpened = false;
    ASSERT_TRUE(write(3).ok());
    EXPECT_EQ(m_launcher.calls.size(), 2);
    m_state = {2, false, false}; // a later page never opens it
    ASSERT_TRUE(m_writer.SchreibHTMLDocNeu({}, u"x"_s, 0, {}).ok());
    m_state.browserOpened = false;
    ASSERT_TRUE(
        ResultPageWriter(m_paths, m_state, m_ui, m_task, nullptr).writePageSet({}, {}, {}).ok());
    EXPECT_EQ(m_launcher.calls.size(), 2);
}

TEST_F(ResultPageWriterTest, UnwritablePageIsReportedAndEndsTheSet)
{
    QDir(temp()).removeRecursively();
    const Status status = write(30);
    EXPECT_FALSE(status.ok());
    EXPECT_EQ(m_ui.warnings, QStringList{status.error()});
    EXPECT_TRUE(status.error().contains(u"NB_Ergebnis.htm"_s));
    EXPECT_TRUE(m_launcher.calls.isEmpty());
}

} // namespace
