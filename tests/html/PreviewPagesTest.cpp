#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <csignal>

#include "TestSupport.h"
#include "html/PreviewPages.h"
#include "output/CaptionLinks.h"
#include "output/CaptionNaming.h"
#include "output/StatusReport.h"
#include "platform/Interrupt.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Shell.h"
#include "platform/TextCodec.h"
#include "settings/DefaultSettings.h"

using namespace html;

namespace {

// Faces whose width follows the caption: (10 + caption length) × 8.
class FakeRenderer : public output::ButtonRenderer, public output::BatchFaces {
  public:
    std::shared_ptr<const output::BatchFaces> PlanBatch() override {
        return std::shared_ptr<const output::BatchFaces>(std::shared_ptr<void>(), this);
    }
    std::optional<QString> UnreadableBitmap(int) const override { return std::nullopt; }
    QSize FaceSize(int, const QString& caption) const override {
        return {10 + static_cast<int>(caption.size()), 8};
    }
    QImage Picture(int type, const QString& caption, int scale) const override {
        const QImage face = Face(type, caption);
        return face.scaled(face.size() * scale);
    }
    QImage PressedPicture(int, const QString& caption, int scale) const override {
        QImage face = Face(settings::kType2, caption);
        face.fill(qRgb(255, 0, 0));
        return face.scaled(face.size() * scale);
    }
    static QImage Face(int type, const QString& caption) {
        QImage face(10 + static_cast<int>(caption.size()), 8, QImage::Format_RGB32);
        face.fill(type == settings::kType1 ? qRgb(255, 255, 255) : qRgb(0, 0, 255));
        return face;
    }
};

// The script of every page, as the template gives it.
const char kScript[] = R"(<script language="JavaScript">
<!--
function My_Form_Swap_Restore_Button() { //v3.0
  var i,x,a=document.My_Form_sr; for(i=0;a&&i<a.length&&(x=a[i])&&x.oSrc;i++) x.src=x.oSrc;
}

function My_Form_PreLoad_Buttons() { //v3.0
  var d=document; if(d.images){ if(!d.My_Form_p) d.My_Form_p=new Array();
    var i,j=d.My_Form_p.length,a=My_Form_PreLoad_Buttons.arguments; for(i=0; i<a.length; i++)
    if (a[i].indexOf("#")!=0){ d.My_Form_p[j]=new Image; d.My_Form_p[j++].src=a[i];}}
}

function My_Form_Locate_Object(n, d) { //v3.0
  var p,i,x;  if(!d) d=document; if((p=n.indexOf("?"))>0&&parent.frames.length) {
    d=parent.frames[n.substring(p+1)].document; n=n.substring(0,p);}
  if(!(x=d[n])&&d.all) x=d.all[n]; for (i=0;!x&&i<d.forms.length;i++) x=d.forms[i][n];
  for(i=0;!x&&d.layers&&i<d.layers.length;i++) x=My_Form_Locate_Object(n,d.layers[i].document); return x;
}

function My_Form_Swap_Button() { //v3.0
  var i,j=0,x,a=My_Form_Swap_Button.arguments; document.My_Form_sr=new Array; for(i=0;i<(a.length-2);i+=3)
   if ((x=My_Form_Locate_Object(a[i]))!=null){document.My_Form_sr[j++]=x; if(!x.oSrc) x.oSrc=x.src; x.src=a[i+2];}
}
//-->
</script>
)";

// A whole page: the head with `title`, then `body` (everything from "<body"), lines ended by CR LF.
QByteArray Page(const QString& title, const QString& body) {
    QString text =
        "<html>\n<head>\n<title>" + title +
        "</title>\n<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">\n" +
        QString::fromLatin1(kScript) + "</head>\n\n" + body;
    return text.replace("\n", "\r\n").toLatin1();
}

class PreviewPagesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        settings::ApplyDefaultSettings(s, {"DejaVu Sans"}, dir.path() + "/");
        s.targetFolder = dir.path() + "/out/";
        s.captions.SetRowCount(3);  // Home, Contacts
        pages.OpenPage = [this](const QString& p) { opened.append(p); };
        pages.WriteStatusReport = [this] { ++reports; };
        batch.RefreshPreviews = [this] { previewCaption = s.testCaption; };
    }
    QString Out(const QString& name) const { return dir.path() + "/out/" + name; }
    QStringList Files(const QString& folder) const {
        return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    QTemporaryDir dir;
    settings::AppSettings s;
    platform::ScriptedDialogs dialogs;
    FakeRenderer renderer;
    output::ButtonBatch batch{s, dialogs, renderer};
    PreviewPages pages{s, dialogs, batch};
    QStringList opened;
    // The captions the previews were shown with after the batch.
    QString previewCaption;
    int reports = 0;
};

}  // namespace

TEST_F(PreviewPagesTest, DefaultsWriteOnePagePerCaptionBesideTheImages) {
    pages.generatehtmlbuttonClick();
    EXPECT_EQ(Files(dir.path() + "/out"), (QStringList{"contacts.htm", "d_contacts.gif", "d_home.gif",
                                                       "home.htm", "u_contacts.gif", "u_home.gif"}));
    const QString groups =
        "<a href=\"home.htm\"\n"
        "onMouseOut=\"My_Form_Swap_Restore_Button()\"\n"
        "onMouseOver=\"My_Form_Swap_Button('Image1','','d_home.gif',1)\"><img name=\"Image1\" border=\"0\" "
        "src=\"u_home.gif\" width=\"14\" height=\"8\" alt=\"Home\"></a><a href=\"contacts.htm\"\n"
        "onMouseOut=\"My_Form_Swap_Restore_Button()\"\n"
        "onMouseOver=\"My_Form_Swap_Button('Image2','','d_contacts.gif',1)\"><img name=\"Image2\" "
        "border=\"0\" "
        "src=\"u_contacts.gif\" width=\"18\" height=\"8\" alt=\"Contacts\"></a></pre>\n";
    const QString body =
        "<body\nbgcolor=\"#FFFFFF\"\nonLoad=\"My_Form_PreLoad_Buttons('d_home.gif','d_contacts.gif')\">\n"
        "<pre>\n" +
        groups +
        "<p><font color=\"#000000\">This page is called \"home.htm\", and is located in "
        "folder \"" +
        dir.path() + "/out/\"</font></p>\n</body>\n</html>\n";
    EXPECT_EQ(testsupport::ReadAll(Out("home.htm")), Page("Untitled Document: Home", body));
    EXPECT_EQ(opened, QStringList{Out("home.htm")});
    EXPECT_EQ(reports, 1);
    ASSERT_EQ(pages.SavedPages().size(), 2);
    EXPECT_EQ(pages.SavedPages()[1].caption, QStringLiteral("Contacts").leftJustified(30));
    EXPECT_EQ(pages.SavedPages()[1].pageName, QStringLiteral("contacts.htm").leftJustified(30));
    EXPECT_EQ(pages.SavedPages()[1].pageSize, static_cast<double>(QFileInfo(Out("contacts.htm")).size()));
    EXPECT_TRUE(dialogs.History().isEmpty());
    EXPECT_EQ(previewCaption, QStringLiteral("Plumeric !"));  // the previews show the test caption again
}

TEST_F(PreviewPagesTest, ATestPageWithButtonsTwoLevelsDownVerticallyWithTypeTwoDisabled) {
    s.htmlGenerateAll = false;
    s.htmlTargetFolder = dir.path() + "/site";
    s.targetFolder = dir.path() + "/site/img/btn";  // the separator is added to the setting itself
    s.htmlLayout = 1;
    s.secondbuttonEnabled = false;
    s.htmlBackgroundColour = "00FF8000";
    s.captions.SetCell(2, 0, "   ");  // a caption of spaces: a preload entry, no button
    s.captions.SetRowCount(4);
    s.captions.SetCell(3, 0, "Links");
    QDir().mkpath(dir.path() + "/site/img");
    pages.generatehtmlbuttonClick();
    EXPECT_EQ(s.targetFolder, dir.path() + "/site/img/btn/");
    EXPECT_EQ(Files(dir.path() + "/site"), QStringList{"index.htm"});
    EXPECT_EQ(Files(dir.path() + "/site/img/btn"), (QStringList{"u_home.gif", "u_links.gif"}));
    const QString body =
        "<body\nbgcolor=\"#0080FF\"\nonLoad=\"My_Form_PreLoad_Buttons('img/btn/u_home.gif','img/btn/',"
        "'img/btn/u_links.gif')\">\n<pre>\n"
        "<a href=\"home.htm\"\n"
        "onMouseOut=\"My_Form_Swap_Restore_Button()\"\n"
        "onMouseOver=\"My_Form_Swap_Button('Image1','','img/btn/u_home.gif',1)\"><img name=\"Image1\" "
        "border=\"0\" src=\"img/btn/u_home.gif\" width=\"14\" height=\"8\" alt=\"Home\">\n"
        "</a><a href=\"links.htm\"\n"
        "onMouseOut=\"My_Form_Swap_Restore_Button()\"\n"
        "onMouseOver=\"My_Form_Swap_Button('Image3','','img/btn/u_links.gif',1)\"><img name=\"Image3\" "
        "border=\"0\" src=\"img/btn/u_links.gif\" width=\"15\" height=\"8\" alt=\"Links\">\n"
        "</a></pre>\n"
        "<p><font color=\"#000000\">This page is called \"index.htm\", and is located in folder \"" +
        dir.path() + "/site/\"</font></p>\n</body>\n</html>\n";
    EXPECT_EQ(testsupport::ReadAll(dir.path() + "/site/index.htm"),
              Page("Untitled Document: index.htm", body));
    ASSERT_EQ(pages.SavedPages().size(), 1);
    EXPECT_EQ(pages.SavedPages()[0].caption, QStringLiteral("All Captions apply - test page"));
    EXPECT_EQ(opened, QStringList{dir.path() + "/site/index.htm"});
}

TEST_F(PreviewPagesTest, ButtonFoldersOutsideThePageFolderAreRefusedAndLetterCaseCounts) {
    for (const auto& [html, buttons] : {std::pair<QString, QString>{"/site/", "/sitebuttons/"},
                                        std::pair<QString, QString>{"/Site/", "/site/img/"},
                                        std::pair<QString, QString>{"/site/img/", "/site/"}}) {
        dialogs.Clear();
        s.htmlTargetFolder = dir.path() + html;
        s.targetFolder = dir.path() + buttons;
        pages.generatehtmlbuttonClick();
        EXPECT_EQ(dialogs.Messages(),
                  QStringList{"The buttons target folder MUST be a sub-folder of the HTML target folder\r"
                              "so that the HTML relative button paths will work correctly.\r"
                              "Please change the buttons folder to either match the HTML folder, or be\r"
                              "a sub-folder of it."});
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(reports, 0);
    EXPECT_EQ(RelativeButtonFolder("/web/img/btn/", "/web/"), std::optional<QString>("img/btn/"));
    EXPECT_EQ(RelativeButtonFolder("/web/", "/web/"), std::optional<QString>(""));
    // A lone separator or nothing means the button folder.
    for (const QString& text : {QString("/"), QString("  "), QString()}) {
        s.htmlTargetFolder = text;
        s.targetFolder = dir.path() + "/out/";
        opened.clear();
        pages.generatehtmlbuttonClick();
        EXPECT_EQ(opened, QStringList{Out("home.htm")});
    }
}

TEST_F(PreviewPagesTest, TheFirstPageWrittenOpensAndPagesAskBeforeOverwriting) {
    s.captions.SetCell(1, 0, "");  // a blank first row has no page name: no page, and it is not opened
    pages.generatehtmlbuttonClick();
    EXPECT_EQ(Files(dir.path() + "/out"), (QStringList{"contacts.htm", "d_contacts.gif", "u_contacts.gif"}));
    EXPECT_EQ(opened, QStringList{Out("contacts.htm")});
    EXPECT_EQ(pages.SavedPages().size(), 1);

    // With the prompt ticked an existing page is asked about, with the page's own text and answers.
    s.htmlOverwritePrompt = true;
    s.overwritePrompt = false;
    ASSERT_TRUE(testsupport::WriteAll(Out("contacts.htm"), "old"));
    dialogs.Clear();
    dialogs.QueueConfirm(platform::ConfirmAnswer::No);
    pages.generatehtmlbuttonClick();
    ASSERT_EQ(dialogs.History().size(), 1);
    EXPECT_EQ(dialogs.History()[0].text,
              "HTML file \"" + Out("contacts.htm") + "\" exists, ok to ovewrite ?");
    EXPECT_EQ(testsupport::ReadAll(Out("contacts.htm")), QByteArray("old"));
    EXPECT_TRUE(pages.SavedPages().isEmpty());  // a page kept as it was gets no record
    dialogs.QueueConfirm(platform::ConfirmAnswer::YesToAll);
    pages.generatehtmlbuttonClick();
    EXPECT_TRUE(testsupport::ReadAll(Out("contacts.htm")).startsWith("<html>"));
}

TEST_F(PreviewPagesTest, APageThatCannotBeWrittenStopsBeforeTheBrowserAndTheReport) {
    const QString tooLong = QString(300, 'x') + ".htm";
    s.captions.SetCell(1, 3, tooLong);  // a name the folder cannot take
    pages.generatehtmlbuttonClick();
    EXPECT_EQ(dialogs.Messages(), QStringList{"Error, unable to create HTML output file, check that\r"
                                              "no other applications are currently accessing this file\r"
                                              "and that you have read/write access to the target folder.\r"
                                              "\"" +
                                              tooLong + "\": File name too long"});
    EXPECT_TRUE(QFileInfo::exists(Out("contacts.htm")));  // the other pages are still written
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(reports, 0);
}

TEST_F(PreviewPagesTest, AnUnreadableTypeOneFileKeptAsItWasTakesTheSizeOfTheRowBefore) {
    s.captions.SetRowCount(4);
    s.captions.SetCell(3, 0, "Products");
    ASSERT_TRUE(QDir().mkpath(dir.path() + "/out"));
    ASSERT_TRUE(testsupport::WriteAll(Out("u_contacts.gif"), "not a picture"));
    dialogs.QueueConfirm(platform::ConfirmAnswer::NoToAll);
    pages.generatehtmlbuttonClick();
    EXPECT_EQ(testsupport::ReadAll(Out("u_contacts.gif")), QByteArray("not a picture"));
    const QByteArray page = testsupport::ReadAll(Out("home.htm"));
    EXPECT_TRUE(page.contains("src=\"u_home.gif\" width=\"14\" height=\"8\"")) << page.toStdString();
    EXPECT_TRUE(page.contains("src=\"u_contacts.gif\" width=\"14\" height=\"8\"")) << page.toStdString();
    EXPECT_TRUE(page.contains("src=\"u_products.gif\" width=\"18\" height=\"8\"")) << page.toStdString();
    ASSERT_EQ(batch.SavedButtons().size(), 3);
    EXPECT_EQ(batch.SavedButtons()[1].button1Size, 13.0);
}

TEST_F(PreviewPagesTest, NamesWithAColonStayRelativeLinks) {
    // "javascript:alert(1).htm" ran the script when clicked; "news:" and "c:" were taken as schemes.
    const QStringList captions = {"javascript:alert(1)", "News: Today", "FAQ:", "C:\\temp"};
    s.captions.SetRowCount(static_cast<int>(captions.size()) + 1);
    for (int r = 1; r <= captions.size(); ++r) {
        s.captions.SetCell(r, 0, captions[r - 1]);
    }
    s.htmlTargetFolder = dir.path() + "/site";
    s.targetFolder = dir.path() + "/site/a:b/";
    QDir().mkpath(dir.path() + "/site");
    pages.generatehtmlbuttonClick();
    // The files keep their names.
    EXPECT_EQ(Files(dir.path() + "/site"),
              (QStringList{"c:temp.htm", "faq:.htm", "javascript:alert(1).htm", "news:_today.htm"}));
    EXPECT_EQ(Files(dir.path() + "/site/a:b"),
              (QStringList{"d_c:temp.gif", "d_faq:.gif", "d_javascript:alert(1).gif", "d_news:_today.gif",
                           "u_c:temp.gif", "u_faq:.gif", "u_javascript:alert(1).gif", "u_news:_today.gif"}));
    const QString page = QString::fromLatin1(testsupport::ReadAll(dir.path() + "/site/faq:.htm"));
    EXPECT_TRUE(
        page.contains("onLoad=\"My_Form_PreLoad_Buttons('a%3Ab/d_javascript%3Aalert(1).gif',"
                      "'a%3Ab/d_news%3A_today.gif','a%3Ab/d_faq%3A.gif','a%3Ab/d_c%3Atemp.gif')\">"))
        << page.toStdString();
    EXPECT_TRUE(page.contains("<a href=\"javascript%3Aalert(1).htm\"\r\n"));
    EXPECT_TRUE(page.contains("<a href=\"news%3A_today.htm\"\r\n"));
    EXPECT_TRUE(page.contains("<a href=\"faq%3A.htm\"\r\n"));
    EXPECT_TRUE(page.contains("<a href=\"c%3Atemp.htm\"\r\n"));
    EXPECT_TRUE(page.contains("My_Form_Swap_Button('Image1','','a%3Ab/d_javascript%3Aalert(1).gif',1)"));
    EXPECT_TRUE(page.contains("src=\"a%3Ab/u_c%3Atemp.gif\""));
    // Only in URLs: the caption and the page's own name are text.
    EXPECT_TRUE(page.contains("alt=\"News: Today\""));
    EXPECT_TRUE(page.contains("This page is called \"faq:.htm\""));
    EXPECT_FALSE(page.contains("href=\"javascript:"));
    EXPECT_FALSE(page.contains("'javascript:"));
}

TEST(PageText, UrlsAndTextsAreEscapedOnlyWhereTheyWouldBreakThePage) {
    EXPECT_EQ(UrlText("u_home-2.gif"), QStringLiteral("u_home-2.gif"));
    EXPECT_EQ(UrlText("javascript:alert(1).htm"), QStringLiteral("javascript%3Aalert(1).htm"));
    EXPECT_EQ(UrlText("img/btn/u_item #1.gif"), QStringLiteral("img/btn/u_item%20%231.gif"));
    EXPECT_EQ(UrlText("today's \"news\"?<a>&b\\c%"),
              QStringLiteral("today%27s%20%22news%22%3F%3Ca%3E%26b%5Cc%25"));
    EXPECT_EQ(UrlText(QString::fromUtf8("caf\u00e9 \u0416\t")), QString::fromUtf8("caf\u00e9%20%D0%96%09"));
    EXPECT_EQ(PageText(QStringLiteral("Home")), QStringLiteral("Home"));
    EXPECT_EQ(PageText(QStringLiteral("<script>\"A&B\"'")),
              QStringLiteral("&lt;script&gt;&quot;A&amp;B&quot;'"));
    EXPECT_EQ(PageText(QString::fromUtf8("\u00a3 \u0416 \U0001F600")),
              QString::fromUtf8("\u00a3 &#1046; &#128512;"));
    EXPECT_EQ(HtmlColour("00FF8000"), QStringLiteral("0080FF"));
    EXPECT_EQ(HtmlColour("00ff80a0"), QStringLiteral("a080ff"));  // the digits as given, as before
    // Any other text gives six hexadecimal digits of the colour read from it, never the text itself.
    EXPECT_EQ(HtmlColour("00FF\"><s"), QStringLiteral("000000"));
    EXPECT_EQ(HtmlColour("#ac;b23"), QStringLiteral("000000"));
    EXPECT_EQ(HtmlColour("FF8000"), QStringLiteral("0080FF"));
    EXPECT_EQ(HtmlColour(""), QStringLiteral("000000"));
}

TEST(StatusReport, LinesForABatchWithTypeTwoDisabledAndForAPageRun) {
    settings::AppSettings s;
    settings::ApplyDefaultSettings(s, {"DejaVu Sans"}, "/data/");
    s.targetFolder = "/data/KSDATA/BUTTONS/";
    QList<output::SavedButtonInfo> buttons;
    buttons.append({output::Pad30("Home"), output::Pad30("u_home.gif"), 1536,
                    output::Pad30("<Type 2 buttons are disabled>"), 0});
    buttons.append({output::Pad30("A caption much longer than thirty letters"), output::Pad30("mine.gif"), -1,
                    output::Pad30("<Type 2 buttons are disabled>"), 0});
    QList<output::SavedPageInfo> pages;
    pages.append({output::Pad30("Home"), output::Pad30("home.htm"), 2048});
    pages.append({QStringLiteral("All Captions apply - test page"), output::Pad30("index.htm"), 123456789.0});
    const QStringList withHtml = output::ReportLines(buttons, pages, true, s, "DATE");
    const QStringList expected = {
        "Plumeric : Status Report Produced DATE",
        "--------------------------------------------------------",
        "",
        "The following button files have been saved in folder \"/data/KSDATA/BUTTONS/\".",
        "",
        "Caption Name                    Button 1 Name                   Size (Kb)  Button 2 Name            "
        "       "
        "Size (Kb)",
        "------------------------------  ------------------------------  ---------  "
        "------------------------------  "
        "---------",
        "Home                            u_home.gif                           1.50  <Type 2 buttons are "
        "disabled>   "
        "     0.00",
        "A caption much longer than thi  mine.gif                            -0.00  <Type 2 buttons are "
        "disabled>   "
        "     0.00",
        "                                                                ---------                           "
        "       "
        "---------",
        "Total size (Kb)                                                      1.50                           "
        "       "
        "     0.00",
        "                                                                ---------                           "
        "       "
        "---------",
        "The total size of all button files is 1.50 Kb, which is equivalent to 0.37 seconds of download "
        "time.",
        "",
        "",
        "The following HTML files have been saved in folder \"/data/KSDATA/BUTTONS/\".",
        "",
        "Caption Name                    HTML Filename                   Size (Kb)",
        "------------------------------  ------------------------------  ---------",
        "Home                            home.htm                             2.00",
        "All Captions apply - test page  index.htm                       120563.27",
        "                                                                ---------",
        "                                                                120565.27",
        "                                                                ---------",
        "The total size of all HTML files is 120565.27 Kb, which is eqivalent to 30141.32 seconds of "
        "download time.",
        "",
        "* Note - The download time calculation is based on a standard 56 Kbps modem with an average "
        "transfer rate "
        "of 4 Kbps.",
    };
    EXPECT_EQ(withHtml, expected);
    // Without the page section, and with nothing saved at all only the note remains.
    EXPECT_EQ(output::ReportLines(buttons, pages, false, s, "DATE"), expected.mid(0, 13) + expected.mid(25));
    EXPECT_EQ(output::ReportLines({}, {}, true, s, "DATE"), expected.mid(25));
    for (const QString& line : withHtml.mid(5, 7)) {
        EXPECT_EQ(line.size(), 116);
    }
    // Nine characters at most: a larger number is cut.
    EXPECT_EQ(output::SizeField(1024.0 * 1234567), QStringLiteral("1234567.0"));
    EXPECT_FALSE(output::ReportDate(QDateTime::currentDateTime()).isEmpty());
}

TEST(StatusReport, TwiceSizeImagesHaveALineOfTheirOwnAfterEachRowAndCountInTheTotals) {
    settings::AppSettings s;
    settings::ApplyDefaultSettings(s, {"DejaVu Sans"}, "/data/");
    s.targetFolder = "/b/";
    QList<output::SavedButtonInfo> buttons;
    output::SavedButtonInfo home{output::Pad30("Home"), output::Pad30("u_home.gif"), 1024,
                                 output::Pad30("d_home.gif"), 2048};
    home.scaled = true;
    home.scaled1Name = output::Pad30("u_home@2x.gif");
    home.scaled1Size = 3072;
    home.scaled2Name = output::Pad30("d_home@2x.gif");
    home.scaled2Size = 5120;
    buttons.append(home);
    output::SavedButtonInfo plain{output::Pad30("Links"), output::Pad30("u_links.gif"), 1024,
                                  output::Pad30("d_links.gif"), 1024};
    buttons.append(plain);
    const QStringList lines = output::ReportLines(buttons, {}, false, s, "DATE");
    ASSERT_GE(lines.size(), 14);
    EXPECT_EQ(
        lines[7],
        "Home                            u_home.gif                           1.00  d_home.gif              "
        "             2.00");
    EXPECT_EQ(
        lines[8],
        "                                u_home@2x.gif                        3.00  d_home@2x.gif           "
        "             5.00");
    EXPECT_EQ(
        lines[9],
        "Links                           u_links.gif                          1.00  d_links.gif             "
        "             1.00");
    EXPECT_EQ(
        lines[11],
        "Total size (Kb)                                                      5.00                          "
        "             8.00");
    EXPECT_EQ(
        lines[13],
        "The total size of all button files is 13.00 Kb, which is equivalent to 3.25 seconds of download "
        "time.");
    for (const QString& line : lines.mid(5, 7)) {
        EXPECT_EQ(line.size(), 116);
    }
}

TEST(StatusReport, PressedImagesHaveAThirdPairOfColumnsAndCountInTheTotals) {
    settings::AppSettings s;
    settings::ApplyDefaultSettings(s, {"DejaVu Sans"}, "/data/");
    s.targetFolder = "/b/";
    QList<output::SavedButtonInfo> buttons;
    output::SavedButtonInfo home{output::Pad30("Home"), output::Pad30("u_home.gif"), 1024,
                                 output::Pad30("d_home.gif"), 2048};
    home.scaled = true;
    home.scaled1Name = output::Pad30("u_home@2x.gif");
    home.scaled1Size = 3072;
    home.scaled2Name = output::Pad30("d_home@2x.gif");
    home.scaled2Size = 5120;
    home.pressed = true;
    home.pressedName = output::Pad30("p_home.gif");
    home.pressedSize = 1536;
    home.scaledPressedName = output::Pad30("p_home@2x.gif");
    home.scaledPressedSize = 4608;
    buttons.append(home);
    const QStringList lines = output::ReportLines(buttons, {}, false, s, "DATE");
    ASSERT_GE(lines.size(), 13);
    EXPECT_EQ(lines[5],
              "Caption Name                    Button 1 Name                   Size (Kb)  Button 2 Name "
              "                  Size (Kb)  Pressed Name                    Size (Kb)");
    EXPECT_EQ(lines[6],
              "------------------------------  ------------------------------  ---------  "
              "------------------------------  ---------  ------------------------------  ---------");
    EXPECT_EQ(lines[7],
              "Home                            u_home.gif                           1.00  d_home.gif    "
              "                       2.00  p_home.gif                           1.50");
    EXPECT_EQ(lines[8],
              "                                u_home@2x.gif                        3.00  d_home@2x.gif "
              "                       5.00  p_home@2x.gif                        4.50");
    EXPECT_EQ(lines[9],
              "                                                                ---------              "
              "                    ---------                                  ---------");
    EXPECT_EQ(lines[10], "Total size (Kb)                                                      4.00" +
                             QString(39, ' ') + "7.00" + QString(39, ' ') + "6.00");
    EXPECT_EQ(
        lines[12],
        "The total size of all button files is 17.00 Kb, which is equivalent to 4.25 seconds of download "
        "time.");
    // Every line of the table is as wide as the header, its columns under the header's.
    for (const QString& line : lines.mid(5, 7)) {
        EXPECT_EQ(line.size(), 159) << line.toStdString();
    }
}

TEST(StatusReport, WrittenAndOpenedOnlyWhenTicked) {
    QTemporaryDir dir;
    settings::AppSettings s;
    settings::ApplyDefaultSettings(s, {"DejaVu Sans"}, dir.path() + "/");
    platform::ScriptedDialogs dialogs;
    platform::RecordingShell shell;
    output::StatusReport report(s, dialogs, shell, dir.path() + "/KSDATA/");
    QList<output::SavedButtonInfo> buttons{
        {output::Pad30("Home"), output::Pad30("u_home.gif"), 6144, output::Pad30("d_home.gif"), 0}};
    report.WriteStatusReport(false, buttons, {});
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/KSDATA/Report.txt"));
    EXPECT_TRUE(shell.Opened().isEmpty());
    s.statusReports = true;
    QDir().mkpath(dir.path() + "/KSDATA");
    report.WriteStatusReport(false, buttons, {});
    const QByteArray bytes = testsupport::ReadAll(dir.path() + "/KSDATA/Report.txt");
    EXPECT_TRUE(
        bytes.contains("The total size of all button files is 6.00 Kb, which is equivalent to 1.50 "
                       "seconds of download time.\r\n"));
    EXPECT_TRUE(bytes.endsWith("4 Kbps.\r\n"));
    EXPECT_EQ(shell.Opened(), QStringList{dir.path() + "/KSDATA/Report.txt"});
    // A report that cannot be made: its message, nothing opened.
    output::StatusReport nowhere(s, dialogs, shell, dir.path() + "/missing/KSDATA/");
    nowhere.WriteStatusReport(false, buttons, {});
    EXPECT_EQ(
        dialogs.Messages(),
        QStringList{"Error : Unable to create the status report.\r"
                    "Please check that have read/write access to the following folder: -\r" +
                    dir.path() +
                    "/missing/KSDATA/\r- and that the relevant drive has sufficient free disk space.\r\"" +
                    dir.path() + "/missing/KSDATA/Report.txt\": No such file or directory"});
    EXPECT_EQ(shell.Opened().size(), 1);
}

TEST(StatusReport, ACaptionWindows1252CannotWriteMakesTheReportUtf8WithAByteOrderMark) {
    QTemporaryDir dir;
    settings::AppSettings s;
    settings::ApplyDefaultSettings(s, {"DejaVu Sans"}, dir.path() + "/");
    s.statusReports = true;
    ASSERT_TRUE(QDir().mkpath(dir.path() + "/KSDATA"));
    platform::ScriptedDialogs dialogs;
    platform::RecordingShell shell;
    output::StatusReport report(s, dialogs, shell, dir.path() + "/KSDATA/");
    report.Clock = [] { return QDateTime(QDate(2026, 12, 8), QTime(9, 30, 5)); };
    const QString path = dir.path() + "/KSDATA/Report.txt";
    // Captions the code page holds: Windows-1252 bytes as always, "é" one byte, no mark.
    QList<output::SavedButtonInfo> buttons{{output::Pad30("Caf\u00e9 \u20ac"), output::Pad30("u_cafe.gif"),
                                            1024, output::Pad30("d_cafe.gif"), 1024}};
    report.WriteStatusReport(false, buttons, {});
    const QByteArray plain = testsupport::ReadAll(path);
    EXPECT_EQ(plain, platform::ToWindows1252(platform::JoinCrLfLines(
                         output::ReportLines(buttons, {}, false, s, output::ReportDate(report.Clock())))));
    EXPECT_TRUE(plain.contains("\r\nCaf\xe9 \x80" + QByteArray(26, ' ') + "u_cafe.gif"));
    // A Cyrillic caption: the whole report in UTF-8 after the byte order mark, every character kept
    // and the columns still counted in characters.
    buttons.append({output::Pad30("\u041a\u043e\u043d\u0442\u0430\u043a\u0442\u044b"),
                    output::Pad30("u_kontakty.gif"), 2048, output::Pad30("d_kontakty.gif"), 2048});
    report.WriteStatusReport(false, buttons, {});
    const QByteArray utf8 = testsupport::ReadAll(path);
    ASSERT_TRUE(utf8.startsWith("\xEF\xBB\xBF"));
    const QString text = QString::fromUtf8(utf8.mid(3));
    EXPECT_EQ(text, platform::JoinCrLfLines(
                        output::ReportLines(buttons, {}, false, s, output::ReportDate(report.Clock()))));
    EXPECT_TRUE(text.contains("\r\nCaf\u00e9 \u20ac" + QString(26, ' ') + "u_cafe.gif"));
    EXPECT_TRUE(text.contains(
        "\r\n\u041a\u043e\u043d\u0442\u0430\u043a\u0442\u044b                        u_kontakty.gif"));
    EXPECT_FALSE(text.contains('?'));
    EXPECT_TRUE(dialogs.History().isEmpty());
}

TEST_F(PreviewPagesTest, TheHtmlFolderIsSweptAndATerminationRequestStopsThePages) {
    s.htmlTargetFolder = dir.path() + "/site/";
    s.targetFolder = dir.path() + "/site/img/";
    ASSERT_TRUE(QDir().mkpath(dir.path() + "/site"));
    // What older versions left in the page folder goes when the run starts; a link stays.
    ASSERT_TRUE(testsupport::WriteAll(dir.path() + "/site/test.$$$", "left over"));
    ASSERT_TRUE(testsupport::WriteAll(dir.path() + "/site/home.htm", "old page"));
    ASSERT_TRUE(testsupport::WriteAll(dir.path() + "/site/home.htm.part", "left over"));
    ASSERT_TRUE(QFile::link(dir.path() + "/site/home.htm", dir.path() + "/site/runtest.$$$"));
    // A termination request after the first page: no further page, no browser, no report.
    pages.OnPageSaved = [](const QString&, bool) { platform::RecordInterrupt(SIGTERM); };
    pages.generatehtmlbuttonClick();
    platform::ClearInterrupt();
    EXPECT_EQ(Files(dir.path() + "/site"), (QStringList{"home.htm", "runtest.$$$"}));
    EXPECT_TRUE(testsupport::ReadAll(dir.path() + "/site/home.htm").startsWith("<html>"));
    EXPECT_EQ(Files(dir.path() + "/site/img").size(), 4);
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(reports, 0);
    EXPECT_TRUE(dialogs.History().isEmpty());
}

TEST(StatusReport, AShellThatFailsToOpenTheReportGetsItsMessage) {
    QTemporaryDir dir;
    settings::AppSettings s;
    settings::ApplyDefaultSettings(s, {"DejaVu Sans"}, dir.path() + "/");
    s.statusReports = true;
    ASSERT_TRUE(QDir().mkpath(dir.path() + "/KSDATA"));
    platform::ScriptedDialogs dialogs;
    // The desktop's open call raises; nothing can open the report; the opening fails afterwards.
    // Each time the message, which names the report; the report stays written.
    class FailingShell : public platform::RecordingShell {
      public:
        bool raise = true;
        int OpenDocument(const QString& path, const OpenFailed& failed) override {
            if (raise) {
                throw std::runtime_error("no desktop");
            }
            return RecordingShell::OpenDocument(path, failed);
        }
    } shell;
    output::StatusReport report(s, dialogs, shell, dir.path() + "/KSDATA/");
    report.WriteStatusReport(false, {}, {});
    const QString message =
        "Unable to view the status report using your Windows default\r"
        "text file application.\r"
        "Please open : " +
        dir.path() + "/KSDATA/Report.txt\r- in order to read the report.";
    EXPECT_EQ(dialogs.Messages(), QStringList{message});
    EXPECT_TRUE(QFileInfo::exists(dir.path() + "/KSDATA/Report.txt"));  // the file stays written
    shell.raise = false;
    dialogs.Clear();
    shell.QueueAnswer(platform::Shell::kNoApplication);
    report.WriteStatusReport(false, {}, {});
    EXPECT_EQ(dialogs.Messages(), QStringList{message});
    dialogs.Clear();
    report.WriteStatusReport(false, {}, {});
    EXPECT_TRUE(dialogs.Messages().isEmpty());
    shell.FailOpenings();
    EXPECT_EQ(dialogs.Messages(), QStringList{message});
}

namespace {

// The head of every script-free page: `title`, then the rules; `vertical` picks the list's layout.
QString CssHead(const QString& title, const QString& background, const QString& text, bool vertical,
                bool type2 = true, const QString& language = "en") {
    return "<!DOCTYPE html>\n<html lang=\"" + language +
           "\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
           title + "</title>\n<style>\nbody { background-color: #" + background + "; }\np { color: #" + text +
           "; }\n" +
           (vertical
                ? "nav ul { list-style: none; margin: 0; padding: 0; display: flex; flex-direction: "
                  "column; align-items: flex-start; }\n"
                : "nav ul { list-style: none; margin: 0; padding: 0; display: flex; flex-wrap: wrap; }\n") +
           "nav a, nav img { display: block; border: 0; }\n" +
           (type2 ? "nav img.over { display: none; }\n"
                    "nav a:hover img.out, nav a:focus-visible img.out { display: none; }\n"
                    "nav a:hover img.over, nav a:focus-visible img.over { display: block; }\n"
                  : "") +
           "</style>\n</head>\n<body>\n<nav>\n<ul>\n";
}

QByteArray CrLfUtf8(QString text) {
    return text.replace("\n", "\r\n").toUtf8();
}

}  // namespace

TEST_F(PreviewPagesTest, TheScriptFreePageIsUtf8WithBothImagesOfEachButtonInANavList) {
    s.pageStyle = settings::kPageStyleCss;
    s.scale2x = true;
    s.htmlTitlePrefix = "Caf\u00e9 & \u201cco\u201d \u4e2d";
    s.htmlTextColour = "000000FF";
    s.captions.SetCell(2, 0, "A <b> && \"q\" \u4e2d");
    s.captions.SetCell(2, 1, "u_a b#.gif");
    s.captions.SetCell(2, 2, "D_Q.GIF");
    s.captions.SetCell(2, 3, "a.htm");
    pages.generatehtmlbuttonClick();
    // The twice-size copies go beside the images only once the batch writes them; the page names
    // them already ("…@2x" before the last full stop, whatever the case).
    // The page of Home marks its link as the current page, with its type 2 image alone; the other
    // link holds both images, the type 2 image without a text of its own.
    const QString list =
        "<li><a href=\"home.htm\" aria-current=\"page\"><img class=\"current\" src=\"d_home.gif\" "
        "srcset=\"d_home@2x.gif 2x\" width=\"14\" height=\"8\" alt=\"Home\"></a></li>\n"
        "<li><a href=\"a.htm\"><img class=\"out\" src=\"u_a%20b%23.gif\" srcset=\"u_a%20b%23@2x.gif 2x\" "
        "width=\"24\" height=\"8\" alt=\"A &lt;b&gt; &amp; &quot;q&quot; &#20013;\"><img class=\"over\" "
        "src=\"D_Q.GIF\" srcset=\"D_Q@2x.GIF 2x\" width=\"24\" height=\"8\" alt=\"\"></a></li>\n";
    const QString page = CssHead("Caf\u00e9 &amp; \u201cco\u201d &#20013;: Home", "FFFFFF", "FF0000", false) +
                         list +
                         "</ul>\n</nav>\n<p>This page is called \"home.htm\", and is located in folder \"" +
                         dir.path() + "/out/\"</p>\n</body>\n</html>\n";
    EXPECT_EQ(QString::fromUtf8(testsupport::ReadAll(Out("home.htm"))), QString::fromUtf8(CrLfUtf8(page)));
    // UTF-8 bytes, not Windows-1252: the é of the title is two bytes.
    EXPECT_TRUE(testsupport::ReadAll(Out("home.htm")).contains("Caf\xc3\xa9 &amp; \xe2\x80\x9c"));
    EXPECT_EQ(pages.SavedPages().size(), 2);
    EXPECT_EQ(opened, QStringList{Out("home.htm")});

    // The script page of the same settings keeps its template: no srcset, no twice-size names.
    s.pageStyle = settings::kPageStyleClassic;
    pages.generatehtmlbuttonClick();
    const QByteArray classic = testsupport::ReadAll(Out("home.htm"));
    EXPECT_TRUE(
        classic.startsWith("<html>\r\n<head>\r\n<title>Caf\xe9 &amp; \x93"
                           "co\x94 &#20013;: Home</title>"));
    EXPECT_FALSE(classic.contains("@2x") || classic.contains("srcset"));

    // 8.3 names write no twice-size images, so the page names none.
    s.pageStyle = settings::kPageStyleCss;
    s.enforce83 = true;
    pages.generatehtmlbuttonClick();
    EXPECT_FALSE(testsupport::ReadAll(Out("home.htm")).contains("srcset"));
}

TEST_F(PreviewPagesTest, TheScriptFreePageNamesEachButtonAsDrawnAndTheScriptPageAsWritten) {
    EXPECT_EQ(html::CaptionAsDrawn("Caf\u00e9 & Bar"), QStringLiteral("Caf\u00e9  Bar"));
    EXPECT_EQ(html::CaptionAsDrawn("Caf\u00e9 && Bar"), QStringLiteral("Caf\u00e9 & Bar"));
    EXPECT_EQ(html::CaptionAsDrawn("&Home"), QStringLiteral("Home"));
    EXPECT_EQ(html::CaptionAsDrawn("Q&&&A&"), QStringLiteral("Q&A"));
    EXPECT_EQ(html::CaptionAsDrawn("&&&&"), QStringLiteral("&&"));
    EXPECT_EQ(html::CaptionAsDrawn("&"), QString());

    s.pageStyle = settings::kPageStyleCss;
    s.htmlTitlePrefix = "R & D";
    s.captions.SetRowCount(3);
    s.captions.SetCell(1, 0, "Caf\u00e9 && Bar");
    s.captions.SetCell(1, 3, "cafe.htm");
    s.captions.SetCell(2, 0, "&Home");
    s.captions.SetCell(2, 3, "home.htm");
    pages.generatehtmlbuttonClick();
    const QString cafe = QString::fromUtf8(testsupport::ReadAll(Out("cafe.htm")));
    EXPECT_TRUE(cafe.contains("<title>R &amp; D: Caf\u00e9 &amp; Bar</title>")) << cafe.toStdString();
    EXPECT_EQ(cafe.count("alt=\"Caf\u00e9 &amp; Bar\""), 1);
    EXPECT_EQ(cafe.count("alt=\"Home\""), 1);
    EXPECT_EQ(cafe.count("alt=\"\""), 1);
    EXPECT_FALSE(cafe.contains("&amp;&amp;"));
    const QString home = QString::fromUtf8(testsupport::ReadAll(Out("home.htm")));
    EXPECT_TRUE(home.contains("<title>R &amp; D: Home</title>")) << home.toStdString();

    // The script pages keep the captions as written, alt texts and titles alike.
    s.pageStyle = settings::kPageStyleClassic;
    pages.generatehtmlbuttonClick();
    const QByteArray classic = testsupport::ReadAll(Out("cafe.htm"));
    EXPECT_TRUE(classic.contains("<title>R &amp; D: Caf\xe9 &amp;&amp; Bar</title>"));
    EXPECT_TRUE(classic.contains("alt=\"Caf\xe9 &amp;&amp; Bar\""));
    EXPECT_TRUE(testsupport::ReadAll(Out("home.htm")).contains("alt=\"&amp;Home\""));
}

TEST_F(PreviewPagesTest, TheScriptFreeTestPageVerticallyWithTypeTwoDisabledHoldsTheTypeOneImagesOnly) {
    s.pageStyle = settings::kPageStyleCss;
    s.htmlGenerateAll = false;
    s.htmlTargetFolder = dir.path() + "/site";
    s.targetFolder = dir.path() + "/site/img/";
    s.htmlLayout = 1;
    s.secondbuttonEnabled = false;
    s.htmlBackgroundColour = "00FF8000";
    s.captions.SetRowCount(4);
    s.captions.SetCell(2, 0, "   ");  // a caption of spaces: no button
    s.captions.SetCell(3, 0, "Links");
    QDir().mkpath(dir.path() + "/site");
    pages.generatehtmlbuttonClick();
    const QString page =
        CssHead("Untitled Document: index.htm", "0080FF", "000000", true, false) +
        "<li><a href=\"home.htm\"><img class=\"out\" src=\"img/u_home.gif\" width=\"14\" height=\"8\" "
        "alt=\"Home\"></a></li>\n"
        "<li><a href=\"links.htm\"><img class=\"out\" src=\"img/u_links.gif\" width=\"15\" height=\"8\" "
        "alt=\"Links\"></a></li>\n"
        "</ul>\n</nav>\n<p>This page is called \"index.htm\", and is located in folder \"" +
        dir.path() + "/site/\"</p>\n</body>\n</html>\n";
    EXPECT_EQ(testsupport::ReadAll(dir.path() + "/site/index.htm"), CrLfUtf8(page));
    EXPECT_EQ(Files(dir.path() + "/site"), QStringList{"index.htm"});
}

TEST_F(PreviewPagesTest, TheScriptFreePagesHaveTheirLanguageTheirSpacingAndMarkTheirOwnButton) {
    s.pageStyle = settings::kPageStyleCss;
    s.pageLanguage = "de-CH";
    s.buttonSpacing = 12;
    s.captions.SetRowCount(3);
    s.captions.SetCell(2, 0, "Links");
    s.captions.SetCell(2, 3, "links.htm");
    pages.generatehtmlbuttonClick();
    const QString links = QString::fromUtf8(testsupport::ReadAll(Out("links.htm")));
    EXPECT_TRUE(links.startsWith("<!DOCTYPE html>\r\n<html lang=\"de-CH\">\r\n")) << links.toStdString();
    EXPECT_TRUE(links.contains("display: flex; flex-wrap: wrap; gap: 12px; }\r\n"));
    // Each caption's page marks its own link, and only that one; the test page marks none.
    EXPECT_EQ(links.count("aria-current"), 1);
    EXPECT_TRUE(links.contains(
        "<a href=\"links.htm\" aria-current=\"page\"><img class=\"current\" src=\"d_links.gif\""));
    EXPECT_TRUE(links.contains("<a href=\"home.htm\"><img class=\"out\" src=\"u_home.gif\""));
    const QString home = QString::fromUtf8(testsupport::ReadAll(Out("home.htm")));
    EXPECT_TRUE(home.contains(
        "<a href=\"home.htm\" aria-current=\"page\"><img class=\"current\" src=\"d_home.gif\""));
    EXPECT_TRUE(home.contains("<a href=\"links.htm\"><img class=\"out\" src=\"u_links.gif\""));
    EXPECT_FALSE(QString::fromUtf8(testsupport::ReadAll(Out("index.htm"))).contains("aria-current"));

    // Without type 2 buttons the own button shows its type 1 image, and no rule hides a type 1
    // image under the mouse; vertically the space stands between the rows.
    s.secondbuttonEnabled = false;
    s.htmlLayout = 1;
    pages.generatehtmlbuttonClick();
    const QString alone = QString::fromUtf8(testsupport::ReadAll(Out("links.htm")));
    EXPECT_TRUE(alone.contains("aria-current=\"page\"><img class=\"current\" src=\"u_links.gif\""));
    EXPECT_FALSE(alone.contains(":hover"));
    EXPECT_TRUE(alone.contains("align-items: flex-start; gap: 12px; }"));

    // The script page is as it was: no language, no viewport, no current page.
    s.pageStyle = settings::kPageStyleClassic;
    pages.generatehtmlbuttonClick();
    const QByteArray classic = testsupport::ReadAll(Out("links.htm"));
    EXPECT_TRUE(classic.startsWith("<html>\r\n"));
    EXPECT_FALSE(classic.contains("lang=") || classic.contains("viewport") ||
                 classic.contains("aria-current"));
}

TEST_F(PreviewPagesTest, TheSnippetIsTheNavAloneWithItsScopedStyleSheetBesideThePagesOfEitherStyle) {
    s.navigationSnippet = true;
    s.navigationLabel = "Site \"main\" & more";
    s.buttonSpacing = 4;
    s.htmlTargetFolder = dir.path() + "/site";
    s.targetFolder = dir.path() + "/site/img/";
    QDir().mkpath(dir.path() + "/site");
    // With script pages too: the snippet is script-free whatever the pages are.
    pages.generatehtmlbuttonClick();
    const QString site = dir.path() + "/site/";
    const QString nav = QString::fromUtf8(testsupport::ReadAll(site + "navigation.html"));
    EXPECT_EQ(nav,
              "<nav class=\"plumeric-nav\" aria-label=\"Site &quot;main&quot; &amp; more\">\r\n<ul>\r\n"
              "<li><a href=\"home.htm\"><img class=\"out\" src=\"img/u_home.gif\" width=\"14\" height=\"8\" "
              "alt=\"Home\"><img class=\"over\" src=\"img/d_home.gif\" width=\"14\" height=\"8\" "
              "alt=\"\"></a></li>\r\n"
              "<li><a href=\"contacts.htm\"><img class=\"out\" src=\"img/u_contacts.gif\" width=\"18\" "
              "height=\"8\" "
              "alt=\"Contacts\"><img class=\"over\" src=\"img/d_contacts.gif\" width=\"18\" height=\"8\" "
              "alt=\"\"></a></li>\r\n</ul>\r\n</nav>\r\n");
    const QString css = QString::fromUtf8(testsupport::ReadAll(site + "navigation.css"));
    // Every rule is under the snippet's class; the list's rule has the space between buttons.
    for (const QString& rule : css.split("\r\n", Qt::SkipEmptyParts)) {
        EXPECT_TRUE(rule.startsWith("/*") || rule.startsWith("nav.plumeric-nav ")) << rule.toStdString();
        EXPECT_EQ(rule.count("{"), rule.startsWith("/*") ? 0 : 1) << rule.toStdString();
    }
    EXPECT_TRUE(
        css.contains("nav.plumeric-nav ul { list-style: none; margin: 0; padding: 0; border: 0; "
                     "display: flex; flex-wrap: wrap; gap: 4px; }"));
    EXPECT_TRUE(css.contains("nav.plumeric-nav a:hover img.over, nav.plumeric-nav a:focus-visible img.over"));
    // Both are in the report's page list, after the pages.
    const QList<output::SavedPageInfo>& saved = pages.SavedPages();
    ASSERT_EQ(saved.size(), 4);
    EXPECT_EQ(saved[2].caption.trimmed(), "Navigation snippet");
    EXPECT_EQ(saved[2].pageName.trimmed(), "navigation.html");
    EXPECT_EQ(saved[3].caption.trimmed(), "Navigation style sheet");
    EXPECT_EQ(saved[3].pageSize, static_cast<double>(QFileInfo(site + "navigation.css").size()));

    // They are asked about before being replaced, as pages are; "No to All" keeps both.
    s.htmlOverwritePrompt = true;
    s.overwritePrompt = false;
    ASSERT_TRUE(testsupport::WriteAll(site + "navigation.html", "mine"));
    dialogs.Clear();
    dialogs.QueueConfirm(platform::ConfirmAnswer::Yes);
    dialogs.QueueConfirm(platform::ConfirmAnswer::Yes);
    dialogs.QueueConfirm(platform::ConfirmAnswer::NoToAll);
    pages.generatehtmlbuttonClick();
    EXPECT_EQ(dialogs.History().size(), 3);
    EXPECT_EQ(testsupport::ReadAll(site + "navigation.html"), QByteArray("mine"));
    EXPECT_EQ(pages.SavedPages().size(), 2);

    // With pressed images, script pages or not, each link of the snippet holds its pressed image too.
    s.htmlOverwritePrompt = false;
    s.pressedImages = true;
    pages.generatehtmlbuttonClick();
    const QString pressed = QString::fromUtf8(testsupport::ReadAll(site + "navigation.html"));
    EXPECT_TRUE(
        pressed.contains("<img class=\"down\" src=\"img/p_home.gif\" width=\"14\" height=\"8\" alt=\"\">"))
        << pressed.toStdString();
    EXPECT_TRUE(testsupport::ReadAll(site + "navigation.css").contains("nav.plumeric-nav a:active img.down"));
    EXPECT_FALSE(testsupport::ReadAll(site + "home.htm").contains("p_home"));
    s.pressedImages = false;

    // Off, nothing is written beside the pages.
    s.navigationSnippet = false;
    s.htmlOverwritePrompt = false;
    QFile::remove(site + "navigation.html");
    QFile::remove(site + "navigation.css");
    pages.generatehtmlbuttonClick();
    EXPECT_EQ(Files(site), (QStringList{"contacts.htm", "home.htm"}));
}

TEST_F(PreviewPagesTest, AButtonWithALinkLinksThereOnEveryPageOfBothStylesAndEveryPageIsStillWritten) {
    using settings::CaptionGrid;
    s.overwritePrompt = false;  // each style writes the images again
    s.captions.SetRowCount(7);
    const QStringList more = {"Products", "Services", "Support", "Search"};
    for (int r = 3; r <= 6; ++r) {
        s.captions.SetCell(r, CaptionGrid::kCaptionColumn, more[r - 3]);
    }
    s.captions.SetCell(1, CaptionGrid::kLinkColumn, " about us.htm?a=1&b=\"2\"<x> ");
    // Row 2 (Contacts) has no link: it links to its page as before.
    s.captions.SetCell(3, CaptionGrid::kLinkColumn, "/shop/index.htm");
    s.captions.SetCell(4, CaptionGrid::kLinkColumn, "#top");
    s.captions.SetCell(5, CaptionGrid::kLinkColumn, "MailTo:team@example.com?subject=Hi there");
    s.captions.SetCell(6, CaptionGrid::kLinkColumn, "ht\ttps://example.com/\u0416?q=caf\u00e9");
    const QStringList hrefs = {"about%20us.htm?a=1&amp;b=%222%22%3Cx%3E",
                               "contacts.htm",
                               "/shop/index.htm",
                               "#top",
                               "MailTo:team@example.com?subject=Hi%20there",
                               "https://example.com/%D0%96?q=caf%C3%A9"};
    const QStringList pageNames = {"home.htm",     "contacts.htm", "products.htm",
                                   "services.htm", "support.htm",  "search.htm"};
    for (const int style : {settings::kPageStyleClassic, settings::kPageStyleCss}) {
        s.pageStyle = style;
        dialogs.Clear();
        pages.generatehtmlbuttonClick();
        EXPECT_TRUE(dialogs.History().isEmpty());
        // A page for every row, as a preview, whether its button links to it or not.
        for (const QString& name : pageNames) {
            ASSERT_TRUE(QFileInfo::exists(Out(name))) << name.toStdString();
        }
        EXPECT_EQ(opened.last(), Out("home.htm"));
        for (const QString& name : pageNames) {
            const QByteArray bytes = testsupport::ReadAll(Out(name));
            const QString page = style == settings::kPageStyleCss ? QString::fromUtf8(bytes)
                                                                  : platform::FromWindows1252(bytes);
            for (const QString& href : hrefs) {
                // (On a caption's own page its link is marked as the current page after the href.)
                const QString tag = style == settings::kPageStyleCss ? "<li><a href=\"" + href + "\""
                                                                     : "<a href=\"" + href + "\"\r\n";
                EXPECT_EQ(page.count(tag), 1) << name.toStdString() << ": " << tag.toStdString();
            }
            EXPECT_FALSE(page.contains("href=\"home.htm\"")) << name.toStdString();
        }
    }

    // The test page links the same way, in both styles.
    s.htmlGenerateAll = false;
    pages.generatehtmlbuttonClick();
    const QString css = QString::fromUtf8(testsupport::ReadAll(Out("index.htm")));
    EXPECT_TRUE(css.contains("<li><a href=\"#top\"><img"));
    EXPECT_TRUE(css.contains("<li><a href=\"contacts.htm\"><img"));
    s.pageStyle = settings::kPageStyleClassic;
    pages.generatehtmlbuttonClick();
    const QString classic = platform::FromWindows1252(testsupport::ReadAll(Out("index.htm")));
    EXPECT_TRUE(classic.contains("<a href=\"#top\"\r\n"));
    EXPECT_TRUE(classic.contains("<a href=\"contacts.htm\"\r\n"));
}

TEST_F(PreviewPagesTest, ALinkNoPageTakesWritesNeitherButtonsNorPages) {
    using settings::CaptionGrid;
    s.htmlTargetFolder = dir.path() + "/site";
    s.targetFolder = dir.path() + "/site/img/";
    QDir().mkpath(dir.path() + "/site");
    for (const int style : {settings::kPageStyleClassic, settings::kPageStyleCss}) {
        for (const bool all : {true, false}) {
            for (const char* link : {"javascript:alert(1)", " JavaScript:alert(1)", "java\tscript:alert(1)",
                                     "data:text/html,x", "vbscript:x", "file:///etc/passwd"}) {
                s.pageStyle = style;
                s.htmlGenerateAll = all;
                s.captions.SetCell(2, CaptionGrid::kLinkColumn, QString::fromUtf8(link));
                dialogs.Clear();
                pages.generatehtmlbuttonClick();
                EXPECT_EQ(dialogs.Messages(),
                          QStringList{output::LinkRefusedMessage(2, "Contacts", QString::fromUtf8(link))});
                EXPECT_EQ(Files(dir.path() + "/site"), QStringList()) << link;
                EXPECT_FALSE(QFileInfo::exists(dir.path() + "/site/img")) << link;
                EXPECT_TRUE(opened.isEmpty());
                EXPECT_EQ(reports, 0);
                EXPECT_TRUE(pages.SavedPages().isEmpty());
            }
        }
    }
}

TEST_F(PreviewPagesTest, WithPressedImagesEachScriptFreeLinkHoldsItsPressedImageShownWhilePressed) {
    s.pageStyle = settings::kPageStyleCss;
    s.pressedImages = true;
    s.scale2x = true;
    s.captions.SetRowCount(3);  // Home, Contacts
    pages.generatehtmlbuttonClick();
    EXPECT_TRUE(QFileInfo::exists(Out("p_home.gif")));
    EXPECT_TRUE(QFileInfo::exists(Out("p_contacts@2x.gif")));
    // The pressed image follows the type 1 and type 2 images, with an empty alt text; its size is the
    // size of its file (the fake pressed faces are type 2's size). Home's own link, the current
    // page's, holds its type 2 image alone.
    const QString list =
        "<li><a href=\"home.htm\" aria-current=\"page\"><img class=\"current\" src=\"d_home.gif\" "
        "srcset=\"d_home@2x.gif 2x\" width=\"14\" height=\"8\" alt=\"Home\"></a></li>\n"
        "<li><a href=\"contacts.htm\"><img class=\"out\" src=\"u_contacts.gif\" "
        "srcset=\"u_contacts@2x.gif 2x\" width=\"18\" height=\"8\" alt=\"Contacts\"><img class=\"over\" "
        "src=\"d_contacts.gif\" srcset=\"d_contacts@2x.gif 2x\" width=\"18\" height=\"8\" "
        "alt=\"\"><img class=\"down\" src=\"p_contacts.gif\" srcset=\"p_contacts@2x.gif 2x\" "
        "width=\"18\" height=\"8\" alt=\"\"></a></li>\n";
    QString head = CssHead("Untitled Document: Home", "FFFFFF", "000000", false);
    head.replace("</style>",
                 "nav img.down { display: none; }\n"
                 "nav a:active img.out, nav a:active img.over { display: none; }\n"
                 "nav a:active img.down { display: block; }\n</style>");
    const QString page = head + list +
                         "</ul>\n</nav>\n<p>This page is called \"home.htm\", and is located in folder \"" +
                         dir.path() + "/out/\"</p>\n</body>\n</html>\n";
    EXPECT_EQ(QString::fromUtf8(testsupport::ReadAll(Out("home.htm"))), QString::fromUtf8(CrLfUtf8(page)));

    // Type 2 disabled: the link holds its type 1 image and its pressed image (type 1's face pressed).
    s.secondbuttonEnabled = false;
    s.scale2x = false;
    output::RecalculateFilenames(s);
    pages.generatehtmlbuttonClick();
    const QString one = QString::fromUtf8(testsupport::ReadAll(Out("contacts.htm")));
    EXPECT_TRUE(
        one.contains("<li><a href=\"home.htm\"><img class=\"out\" src=\"u_home.gif\" width=\"14\" "
                     "height=\"8\" alt=\"Home\"><img class=\"down\" src=\"p_home.gif\" width=\"14\" "
                     "height=\"8\" alt=\"\"></a></li>"))
        << one.toStdString();
    EXPECT_FALSE(one.contains("class=\"over\""));

    // The script pages are as they were: no pressed image, no rules for it.
    s.pageStyle = settings::kPageStyleClassic;
    pages.generatehtmlbuttonClick();
    const QByteArray classic = testsupport::ReadAll(Out("home.htm"));
    EXPECT_FALSE(classic.contains("p_home") || classic.contains(":active"));
    // Off: the script-free page is the page it always was.
    s.pageStyle = settings::kPageStyleCss;
    s.pressedImages = false;
    pages.generatehtmlbuttonClick();
    const QByteArray off = testsupport::ReadAll(Out("home.htm"));
    EXPECT_FALSE(off.contains("p_home") || off.contains(":active") || off.contains("down"));
}
