#include "searchwindow/TSuchForm.h"
#include "searchwindow/WebsiteItemDelegate.h"

#include "results/WebsiteAddress.h"
#include "searchwindow/SearchWindowFixture.h"
#include "searchwindow/ShownSearchWindow.h"
#include "widgets/QtColors.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

using namespace searchwindowtest;

namespace {

const QString kSearching = QStringLiteral("https://a.example/suche?q=");
const QString kPaste = QStringLiteral("https://b.example/seite.html");
const QString kSearchingPath = QStringLiteral("https://c.example/find/");

class InternetPanelTest : public DatabaseFixture {
protected:
    void SetUp() override
    {
        write(QStringLiteral("a.txt"), "Haus und Hof\r\n");
        index();
    }
    void writeList(const QByteArray& bytes)
    {
        base.write(QStringLiteral("Adressen_Webseiten.txt"), bytes);
    }
    std::unique_ptr<TSuchForm> show() { return showSearchWindow(paths, ui, launcher); }
    static QListWidget* sites(const TSuchForm& form)
    {
        return form.findChild<QListWidget*>(QStringLiteral("TntListBox1"));
    }
    static QColor pixel(QListWidget* list, QPoint at)
    {
        return list->viewport()->grab().toImage().pixelColor(at);
    }
};

} // namespace

// Each site shows its kind's symbol; the selected one lies on the main window's colour
// darkened by a tenth, and the list's hint follows the selected site's kind.
TEST_F(InternetPanelTest, SiteItemsAreDrawnWithTheSymbolOfTheirKind)
{
    writeList(("[Themen1]\r\nListe=Suche,\r\n[Suche]\r\nListe=" + kPaste + ", " + kSearching +
               ", " + kSearchingPath + "\r\n")
                  .toUtf8());
    settings::SettingsStore().write(settings::kTopic, QStringLiteral("0"));
    auto form = show();
    form->findChild<QLineEdit*>(QStringLiteral("TntEdit2"))->setText(QStringLiteral("Haus"));
    QListWidget* list = sites(*form);
    ASSERT_EQ(list->count(), 3);
    ASSERT_EQ(list->currentRow(), 0);
    EXPECT_NE(dynamic_cast<WebsiteItemDelegate*>(list->itemDelegate()), nullptr);
    EXPECT_NE(dynamic_cast<WebsiteItemDelegate*>(
                  form->findChild<QComboBox*>(QStringLiteral("TntComboBox1"))->itemDelegate()),
              nullptr);

    const QColor window = form->palette().color(QPalette::Window);
    const TColor windowRgb =
        TColor(window.red()) | TColor(window.green()) << 8 | TColor(window.blue()) << 16;
    const QColor selected = toQColor(selectedItemBackground(windowRgb));
    ASSERT_NE(selected, list->palette().color(QPalette::Base));
    for (int row = 0; row < list->count(); ++row) {
        list->setCurrentRow(row);
        const QString address = list->item(row)->text();
        const SiteKind kind = siteKind(address);
        EXPECT_EQ(kind == SiteKind::SearchesItself, address != kPaste) << row;
        EXPECT_EQ(list->toolTip(), siteHint(kind)) << row;
        for (int each = 0; each < list->count(); ++each) {
            const QRect item = list->visualItemRect(list->item(each));
            const QRect symbol = WebsiteItemDelegate::symbolRect(item);
            EXPECT_EQ(pixel(list, symbol.topLeft() + QPoint(2, 2)),
                      toQColor(siteSymbol(siteKind(list->item(each)->text())).fill))
                << row << " " << each;
            EXPECT_EQ(pixel(list, QPoint(item.right() - 1, item.center().y())),
                      each == row ? selected : list->palette().color(QPalette::Base))
                << row << " " << each;
        }
    }
}

// The search text goes to the site as typed (blanks included); only the site's own kind
// decides whether it is appended.
TEST_F(InternetPanelTest, ButtonOffersTheTextAsTyped)
{
    writeList(("[Themen1]\r\nListe=Suche\r\n[Suche]\r\nListe=" + kSearching + "," + kPaste + "\r\n")
                  .toUtf8());
    settings::SettingsStore().write(settings::kTopic, QStringLiteral("0"));
    auto form = show();
    form->findChild<QLineEdit*>(QStringLiteral("TntEdit2"))->setText(QStringLiteral(" Tür & Tor"));
    auto* button = form->findChild<QPushButton*>(QStringLiteral("SuchImInternetBtn"));
    sites(*form)->setCurrentRow(0);
    button->click();
    sites(*form)->setCurrentRow(1);
    button->click();
    EXPECT_EQ(
        launcher.calls,
        (QStringList{
            QStringLiteral("open ") +
                websiteUrl(kSearching, QStringLiteral(" Tür & Tor"))->toString(QUrl::FullyEncoded),
            QStringLiteral("open ") + kPaste}));
    EXPECT_TRUE(launcher.calls[0].endsWith(QStringLiteral("q=%20T%C3%BCr%20%26%20Tor")))
        << launcher.calls[0].toStdString();
    EXPECT_EQ(form->findChild<QLabel*>(QStringLiteral("TntLabel1"))->text(),
              QStringLiteral("Suchtext: "));
}
