#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyleOptionButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <QToolTip>
#include <csignal>

#include "TestSupport.h"
#include "app/AdvancedForm.h"
#include "app/AlignmentPage.h"
#include "app/ButtonsPage.h"
#include "app/FilePage.h"
#include "app/FontPage.h"
#include "app/Form1.h"
#include "app/HelpPage.h"
#include "app/HintTracker.h"
#include "app/HtmlPage.h"
#include "platform/IntegerText.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Shell.h"
#include "render/LumoButton.h"
#include "widgets/IntegerEdit.h"
#include "widgets/PicturePanel.h"

using app::TForm1;

namespace {

class Form1Test : public ::testing::Test {
  protected:
    std::unique_ptr<TForm1> MakeForm() {
        auto form = std::make_unique<TForm1>(dialogs, shell, dir.path());
        return form;
    }
    QString DatFile() const { return dir.path() + "/KSDATA/PROJECTS/kestro.dat"; }

    QTemporaryDir dir;
    platform::ScriptedDialogs dialogs;
    platform::RecordingShell shell;
};

}  // namespace

TEST_F(Form1Test, TheWindowShowsItsPagesBarAndPreviews) {
    auto form = MakeForm();
    ASSERT_TRUE(form->DataFolderOk());
    EXPECT_TRUE(form->Settings().PreviewUpdatesSuspended);  // nothing refreshes before the window shows
    form->show();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Plumeric V1.2"));
    EXPECT_EQ(form->size(), QSize(673, 491));
    // "Shape and F&ill" follows the Buttons page, with the one letter the others leave.
    const QStringList captions = {"&File", "Caption &List", "&Buttons", "Shape and F&ill",
                                  "F&ont", "&Allignment",   "&HTML",    "H&elp"};
    ASSERT_EQ(form->PageControl1->count(), 8);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(form->PageControl1->tabText(i), captions[i]);
    }
    EXPECT_EQ(form->PageControl1->currentIndex(), TForm1::kHelpPage);
    EXPECT_EQ(form->SaveBatchButton->text(), QStringLiteral("&Save Buttons"));
    EXPECT_EQ(form->generatehtmlbutton->text(), QStringLiteral("&Preview in web browser"));
    EXPECT_EQ(form->TextEdit->text(), QStringLiteral("Plumeric !"));
    EXPECT_EQ(form->TextEdit->maxLength(), 250);
    EXPECT_TRUE(form->TextEdit->hasFocus() || QApplication::focusWidget() == form->TextEdit ||
                form->focusWidget() == form->TextEdit);
    EXPECT_TRUE(form->helpPage->welcomeText->isReadOnly());
    EXPECT_FALSE(form->helpPage->welcomeText->toPlainText().isEmpty());
    EXPECT_EQ(form->helpPage->Image7->size(), QSize(33, 24));
    EXPECT_EQ(form->helpPage->Image7->pos(), QPoint(68, 80));
    EXPECT_FALSE(form->helpPage->Image7->isVisible());
    EXPECT_TRUE(dialogs.History().isEmpty());
}

TEST_F(Form1Test, TheFirstPreviewRefreshComesFromTheTimer) {
    auto form = MakeForm();
    form->show();
    EXPECT_FALSE(form->Settings().PreviewUpdatesSuspended);
    ASSERT_TRUE(form->Timer1->isActive());
    EXPECT_TRUE(form->Timer1->isSingleShot());
    EXPECT_EQ(form->Timer1->interval(), 800);
    // Until the tick the preview areas keep the colour they were made with.
    form->Settings().previewAreaColour = "00FF0080";
    EXPECT_EQ(form->testareaPanel1->Color(), QColor(0, 0x30, 0));

    form->Settings().button[settings::kType1].backgroundColour = "123";
    form->Timer1Timer();
    EXPECT_FALSE(form->Timer1->isActive());
    EXPECT_EQ(form->testareaPanel1->Color(), QColor(0x80, 0, 0xFF));
    EXPECT_EQ(form->testareaPanel2->Color(), QColor(0x80, 0, 0xFF));
    // They are tiled picture panels without a picture: they paint their colour.
    EXPECT_EQ(form->testareaPanel1->Style(), widgets::ppTiled);
    EXPECT_TRUE(form->testareaPanel1->Picture().isNull());
    EXPECT_EQ(form->testareaPanel1->grab().toImage().pixel(5, 5), qRgb(0x80, 0, 0xFF));
    // A refresh writes the background colours back as eight digits.
    EXPECT_EQ(form->Settings().button[settings::kType1].backgroundColour, QStringLiteral("00000000"));

    // Starting a running timer does not restart it.
    form->starttimerforupdate();
    const int remaining = form->Timer1->remainingTime();
    form->starttimerforupdate();
    EXPECT_LE(form->Timer1->remainingTime(), remaining);

    // While suspended, a refresh does nothing.
    form->Settings().PreviewUpdatesSuspended = true;
    form->Settings().previewAreaColour = "000000FF";
    form->RefreshPreview();
    EXPECT_EQ(form->testareaPanel1->Color(), QColor(0x80, 0, 0xFF));
}

TEST_F(Form1Test, AShorterOrNarrowerWindowKeepsRoomForThePreviewButtons) {
    auto form = MakeForm();
    form->show();
    form->Timer1Timer();
    // After every size the user or the window system asks for, the window is at least as large as
    // the rules want for the buttons shown, and each button lies wholly inside its preview area.
    const int screenWidth = form->screen()->availableGeometry().width();
    const auto sizes = [&](const QString& what) {
        QApplication::processEvents();  // a correction waits for the event loop
        const QSize b1 = form->image1->size();
        const QSize b2 = form->image2->size();
        const int tallest = std::max(b1.height(), b2.height());
        EXPECT_GE(form->frameGeometry().height(), tallest + 360) << what.toStdString();
        // As wide as the screen at most: a wider button is clipped by its area.
        EXPECT_GE(form->frameGeometry().width(),
                  std::min(2 * std::max(b1.width(), b2.width()) + 53, screenWidth))
            << what.toStdString();
        EXPECT_GE(form->testareaPanel1->height(), tallest) << what.toStdString();
        EXPECT_GE(form->image1->y(), 0) << what.toStdString();
        EXPECT_GE(form->image2->y(), 0) << what.toStdString();
        EXPECT_LE(form->image1->geometry().bottom(), form->testareaPanel1->height() - 1)
            << what.toStdString();
    };
    // Shrinking again and again, and growing, with the default buttons.
    for (const int height : {380, 100, 1, 700, 300, 491}) {
        form->resize(673, height);
        sizes(QStringLiteral("default buttons, height %1").arg(height));
    }
    form->resize(200, 491);
    sizes(QStringLiteral("narrow"));
    // The pages set the narrowest width here; the window is made no wider than that.
    EXPECT_EQ(form->width(), form->minimumWidth());

    // A wide, tall type 1 button: 2 x 400 + 53 wide and 200 + 360 high at least.
    settings::ButtonStyle& type1 = form->Settings().button[settings::kType1];
    type1.backgroundMode = 1;
    type1.width = "400";
    type1.height = "200";
    form->SettingsToControls();
    form->RefreshPreview();
    ASSERT_EQ(form->image1->size(), QSize(400, 200));
    for (const int height : {380, 491, 200}) {
        form->resize(673, height);
        sizes(QStringLiteral("400 x 200, height %1").arg(height));
    }
    EXPECT_GE(form->frameGeometry().width(), std::min(853, screenWidth));
    EXPECT_GE(form->frameGeometry().height(), 560);

    // Smart sizing: the width follows a long test caption; type 2 alone disabled keeps type 1's rule.
    type1.backgroundMode = 4;
    type1.height = "60";
    form->SettingsToControls();
    form->TextEdit->setText(QString(60, 'W'));
    form->RefreshPreview();
    EXPECT_GT(form->image1->width(), 400);
    for (const int height : {380, 1}) {
        form->resize(673, height);
        sizes(QStringLiteral("smart sized, height %1").arg(height));
    }
    form->secondbuttonCheckBox[0]->setChecked(true);
    form->RefreshPreview();
    form->resize(100, 100);
    sizes(QStringLiteral("type 2 disabled"));
    EXPECT_GE(form->frameGeometry().width(), std::min(2 * form->image1->width() + 53, screenWidth));
}

TEST_F(Form1Test, TypedSizesReplaceTheSelectedTextAndTheWindowStaysOnTheScreen) {
    auto form = MakeForm();
    form->show();
    QApplication::setActiveWindow(form.get());
    form->Timer1Timer();
    const QRect available = form->screen()->availableGeometry();
    const auto onScreen = [&](const QString& what) {
        QApplication::processEvents();
        const QRect frame = form->frameGeometry();
        EXPECT_TRUE(available.contains(frame))
            << what.toStdString() << ": " << frame.x() << "," << frame.y() << " " << frame.width() << "x"
            << frame.height() << " on " << available.width() << "x" << available.height();
        // Both preview areas stay inside the window's row, side by side.
        EXPECT_LE(form->testareaPanel2->geometry().right(), form->width()) << what.toStdString();
        EXPECT_EQ(form->testareaPanel2->x(), form->testareaPanel1->width()) << what.toStdString();
    };

    // A width typed into the field entered by the keyboard replaces the width it showed.
    app::ButtonsTypeControls& fields = form->buttonsPage->type[settings::kType1];
    settings::ButtonStyle& type1 = form->Settings().button[settings::kType1];
    type1.backgroundMode = 1;
    form->SettingsToControls();
    fields.widthField.edit->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(fields.widthField.edit->selectedText(), QStringLiteral("100"));
    QTest::keyClicks(fields.widthField.edit, "2000");
    EXPECT_EQ(type1.width, QStringLiteral("2000"));
    form->Timer1Timer();
    ASSERT_EQ(form->image1->width(), 2000);
    onScreen(QStringLiteral("2000 pixels wide"));
    // The button is wider than its area, which clips it on both sides around its middle.
    EXPECT_LT(form->testareaPanel1->width(), 2000);
    EXPECT_LT(form->image1->x(), 0);
    EXPECT_EQ(form->image1->x(), (form->testareaPanel1->width() - 2000) / 2);
    // Asked for more, the window still keeps to the screen.
    form->resize(2 * available.width(), 2 * available.height());
    form->resize(100, 100);
    onScreen(QStringLiteral("resized"));
    EXPECT_EQ(form->frameGeometry().width(), available.width());

    // The font size list: a click into it selects its text, and "11" typed over "9" is 11 points.
    type1.backgroundMode = 4;
    form->SettingsToControls();
    form->PageControl1->setCurrentIndex(4);
    QComboBox* size = form->fontPage->type[settings::kType1].SizeComboBox;
    ASSERT_EQ(size->currentText(), QStringLiteral("9"));
    QTest::mouseClick(size->lineEdit(), Qt::LeftButton, {}, size->lineEdit()->rect().center());
    ASSERT_TRUE(size->hasFocus());
    EXPECT_EQ(size->lineEdit()->selectedText(), QStringLiteral("9"));
    QTest::keyClicks(size->lineEdit(), "11");
    EXPECT_EQ(size->currentText(), QStringLiteral("11"));
    EXPECT_EQ(type1.fontSizeText, QStringLiteral("11"));
    // A click while the list has the focus puts the caret, as in any field; entering it again
    // by the keyboard selects the text again.
    QTest::mouseClick(size->lineEdit(), Qt::LeftButton, {}, size->lineEdit()->rect().center());
    EXPECT_FALSE(size->lineEdit()->hasSelectedText());
    form->TextEdit->setFocus();
    size->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(size->lineEdit()->selectedText(), QStringLiteral("11"));
    QTest::keyClicks(size->lineEdit(), "91");
    EXPECT_EQ(type1.fontSizeText, QStringLiteral("91"));

    // 91 points and a long test caption: a smart-sized button far wider than the screen.
    form->TextEdit->setText(QStringLiteral("Products and services"));
    form->Timer1Timer();
    EXPECT_GT(form->image1->width(), available.width());
    onScreen(QStringLiteral("91 points"));
    EXPECT_EQ(form->frameGeometry().width(), available.width());
    EXPECT_LT(form->image1->x(), 0);
}

TEST_F(Form1Test, ClosingWritesTheSettingsAndTheNextStartRestoresThem) {
    {
        auto form = MakeForm();
        form->show();
        form->TextEdit->setText("Saved caption");
        form->secondbuttonCheckBox[1]->setChecked(true);
        EXPECT_FALSE(form->Settings().secondbuttonEnabled);
        form->close();
    }
    const QByteArray dat = testsupport::ReadAll(DatFile());
    EXPECT_TRUE(dat.contains("68,Saved caption\r\n"));
    EXPECT_TRUE(dat.contains("110,N\r\n"));

    auto form = MakeForm();
    form->show();
    EXPECT_EQ(form->TextEdit->text(), QStringLiteral("Saved caption"));
    EXPECT_FALSE(form->Settings().secondbuttonEnabled);
    for (QCheckBox* box : form->secondbuttonCheckBox) {
        EXPECT_TRUE(box->isChecked());
    }
    EXPECT_FALSE(form->testareaPanel2->isVisible());
    EXPECT_FALSE(form->preview2Label->isVisible());
    EXPECT_TRUE(dialogs.History().isEmpty());
}

TEST_F(Form1Test, IntegerFieldsNeverPassANonNumberToTheSettingsFile) {
    {
        auto form = MakeForm();
        form->show();
        form->Timer1->stop();
        dialogs.Clear();
        app::ButtonsTypeControls& f = form->buttonsPage->type[settings::kType1];
        app::AlignmentTypeControls& a = form->alignmentPage->type[settings::kType1];
        // A paste of letters into the spacing field is refused.
        f.spacingField.edit->setText("22");
        f.spacingField.edit->setFocus();
        f.spacingField.edit->selectAll();
        QApplication::clipboard()->setText("abc");
        QTest::keyClick(f.spacingField.edit, Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(f.spacingField.edit->text(), QStringLiteral("22"));
        EXPECT_EQ(form->Settings().button[settings::kType1].spacing, QStringLiteral("22"));
        // A text that is not a number, however it got there, is read as the field's value: the
        // message, then its minimum in its place, and the refresh still starts.
        form->Timer1->stop();
        a.TopOffsetField.edit->setText("abc");
        EXPECT_EQ(a.TopOffsetField.edit->text(), QStringLiteral("-2000"));
        EXPECT_EQ(form->Settings().button[settings::kType1].verticalOffset, QStringLiteral("-2000"));
        EXPECT_EQ(dialogs.Messages(), QStringList{"[Value Out of Range]"});
        f.widthField.edit->setText("12x");
        EXPECT_EQ(form->Settings().button[settings::kType1].width, QStringLiteral("0"));
        EXPECT_TRUE(form->Timer1->isActive());
        EXPECT_TRUE(form->StatusText().isEmpty());
        form->close();
    }
    const QByteArray dat = testsupport::ReadAll(DatFile());
    EXPECT_TRUE(dat.contains("\r\n22,22\r\n"));
    EXPECT_TRUE(dat.contains("\r\n60,-2000\r\n"));
    EXPECT_TRUE(dat.contains("\r\n5,0\r\n"));
}

TEST_F(Form1Test, ABatchShowsItsProgressInTheStatusBar) {
    auto form = MakeForm();
    form->show();
    form->Settings().captions.SetRowCount(4);
    form->SaveBatchButton->click();
    // After the batch the status bar says what happened, not the last progress.
    EXPECT_EQ(form->StatusText(), QStringLiteral("3 captions done (6 files written, 0 kept)"));
    ASSERT_EQ(dialogs.Messages().size(), 1);
    EXPECT_TRUE(dialogs.Messages()[0].startsWith("All buttons have been saved to folder: -"));
}

TEST_F(Form1Test, TheRunningBatchsButtonStopsItEscapeToo) {
    auto form = MakeForm();
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const QString folder = dir.path() + "/KSDATA/BUTTONS/";
    const auto saved = form->Batch().OnFileSaved;
    // At a given file: what the window shows while the batch runs, then what the user does.
    int files = 0;
    int stopAt = 0;
    std::function<void()> act;
    QStringList seen;
    form->Batch().OnFileSaved = [&](const QString& path, bool written, qint64 size) {
        saved(path, written, size);
        if (++files == stopAt) {
            seen << form->SaveBatchButton->text() << form->generatehtmlbutton->text()
                 << QString::number(form->SaveBatchButton->isEnabled())
                 << QString::number(form->generatehtmlbutton->isEnabled())
                 << QString::number(form->TextEdit->isEnabled())
                 << QString::number(form->PageControl1->currentWidget()->isEnabled());
            act();
        }
    };

    // "&Save Buttons" reads "&Stop" and is the one control left; clicking it ends the batch after
    // the file in hand, with no closing message.
    stopAt = 3;
    act = [&] { form->SaveBatchButton->click(); };
    form->SaveBatchButton->click();
    EXPECT_EQ(seen, (QStringList{"&Stop", "&Preview in web browser", "1", "0", "0", "0"}));
    EXPECT_EQ(files, 3);
    EXPECT_EQ(QDir(folder).entryList({"*.gif"}, QDir::Files),
              (QStringList{"d_home.gif", "u_contacts.gif", "u_home.gif"}));
    EXPECT_EQ(form->StatusText(), QStringLiteral("Stopped after 1 of 7 captions (3 files written)."));
    EXPECT_TRUE(dialogs.History().isEmpty());
    EXPECT_TRUE(form->Batch().Stopped());
    // Everything comes back as it was.
    EXPECT_EQ(form->SaveBatchButton->text(), QStringLiteral("&Save Buttons"));
    EXPECT_TRUE(form->generatehtmlbutton->isEnabled());
    EXPECT_TRUE(form->TextEdit->isEnabled());
    EXPECT_TRUE(form->PageControl1->currentWidget()->isEnabled());
    EXPECT_EQ(form->image1->Caption(), form->TextEdit->text());

    // Escape stops "&Preview in web browser" the same way: no page is written and nothing opened.
    QDir(folder).removeRecursively();
    files = 0;
    seen.clear();
    stopAt = 2;
    act = [&] { QTest::keyClick(form.get(), Qt::Key_Escape); };
    form->generatehtmlbutton->click();
    EXPECT_EQ(seen, (QStringList{"&Save Buttons", "&Stop", "0", "1", "0", "0"}));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), (QStringList{"d_home.gif", "u_home.gif"}));
    EXPECT_TRUE(shell.Opened().isEmpty());
    EXPECT_EQ(form->StatusText(), QStringLiteral("Stopped after 1 of 7 captions (2 files written)."));
    EXPECT_EQ(form->generatehtmlbutton->text(), QStringLiteral("&Preview in web browser"));

    // Escape outside a batch does nothing; the next batch runs to its end.
    QTest::keyClick(form.get(), Qt::Key_Escape);
    stopAt = 0;
    form->SaveBatchButton->click();
    EXPECT_EQ(form->StatusText(), QStringLiteral("7 captions done (14 files written, 0 kept)"));

    // Closing the window while a batch runs stops it, then closes the window.
    QDir(folder).removeRecursively();
    files = 0;
    stopAt = 1;
    act = [&] { form->close(); };
    form->SaveBatchButton->click();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), QStringList{"u_home.gif"});
    EXPECT_TRUE(form->isVisible());  // not while the batch ran
    QCoreApplication::processEvents();
    EXPECT_FALSE(form->isVisible());
}

namespace {

// Records the status bar each time an overwrite question is asked, and while the batch's closing
// message is open.
class StatusAtQuestion : public platform::ScriptedDialogs {
  public:
    platform::ConfirmAnswer Confirm(const QString& text) override {
        statuses << (form != nullptr ? form->StatusText() : QString());
        return ScriptedDialogs::Confirm(text);
    }
    void ShowMessage(const QString& text) override {
        atMessage = form != nullptr ? form->StatusText() : QString();
        // The batch is over: its button has its own text again, and nothing is disabled.
        controlsAtMessage = form != nullptr ? QStringList{form->SaveBatchButton->text(),
                                                          QString::number(form->TextEdit->isEnabled())}
                                            : QStringList();
        ScriptedDialogs::ShowMessage(text);
    }
    QString atMessage;
    QStringList controlsAtMessage;
    TForm1* form = nullptr;
    QStringList statuses;
};

}  // namespace

TEST_F(Form1Test, TheStatusBarNamesTheCaptionAskedAboutAndSaysWhatTheBatchDid) {
    StatusAtQuestion asking;
    TForm1 form(asking, shell, dir.path());
    asking.form = &form;
    form.show();
    form.Settings().captions.SetRowCount(4);  // Home, Contacts, Products
    form.Settings().captions.SetCell(2, 0, "Caf\u00e9");
    form.SaveBatchButton->click();
    ASSERT_EQ(form.StatusText(), QStringLiteral("3 captions done (6 files written, 0 kept)"));
    EXPECT_EQ(asking.atMessage, form.StatusText());  // already while "All buttons have been saved" shows
    EXPECT_EQ(asking.controlsAtMessage, (QStringList{"&Save Buttons", "1"}));
    EXPECT_TRUE(asking.statuses.isEmpty());

    // Again over the same files: Yes, No, then "N&o to All" keeps the rest without asking.
    asking.QueueConfirm(platform::ConfirmAnswer::Yes);
    asking.QueueConfirm(platform::ConfirmAnswer::No);
    asking.QueueConfirm(platform::ConfirmAnswer::NoToAll);
    form.SaveBatchButton->click();
    EXPECT_EQ(asking.statuses,
              (QStringList{QString::fromUtf8("Saving 1 of 3: \"Home\" \u2014 replace u_home.gif?"),
                           QString::fromUtf8("Saving 1 of 3: \"Home\" \u2014 replace d_home.gif?"),
                           QString::fromUtf8("Saving 2 of 3: \"Caf\u00e9\" \u2014 replace u_caf.gif?")}));
    EXPECT_EQ(form.StatusText(), QStringLiteral("3 captions done (1 file written, 5 kept)"));

    // A folder that cannot be used stops the batch at its first caption; the box says why.
    QFile blocker(dir.path() + "/blocker");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    form.Settings().targetFolder = dir.path() + "/blocker/BUTTONS/";
    form.SaveBatchButton->click();
    EXPECT_EQ(form.StatusText(),
              QStringLiteral("The batch stopped at caption 1 of 3 (0 files written, 0 kept)"));
    // Whatever ended the batch, both previews show the test caption again.
    EXPECT_EQ(form.image1->Caption(), form.TextEdit->text());
    EXPECT_EQ(form.image2->Caption(), form.TextEdit->text());
    // A refused batch (no captions) leaves the status bar to the box.
    form.ShowStatus("hint");
    for (int r = 1; r < form.Settings().captions.RowCount(); ++r) {
        form.Settings().captions.SetCell(r, 0, QString());
    }
    form.SaveBatchButton->click();
    EXPECT_EQ(form.StatusText(), QStringLiteral("hint"));
}

TEST_F(Form1Test, PreviewInWebBrowserWritesThePagesAndOpensTheFirst) {
    auto form = MakeForm();
    form->show();
    form->generatehtmlbutton->click();
    const QString folder = dir.path() + "/KSDATA/BUTTONS/";
    EXPECT_EQ(QDir(folder).entryList({"*.htm"}, QDir::Files).size(), 7);
    EXPECT_EQ(QDir(folder).entryList({"*.gif"}, QDir::Files).size(), 14);
    EXPECT_EQ(shell.Opened(), QStringList{folder + "home.htm"});
    EXPECT_TRUE(dialogs.History().isEmpty());  // no "saved" message on this road
    EXPECT_EQ(form->Pages().SavedPages().size(), 7);

    // With reports ticked the report follows, with its page section, and is opened.
    form->Settings().statusReports = true;
    form->Report().Clock = [] { return QDateTime(QDate(2026, 12, 8), QTime(9, 30, 5)); };
    form->generatehtmlbutton->click();
    const QByteArray report = testsupport::ReadAll(dir.path() + "/KSDATA/Report.txt");
    EXPECT_TRUE(report.startsWith("Plumeric : Status Report Produced "));
    EXPECT_TRUE(report.contains("\r\nHome                            home.htm                        "));
    EXPECT_EQ(shell.Opened().last(), dir.path() + "/KSDATA/Report.txt");

    // The help page opens from beside the program.
    form->helpPage->ViewHelpButton->click();
    EXPECT_EQ(shell.Opened().last(), dir.path() + "/help.htm");
}

TEST_F(Form1Test, DisableBoxesMoveTogetherAndHideTypeTwo) {
    auto form = MakeForm();
    form->show();
    for (QGroupBox* panel : form->type2Panels) {
        auto* extra = new QLabel("type 2 control", panel);
        extra->setObjectName("extra");
        extra->show();
    }
    form->secondbuttonCheckBox[2]->click();
    EXPECT_FALSE(form->Settings().secondbuttonEnabled);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_TRUE(form->secondbuttonCheckBox[i]->isChecked());
        EXPECT_TRUE(form->type2Panels[i]->isVisibleTo(form->type2Panels[i]->parentWidget()));
        EXPECT_FALSE(form->type2Panels[i]->findChild<QLabel*>("extra")->isVisibleTo(form->type2Panels[i]));
        EXPECT_TRUE(form->secondbuttonCheckBox[i]->isVisibleTo(form->type2Panels[i]));
    }
    EXPECT_FALSE(form->testareaPanel2->isVisible());

    form->secondbuttonCheckBox[0]->click();
    EXPECT_TRUE(form->Settings().secondbuttonEnabled);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_FALSE(form->secondbuttonCheckBox[i]->isChecked());
        EXPECT_TRUE(form->type2Panels[i]->findChild<QLabel*>("extra")->isVisibleTo(form->type2Panels[i]));
    }
    EXPECT_TRUE(form->testareaPanel2->isVisible());
}

TEST_F(Form1Test, ReEnablingTypeTwoCopiesTypeOneOnlyWhenAsked) {
    auto form = MakeForm();
    form->show();
    auto& s = form->Settings();
    s.button[settings::kType1].horizontalMode = 2;
    s.button[settings::kType1].horizontalOffset = "12";
    s.button[settings::kType1].height = "44";
    s.button[settings::kType2].height = "33";
    form->secondbuttonCheckBox[0]->click();  // disable
    s.copyOnReEnable = false;
    form->secondbuttonCheckBox[1]->click();  // enable without copying
    EXPECT_EQ(s.button[settings::kType2].height, QStringLiteral("33"));
    form->secondbuttonCheckBox[2]->click();
    s.copyOnReEnable = true;
    form->secondbuttonCheckBox[2]->click();  // enable with copying
    EXPECT_EQ(s.button[settings::kType2], s.button[settings::kType1]);
    EXPECT_EQ(form->buttonsPage->type[settings::kType2].heightField.edit->text(), QStringLiteral("44"));
    EXPECT_FALSE(form->alignmentPage->type[settings::kType2].LeftOffsetField.edit->isHidden());
}

TEST_F(Form1Test, ADamagedSettingsFileIsResetWithTheMessage) {
    QDir().mkpath(dir.path() + "/KSDATA/PROJECTS");
    ASSERT_TRUE(testsupport::WriteAll(DatFile(), "68,kept?\r\n1,x\r\n"));
    auto form = MakeForm();
    form->show();
    EXPECT_FALSE(QFile::exists(DatFile()));
    EXPECT_EQ(form->TextEdit->text(), QStringLiteral("Plumeric !"));
    ASSERT_EQ(dialogs.Messages().size(), 1);
    EXPECT_TRUE(dialogs.Messages()[0].startsWith("Your previous settings file was out of date"));
    EXPECT_FALSE(form->Settings().PreviewUpdatesSuspended);
    EXPECT_TRUE(form->Timer1->isActive());
}

TEST_F(Form1Test, AnUnusableDataFolderEndsWithoutWritingSettings) {
    ASSERT_TRUE(testsupport::WriteAll(dir.path() + "/KSDATA", "file"));
    auto form = MakeForm();
    EXPECT_FALSE(form->DataFolderOk());
    ASSERT_EQ(dialogs.Messages().size(), 1);
    EXPECT_TRUE(dialogs.Messages()[0].startsWith(
        "ERROR : Plumeric can't run from this drive and/or folder: -\r\"" + dir.path() + "/\".\r"));
    form->FormClose();
    EXPECT_EQ(testsupport::ReadAll(dir.path() + "/KSDATA"), QByteArray("file"));
}

TEST_F(Form1Test, ErrorsAndHintsGoToTheStatusBar) {
    auto form = MakeForm();
    form->show();
    form->Guarded([] { platform::ParseInteger("12x"); });
    EXPECT_EQ(form->StatusText(), QStringLiteral("'12x' is not a valid integer value"));

    app::HintTracker& hints = form->Hints();
    hints.MouseOver(form->SaveBatchButton);
    EXPECT_EQ(form->StatusText(), QStringLiteral("Save a batch of buttons using the list of captions in the "
                                                 "\"Batch Captions List\"."));
    // A control without a hint shows that of its nearest enclosing control with one: here the page.
    hints.MouseOver(form->filePage->BitBtn1);
    EXPECT_EQ(form->StatusText(), QStringLiteral("Select the button target folder and other file settings."));
    hints.MouseOver(form->testareaPanel1);
    EXPECT_EQ(form->StatusText(), QStringLiteral("This is the preview area for type 1 buttons."));
    hints.MouseOver(form->preview1Label);
    EXPECT_EQ(form->StatusText(), QString());
    hints.MouseOver(form->secondbuttonCheckBox[0]);
    EXPECT_EQ(form->StatusText(), QStringLiteral("Tick this box to disable type 2 buttons."));

    // A real mouse movement over a control reaches the tracker through the application.
    QTest::mouseMove(form->generatehtmlbutton);
    QApplication::processEvents();
    EXPECT_EQ(form->StatusText(),
              QStringLiteral("Save the buttons, create HTML (.htm) files and then preview them "
                             "in your web browser."));
    EXPECT_TRUE(form->SaveBatchButton->toolTip().isEmpty());
}

TEST_F(Form1Test, AHintTooLongForTheStatusBarShowsWholeAsItsToolTip) {
    auto form = MakeForm();
    form->show();
    QApplication::setActiveWindow(form.get());
    QLabel* panel = nullptr;
    for (QLabel* label : form->statusBar()->findChildren<QLabel*>()) {
        if (label->isVisible()) {
            panel = label;
        }
    }
    ASSERT_NE(panel, nullptr);
    const auto toolTipOver = [&] {
        QToolTip::hideText();
        QHelpEvent help(QEvent::ToolTip, panel->rect().center(), panel->mapToGlobal(panel->rect().center()));
        QApplication::sendEvent(panel, &help);
        return QToolTip::text();
    };
    // The longest hint of the window, wider than the status bar.
    const QString hint = app::OwnHint(form->buttonsPage->type[settings::kType1].ModeComboBox);
    form->Hints().MouseOver(form->buttonsPage->type[settings::kType1].ModeComboBox);
    ASSERT_EQ(form->StatusText(), hint);
    ASSERT_GT(panel->fontMetrics().horizontalAdvance(hint), panel->width());
    EXPECT_EQ(toolTipOver(), hint);
    // The mouse over the status bar keeps the hint it reads.
    form->Hints().MouseOver(panel);
    form->Hints().MouseOver(form->statusBar());
    EXPECT_EQ(form->StatusText(), hint);
    EXPECT_EQ(form->StatusToolTip(), hint);
    // A text that fits needs no tool tip.
    form->ShowStatus(QStringLiteral("Short."));
    EXPECT_EQ(form->StatusToolTip(), QString());
    QToolTip::hideText();
}

TEST_F(Form1Test, TheFilePagesPromptBoxesLineUpAndItsSettingsButtonsStandApart) {
    auto form = MakeForm();
    form->show();
    form->PageControl1->setCurrentIndex(0);
    QApplication::processEvents();
    const auto boxLeft = [&](QCheckBox* box) {
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
        return box->mapTo(form->filePage, indicator.topLeft()).x();
    };
    EXPECT_EQ(boxLeft(form->filePage->OverWriteCheckBox), boxLeft(form->filePage->HTMLOverWriteCheckBox));
    // The captions stay left of their boxes.
    EXPECT_LT(form->filePage->OverWriteCheckBox->x(), boxLeft(form->filePage->OverWriteCheckBox));
    const QRect open = form->filePage->OpenSettingsButton->geometry();
    const QRect save = form->filePage->SaveSettingsAsButton->geometry();
    EXPECT_EQ(open.y(), save.y());
    EXPECT_GE(save.left() - open.right() - 1, 8);
    EXPECT_EQ(form->filePage->FileTypeComboBox->itemText(settings::kFileTypePng),
              QStringLiteral("PNG image (true colour, transparent outside the button) (*.png)"));
}

TEST_F(Form1Test, TheHelpPictureBlinksAfterAMouseMovement) {
    auto form = MakeForm();
    form->show();
    EXPECT_FALSE(form->Timer2->isActive());
    form->Image4MouseMove();
    ASSERT_TRUE(form->Timer2->isActive());
    EXPECT_EQ(form->Timer2->interval(), 200);
    form->Timer2Timer();
    EXPECT_TRUE(form->helpPage->Image7->isVisible());
    EXPECT_EQ(form->Timer2->interval(), 500);
    form->Image4MouseMove();  // a running timer is not restarted
    EXPECT_EQ(form->Timer2->interval(), 500);
    form->Timer2Timer();
    EXPECT_FALSE(form->helpPage->Image7->isVisible());
    EXPECT_EQ(form->Timer2->interval(), 200);
    EXPECT_FALSE(form->Timer2->isActive());
}

TEST_F(Form1Test, TheAdvancedDialogShowsAndChangesTheModel) {
    auto form = MakeForm();
    form->show();
    app::Tadvancedform& adv = form->AdvancedForm();
    EXPECT_EQ(adv.windowTitle(), QStringLiteral("Plumeric Advanced Options"));
    EXPECT_EQ(adv.filenamestyleComboBox->currentText(), QStringLiteral("Lower case"));
    EXPECT_TRUE(adv.copybutton1CheckBox->isChecked());
    adv.enforce83CheckBox->click();
    adv.filenamestyleComboBox->setCurrentIndex(1);
    adv.copybutton1CheckBox->click();
    EXPECT_TRUE(form->Settings().enforce83);
    EXPECT_EQ(form->Settings().filenameStyle, 1);
    EXPECT_FALSE(form->Settings().copyOnReEnable);
}

TEST_F(Form1Test, TheTwiceSizeChoiceRenamesTheListAndIsDisabledWithEightThreeNamesSayingWhy) {
    auto form = MakeForm();
    form->show();
    app::Tadvancedform& adv = form->AdvancedForm();
    settings::AppSettings& s = form->Settings();
    s.captions.SetRowCount(3);
    s.captions.SetCell(2, 0, "Home@2x");
    form->RecalculateCaptionFilenames();
    EXPECT_EQ(s.captions.Cell(2, 1), QStringLiteral("u_home@2x.gif"));
    EXPECT_EQ(adv.scale2xCheckBox->text(),
              QStringLiteral("Also write images for high-density screens (2\u00d7)"));
    EXPECT_TRUE(adv.scale2xCheckBox->isEnabled());
    EXPECT_EQ(
        app::OwnHint(adv.scale2xCheckBox),
        QStringLiteral("Also save every button a second time at twice its size, named with \"@2x\", for "
                       "high-density screens."));
    // Ticking it names the list again: row 1's 2× image would be row 2's image.
    adv.scale2xCheckBox->click();
    EXPECT_TRUE(s.scale2x);
    EXPECT_EQ(s.captions.Cell(2, 1), QStringLiteral("u_home@21.gif"));

    // 8.3 names leave no room for "@2x": the choice is disabled and its hint says why.
    adv.enforce83CheckBox->click();
    EXPECT_FALSE(adv.scale2xCheckBox->isEnabled());
    EXPECT_TRUE(adv.scale2xCheckBox->isChecked());  // kept for when 8.3 names are off again
    EXPECT_EQ(app::OwnHint(adv.scale2xCheckBox),
              QStringLiteral("Not available with 8,3 style filenames: a name with \"@2x\" is no 8,3 name, so "
                             "no 2\u00d7 images are written."));
    form->Hints().MouseOver(adv.scale2xCheckBox);
    EXPECT_EQ(form->StatusText(), app::OwnHint(adv.scale2xCheckBox));
    adv.enforce83CheckBox->click();
    EXPECT_TRUE(adv.scale2xCheckBox->isEnabled());

    // A settings file read with 8.3 names shows the choice disabled.
    s.enforce83 = true;
    form->SettingsToControls();
    EXPECT_FALSE(adv.scale2xCheckBox->isEnabled());
}

TEST_F(Form1Test, SmoothCaptionsAndGifDitherFromTheAdvancedDialogAndThePageStyleFromTheHtmlPage) {
    auto form = MakeForm();
    form->show();
    app::Tadvancedform& adv = form->AdvancedForm();
    EXPECT_FALSE(adv.smoothcaptionsCheckBox->isChecked());
    EXPECT_FALSE(form->image1->Properties().smoothCaption);
    // Ticking the box changes the model and shows the previews with smooth captions at once.
    adv.smoothcaptionsCheckBox->click();
    EXPECT_TRUE(form->Settings().smoothCaptions);
    EXPECT_TRUE(form->image1->Properties().smoothCaption);
    EXPECT_TRUE(form->image2->Properties().smoothCaption);
    adv.smoothcaptionsCheckBox->click();
    EXPECT_FALSE(form->image2->Properties().smoothCaption);

    QComboBox* style = form->htmlPage->HTMLstyleComboBox;
    EXPECT_EQ(style->currentText(), QStringLiteral("Script rollover (classic)"));
    ASSERT_EQ(style->count(), 2);
    EXPECT_EQ(style->itemText(1), QStringLiteral("CSS rollover (no script)"));
    style->setCurrentIndex(1);
    emit style->activated(1);
    EXPECT_EQ(form->Settings().pageStyle, settings::kPageStyleCss);

    // The GIF dither box beside it changes the model alone: the previews are no GIF files.
    EXPECT_FALSE(adv.dithergifCheckBox->isChecked());
    adv.dithergifCheckBox->click();
    EXPECT_TRUE(form->Settings().ditherGif);
    form->Hints().MouseOver(adv.dithergifCheckBox);
    EXPECT_EQ(form->StatusText(), app::OwnHint(adv.dithergifCheckBox));
    EXPECT_FALSE(form->StatusText().isEmpty());

    // Loaded settings bring the controls in line.
    form->Settings().smoothCaptions = true;
    form->Settings().ditherGif = false;
    form->Settings().pageStyle = settings::kPageStyleClassic;
    form->SettingsToControls();
    EXPECT_TRUE(adv.smoothcaptionsCheckBox->isChecked());
    EXPECT_FALSE(adv.dithergifCheckBox->isChecked());
    EXPECT_EQ(style->currentIndex(), 0);
}

namespace {

// Starts a copy of the program in `dir` on the offscreen platform.
void StartKestro(QProcess& process, const QTemporaryDir& dir, const QStringList& arguments = {}) {
    const QString exe = dir.path() + "/kestro";
    ASSERT_TRUE(QFile::copy(QStringLiteral(KESTRO_BINARY), exe));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(dir.path());
    process.start(exe, arguments);
    ASSERT_TRUE(process.waitForStarted(10000));
}

bool WaitForPath(const QString& path) {
    for (int i = 0; i < 400 && !QFileInfo::exists(path); ++i) {
        QTest::qWait(25);
    }
    return QFileInfo::exists(path);
}

}  // namespace

TEST(Kestro, TerminationEndsTheProgramFromEitherBoxAtStart) {
    {
        // The box about an unprocessable settings file: the window exists, so the settings are
        // written as the window closes.
        QTemporaryDir dir;
        QDir().mkpath(dir.path() + "/KSDATA/PROJECTS");
        ASSERT_TRUE(testsupport::WriteAll(dir.path() + "/KSDATA/PROJECTS/kestro.dat", "68,kept\r\n1,x\r\n"));
        QProcess process;
        StartKestro(process, dir);
        // The file is set aside just before the box opens.
        ASSERT_TRUE(WaitForPath(dir.path() + "/KSDATA/PROJECTS/kestro.dat.bad"));
        ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
        ASSERT_TRUE(process.waitForFinished(20000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 128 + SIGTERM);
        EXPECT_TRUE(
            testsupport::ReadAll(dir.path() + "/KSDATA/PROJECTS/kestro.dat").contains("68,Plumeric !\r\n"));
        EXPECT_EQ(testsupport::ReadAll(dir.path() + "/KSDATA/PROJECTS/kestro.dat.bad"),
                  QByteArray("68,kept\r\n1,x\r\n"));
    }
    {
        // The nine-line box about an unusable data folder: no window, no settings file.
        QTemporaryDir dir;
        QDir().mkpath(dir.path() + "/KSDATA");
        ASSERT_TRUE(testsupport::WriteAll(dir.path() + "/KSDATA/PROJECTS", "a file, not a folder"));
        QProcess process;
        StartKestro(process, dir);
        ASSERT_TRUE(WaitForPath(dir.path() + "/KSDATA/SAMPLES"));
        ::kill(static_cast<pid_t>(process.processId()), SIGINT);
        ASSERT_TRUE(process.waitForFinished(20000));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 128 + SIGINT);
        EXPECT_EQ(testsupport::ReadAll(dir.path() + "/KSDATA/PROJECTS"), QByteArray("a file, not a folder"));
    }
}

TEST(Kestro, TerminationClosesTheWindowAndKeepsTheSettings) {
    QTemporaryDir dir;
    QProcess process;
    StartKestro(process, dir);
    // The folders appear while the window is being made, after termination requests are caught.
    ASSERT_TRUE(WaitForPath(dir.path() + "/KSDATA/SAMPLES"));
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 128 + SIGTERM);
    const QByteArray dat = testsupport::ReadAll(dir.path() + "/KSDATA/PROJECTS/kestro.dat");
    EXPECT_TRUE(dat.startsWith("/* Target Folder */\r\n200," + dir.path().toUtf8() + "/KSDATA/BUTTONS/\r\n"));
    EXPECT_TRUE(dat.contains("68,Plumeric !\r\n"));
}

TEST_F(Form1Test, ASettingsFileByNameIsReadAndWrittenInsteadOfTheProgramsOwn) {
    const QString site = dir.path() + "/sites/mysite.dat";
    QDir().mkpath(dir.path() + "/sites");
    {
        auto form = MakeForm();
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Plumeric V1.2"));
        form->SetProjectFile(site);  // does not exist yet: the defaults
        form->show();
        EXPECT_EQ(form->windowTitle(), QStringLiteral("Plumeric V1.2 - mysite.dat"));
        EXPECT_EQ(form->TextEdit->text(), QStringLiteral("Plumeric !"));
        form->TextEdit->setText("My site");
        form->close();
    }
    EXPECT_TRUE(testsupport::ReadAll(site).contains("68,My site\r\n"));
    EXPECT_FALSE(QFileInfo::exists(DatFile()));  // the program's own file is untouched
    {
        auto form = MakeForm();
        form->SetProjectFile(site);
        form->show();
        EXPECT_EQ(form->TextEdit->text(), QStringLiteral("My site"));
        form->close();
    }
    // Naming the program's own file, by any spelling, keeps the plain title.
    auto form = MakeForm();
    form->SetProjectFile(dir.path() + "/KSDATA/PROJECTS/../PROJECTS/kestro.dat");
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Plumeric V1.2"));
    EXPECT_TRUE(dialogs.History().isEmpty());
}

TEST_F(Form1Test, ASettingsFileThatCannotBeReadIsNamedAndNeverWrittenOver) {
    // The window opened with the defaults without a word, and closing wrote them over the file.
    const QString folder = dir.path() + "/folder.dat";
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString pipe = dir.path() + "/pipe.dat";
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    const QString large = dir.path() + "/large.dat";
    {
        QFile file(large);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("68,Large site\r\n");
        ASSERT_TRUE(file.resize(16 * 1024 * 1024 + 1));  // one byte more than a settings file may have
    }
    const QString locked = dir.path() + "/locked.dat";
    ASSERT_TRUE(testsupport::WriteAll(locked, "68,Locked site\r\n"));
    ASSERT_TRUE(QFile::setPermissions(locked, QFile::WriteOwner));
    struct Case {
        QString file;
        QString reason;
    };
    QList<Case> cases = {
        {folder, "it is a folder"}, {pipe, "Not a regular file"}, {large, "it is larger than 16 MiB"}};
    if (::geteuid() != 0) {  // the superuser reads any file
        cases.append({locked, "Permission denied"});
    }
    for (const Case& c : cases) {
        dialogs.Clear();
        auto form = MakeForm();
        form->SetProjectFile(c.file);
        form->show();
        ASSERT_EQ(dialogs.History().size(), 1) << c.file.toStdString();
        EXPECT_EQ(dialogs.History()[0].kind, platform::ScriptedDialogs::Kind::Error);
        EXPECT_EQ(
            dialogs.History()[0].text,
            "The settings file \"" + c.file + "\" cannot be read: " + c.reason +
                ".\rThe window shows the default settings, and nothing will be written to that file: use "
                "\"Save settings as\u2026\" on the File page to keep your settings.");
        // Meanwhile the window holds the defaults.
        EXPECT_EQ(form->TextEdit->text(), QStringLiteral("Plumeric !"));
        form->TextEdit->setText("Changed");
        // Opening another file does not first write to this one.
        const QString other = dir.path() + "/other.dat";
        ASSERT_TRUE(testsupport::WriteAll(other, "68,Other site\r\n"));
        if (c.file == large) {
            dialogs.QueueOpenFile(other);
            QTest::mouseClick(form->filePage->OpenSettingsButton, Qt::LeftButton);
            EXPECT_EQ(form->ProjectFile(), other);
            EXPECT_EQ(form->TextEdit->text(), QStringLiteral("Other site"));
            // The other file is readable: closing writes to it as usual.
            form->TextEdit->setText("Other changed");
        }
        form->close();
        form.reset();
        EXPECT_FALSE(QFileInfo::exists(DatFile()));
        const QFileInfo after(c.file);
        EXPECT_EQ(after.isDir(), c.file == folder);
        EXPECT_EQ(after.isFile(), c.file != folder && c.file != pipe) << c.file.toStdString();
        if (c.file == large) {
            EXPECT_EQ(after.size(), 16 * 1024 * 1024 + 1);
            EXPECT_TRUE(testsupport::ReadAll(other).contains("68,Other changed\r\n"));
        }
    }
    ASSERT_TRUE(QFile::setPermissions(locked, QFile::WriteOwner | QFile::ReadOwner));
    EXPECT_EQ(testsupport::ReadAll(locked), QByteArray("68,Locked site\r\n"));

    // Saving to the file explicitly with "Save settings as…" writes it, and it is the open file then.
    dialogs.Clear();
    auto form = MakeForm();
    form->SetProjectFile(large);
    form->show();
    form->TextEdit->setText("Saved on purpose");
    dialogs.QueueSaveFile(large);
    QTest::mouseClick(form->filePage->SaveSettingsAsButton, Qt::LeftButton);
    EXPECT_TRUE(testsupport::ReadAll(large).contains("68,Saved on purpose\r\n"));
    form->TextEdit->setText("Closed");
    form->close();
    EXPECT_TRUE(testsupport::ReadAll(large).contains("68,Closed\r\n"));
}

TEST_F(Form1Test, OpenAndSaveAsFromTheFilePage) {
    // Another site's file sets the test caption and disables type 2, and lacks every other key.
    const QString other = dir.path() + "/other.dat";
    ASSERT_TRUE(testsupport::WriteAll(other, "68,Other site\r\n110,N\r\n"));
    auto form = MakeForm();
    form->show();
    form->PageControl1->setCurrentIndex(0);
    form->TextEdit->setText("First site");
    form->filePage->prefix1edit->setText("X_");  // a key the other file lacks

    dialogs.QueueOpenFile(other);
    QTest::mouseClick(form->filePage->OpenSettingsButton, Qt::LeftButton);
    // The settings that were open went to their own file first.
    EXPECT_TRUE(testsupport::ReadAll(DatFile()).contains("68,First site\r\n"));
    EXPECT_EQ(form->ProjectFile(), other);
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Plumeric V1.2 - other.dat"));
    EXPECT_EQ(form->TextEdit->text(), QStringLiteral("Other site"));
    EXPECT_FALSE(form->Settings().secondbuttonEnabled);
    EXPECT_TRUE(form->secondbuttonCheckBox[0]->isChecked());
    // Nothing of the first site survives a key the new file lacks.
    EXPECT_EQ(form->Settings().prefix1, QStringLiteral("U_"));
    EXPECT_EQ(form->filePage->prefix1edit->text(), QStringLiteral("U_"));
    EXPECT_EQ(form->PageControl1->currentIndex(), 0);
    ASSERT_EQ(dialogs.History().size(), 1);
    EXPECT_EQ(dialogs.History()[0].kind, platform::ScriptedDialogs::Kind::OpenFile);

    // Save as: the new file is written and becomes the open one; closing writes to it.
    const QString copy = dir.path() + "/copy.dat";
    dialogs.QueueSaveFile(copy);
    QTest::mouseClick(form->filePage->SaveSettingsAsButton, Qt::LeftButton);
    EXPECT_TRUE(testsupport::ReadAll(copy).contains("68,Other site\r\n"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Plumeric V1.2 - copy.dat"));
    form->TextEdit->setText("Copied site");
    // A cancelled dialog changes nothing.
    dialogs.QueueOpenFile(QString());
    form->filePage->OpenSettingsButton->click();
    EXPECT_EQ(form->ProjectFile(), copy);
    form->close();
    EXPECT_TRUE(testsupport::ReadAll(copy).contains("68,Copied site\r\n"));
    EXPECT_TRUE(testsupport::ReadAll(other).contains("68,Other site\r\n"));
    EXPECT_TRUE(testsupport::ReadAll(DatFile()).contains("68,First site\r\n"));
    EXPECT_TRUE(dialogs.Messages().isEmpty());
}

TEST_F(Form1Test, AnOpenIsAbandonedWhenTheOpenSettingsCannotBeWritten) {
    const QString other = dir.path() + "/other.dat";
    ASSERT_TRUE(testsupport::WriteAll(other, "68,Other site\r\n"));
    ASSERT_TRUE(testsupport::WriteAll(dir.path() + "/blocker", "a file, not a folder"));
    auto form = MakeForm();
    const QString unwritable = dir.path() + "/blocker/site.dat";
    form->SetProjectFile(unwritable);
    form->show();
    form->TextEdit->setText("Unsaved");
    dialogs.QueueOpenFile(other);
    form->filePage->OpenSettingsButton->click();
    const QStringList messages = dialogs.Messages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].startsWith("The settings could not be saved to \"" + unwritable + "\": "))
        << messages[0].toStdString();
    EXPECT_TRUE(messages[0].endsWith("\rThe settings file \"" + other + "\" was not opened."));
    EXPECT_EQ(form->ProjectFile(), unwritable);
    EXPECT_EQ(form->TextEdit->text(), QStringLiteral("Unsaved"));
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Plumeric V1.2 - site.dat"));
    // Save as into the same place fails the same way and keeps the open file.
    dialogs.Clear();
    dialogs.QueueSaveFile(dir.path() + "/blocker/copy.dat");
    form->filePage->SaveSettingsAsButton->click();
    ASSERT_EQ(dialogs.Messages().size(), 1);
    EXPECT_TRUE(dialogs.Messages()[0].startsWith("The settings could not be saved to \"" + dir.path() +
                                                 "/blocker/copy.dat\": "));
    EXPECT_EQ(form->ProjectFile(), unwritable);
}

TEST(Kestro, ASettingsFileNamedOnTheCommandLineIsTheOneWritten) {
    QTemporaryDir dir;
    // A relative name is taken in the current folder; the file does not exist yet.
    QProcess process;
    StartKestro(process, dir, {"site.dat"});
    // The termination handler is in place once the data folder's settings folder exists; from then
    // on a termination request closes the window, which writes the open settings file.
    ASSERT_TRUE(WaitForPath(dir.path() + "/KSDATA/PROJECTS"));
    ::kill(static_cast<pid_t>(process.processId()), SIGHUP);
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(process.exitCode(), 128 + SIGHUP);
    EXPECT_TRUE(testsupport::ReadAll(dir.path() + "/site.dat").contains("68,Plumeric !\r\n"));
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/KSDATA/PROJECTS/kestro.dat"));
}

TEST_F(Form1Test, AnInstalledWindowKeepsItsDataInTheDataHomeAndReadsWhatShipsFromTheShareFolder) {
    // An install prefix: the executable in usr/bin, what ships in usr/share/plumeric.
    ASSERT_TRUE(QDir(dir.path()).mkpath("usr/bin"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("usr/share/plumeric/SAMPLES"));
    ASSERT_TRUE(testsupport::WriteAll(dir.path() + "/usr/share/plumeric/SAMPLES/s.bmp", "sample"));
    const QByteArray before = qgetenv("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", (dir.path() + "/data").toUtf8());
    const QString data = dir.path() + "/data/plumeric/";
    {
        TForm1 form(dialogs, shell, dir.path() + "/usr/bin");
        ASSERT_TRUE(form.DataFolderOk());
        EXPECT_EQ(form.DataFolder(), data);
        EXPECT_EQ(form.ProjectFile(), data + "PROJECTS/kestro.dat");
        EXPECT_EQ(testsupport::ReadAll(data + "SAMPLES/s.bmp"), QByteArray("sample"));
        form.show();
        EXPECT_EQ(form.Settings().targetFolder, data + "BUTTONS/");
        form.helpPage->ViewHelpButton->click();
        EXPECT_EQ(shell.Opened().last(), dir.path() + "/usr/share/plumeric/help.htm");

        // The report that cannot be written names the data folder.
        ASSERT_TRUE(QDir().mkpath(data + "Report.txt/in-the-way"));
        form.Settings().statusReports = true;
        form.SaveBatchButton->click();
        ASSERT_FALSE(dialogs.Messages().isEmpty());
        EXPECT_TRUE(dialogs.Messages().last().startsWith(
            "Error : Unable to create the status report.\rPlease check that have read/write access to "
            "the following folder: -\r" +
            data + "\r- and that the relevant drive has sufficient free disk space.\r"))
            << dialogs.Messages().last().toStdString();
        form.close();
    }
    if (before.isNull()) {
        qunsetenv("XDG_DATA_HOME");
    } else {
        qputenv("XDG_DATA_HOME", before);
    }
    EXPECT_TRUE(
        testsupport::ReadAll(data + "PROJECTS/kestro.dat").contains("200," + data.toUtf8() + "BUTTONS/\r\n"));
    EXPECT_EQ(QDir(data + "BUTTONS").entryList({"*.gif"}, QDir::Files).size(), 14);
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/usr/bin/KSDATA"));
}

TEST(Kestro, APipeNamedAsTheSettingsFileIsRefusedAndNeverWrittenOver) {
    // `kestro pipe.dat` waited for ever for a writer, and no termination request ended it.
    QTemporaryDir dir;
    ASSERT_EQ(::mkfifo(QFile::encodeName(dir.path() + "/pipe.dat").constData(), 0600), 0);
    QProcess process;
    StartKestro(process, dir, {"pipe.dat"});
    ASSERT_TRUE(WaitForPath(dir.path() + "/KSDATA/SAMPLES"));
    // The error box about the file is open now, or about to be; the request closes it and the window.
    QTest::qWait(500);
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(20000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 128 + SIGTERM);
    struct stat info {};
    ASSERT_EQ(::lstat(QFile::encodeName(dir.path() + "/pipe.dat").constData(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/KSDATA/PROJECTS/kestro.dat"));
}

TEST(Kestro, APageOrReportTheDesktopsOpenerCannotOpenIsNamedInItsMessage) {
    QTemporaryDir dir;
    QTemporaryDir bin;
    // Stand-ins for the desktop's tools, first on PATH: the desktop knows an application for both
    // files, and its opener fails as told.
    const auto script = [&bin](const QString& name, const QByteArray& text) {
        const QString path = bin.path() + "/" + name;
        ASSERT_TRUE(testsupport::WriteAll(path, text));
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    script("xdg-mime", "#!/bin/sh\necho viewer.desktop\n");
    script("xdg-open", "#!/bin/sh\nexit 4\n");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toUtf8() + ":" + path);
    platform::ScriptedDialogs dialogs;
    platform::DesktopShell shell;
    auto form = std::make_unique<TForm1>(dialogs, shell, dir.path());
    form->show();
    form->Settings().statusReports = true;
    const QString page = dir.path() + "/KSDATA/BUTTONS/home.htm";
    const QString report = dir.path() + "/KSDATA/Report.txt";
    const QStringList expected = {
        "Unable to preview the HTML using your default web browser, please specify a\r"
        "suitable web browser executable file e.g. \"<folder>iexplore.exe\" in the\r"
        "\"Folder and file of browser\" box.\r" +
            page,
        "Unable to view the status report using your Windows default\r"
        "text file application.\r"
        "Please open : " +
            report + "\r- in order to read the report."};

    // The opener starts and ends with a failure after the window has gone on: both messages come
    // when it has ended, the page's first.
    form->generatehtmlbutton->click();
    EXPECT_TRUE(QFileInfo::exists(page) && QFileInfo::exists(report));
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialogs.Messages().size() >= 2; }));
    EXPECT_EQ(dialogs.Messages(), expected);
    // Through "Save Buttons" the report alone.
    dialogs.Clear();
    form->SaveBatchButton->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !dialogs.Messages().isEmpty(); }));
    EXPECT_EQ(dialogs.Messages(), QStringList{expected[1]});

    // An opener that cannot be started: the messages at once.
    script("xdg-open", "#!/no/such/interpreter\nexit 0\n");
    dialogs.Clear();
    form->generatehtmlbutton->click();
    EXPECT_EQ(dialogs.Messages(), expected);

    // An opener that opens: no message.
    script("xdg-open", "#!/bin/sh\nexit 0\n");
    dialogs.Clear();
    form->generatehtmlbutton->click();
    EXPECT_TRUE(QTest::qWaitFor([&] { return shell.RunningOpeners() == 0; }));
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialogs.Messages().isEmpty());
    form.reset();
    qputenv("PATH", path);
}

namespace {

// What a label says in full: its tooltip when its text is elided.
QString FullText(const QLabel* label) {
    return label->toolTip().isEmpty() ? label->text() : label->toolTip();
}

// Whether a label's text fits its width.
bool Fits(const QLabel* label) {
    return label->fontMetrics().horizontalAdvance(label->text()) <= label->width();
}

}  // namespace

TEST_F(Form1Test, ContrastAndSizeInThePreviewLabelsAndAfterABatchInTheStatusBar) {
    auto form = MakeForm();
    form->show();
    settings::AppSettings& s = form->Settings();
    for (settings::ButtonStyle& b : s.button) {
        b.fontName = QStringLiteral("DejaVu Sans");
        b.SetFontSizeText(QStringLiteral("10"));
        b.backgroundMode = settings::kColourFixedSize;
        b.width = QStringLiteral("100");
        b.height = QStringLiteral("30");
        b.backgroundColour = QStringLiteral("00FFFFFF");
        b.captionEffect = settings::CaptionEffect::Standard;
    }
    // Type 1 grey #777777 on white (4.48:1); type 2 black on white, but only 20 x 20.
    s.button[settings::kType1].captionColour = QStringLiteral("00777777");
    s.button[settings::kType2].captionColour = QStringLiteral("00000000");
    s.button[settings::kType2].width = QStringLiteral("20");
    s.button[settings::kType2].height = QStringLiteral("20");
    s.captions.SetRowCount(3);  // Home, Contacts
    form->SettingsToControls();
    form->TextEdit->setText(QStringLiteral("Home"));
    form->RefreshPreview();
    // Off: the labels as ever.
    EXPECT_EQ(form->preview1Label->text(), QStringLiteral("Button type 1 Preview"));
    EXPECT_EQ(form->preview2Label->text(), QStringLiteral("Button type 2 Preview"));
    EXPECT_TRUE(form->preview1Label->toolTip().isEmpty());

    app::Tadvancedform& adv = form->AdvancedForm();
    EXPECT_EQ(adv.checkaccessCheckBox->text(), QStringLiteral("Check contrast and size"));
    EXPECT_FALSE(adv.checkaccessCheckBox->isChecked());
    adv.checkaccessCheckBox->click();
    EXPECT_TRUE(s.checkAccess);
    EXPECT_EQ(FullText(form->preview1Label),
              QStringLiteral("Button type 1 Preview \u2014 contrast 4.48:1, needs 4.5:1"));
    EXPECT_EQ(
        FullText(form->preview2Label),
        QStringLiteral("Button type 2 Preview \u2014 contrast 21.00:1 \u2014 20 x 20 pixels, needs 24 x 24"));
    // No text is cut: a label too long for its preview area is elided, its tooltip holding it whole;
    // the window keeps its size.
    for (const QLabel* label : {form->preview1Label, form->preview2Label}) {
        EXPECT_TRUE(Fits(label)) << label->text().toStdString();
        EXPECT_LE(label->x() + label->width(), form->width());
        if (label->text() != FullText(label)) {
            EXPECT_TRUE(label->text().endsWith(QStringLiteral("\u2026"))) << label->text().toStdString();
        }
    }
    EXPECT_NE(form->preview2Label->text(), FullText(form->preview2Label));
    EXPECT_EQ(form->size(), QSize(673, 491));
    // The elided label's tool tip is let through, where hints never pop up.
    QHelpEvent help(QEvent::ToolTip, QPoint(5, 5), form->preview2Label->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(form->preview2Label, &help);
    EXPECT_EQ(QToolTip::text(), FullText(form->preview2Label));
    QToolTip::hideText();
    form->Hints().MouseOver(adv.checkaccessCheckBox);
    EXPECT_EQ(form->StatusText(), app::OwnHint(adv.checkaccessCheckBox));
    EXPECT_FALSE(form->StatusText().isEmpty());

    // The labels follow the preview: a darker grey meets the rule.
    s.button[settings::kType1].captionColour = QStringLiteral("00767676");
    form->RefreshPreview();
    EXPECT_EQ(FullText(form->preview1Label), QStringLiteral("Button type 1 Preview \u2014 contrast 4.54:1"));
    EXPECT_TRUE(form->preview1Label->toolTip().isEmpty());

    // After a batch the status bar counts the images that fall short: type 2's, by their size.
    form->SaveBatchButton->click();
    EXPECT_EQ(form->StatusText(),
              QStringLiteral(
                  "2 captions done (4 files written, 0 kept); 2 of 4 images fall short of contrast or size"));
    s.button[settings::kType2].width = QStringLiteral("24");
    s.button[settings::kType2].height = QStringLiteral("24");
    form->SaveBatchButton->click();
    EXPECT_EQ(
        form->StatusText(),
        QStringLiteral("2 captions done (4 files written, 0 kept); all 4 images meet contrast and size"));

    // Off again: the labels and the status bar as ever.
    adv.checkaccessCheckBox->click();
    EXPECT_FALSE(s.checkAccess);
    EXPECT_EQ(form->preview1Label->text(), QStringLiteral("Button type 1 Preview"));
    EXPECT_TRUE(form->preview2Label->toolTip().isEmpty());
    form->SaveBatchButton->click();
    EXPECT_EQ(form->StatusText(), QStringLiteral("2 captions done (4 files written, 0 kept)"));
    // Loaded settings bring the box in line.
    s.checkAccess = true;
    form->SettingsToControls();
    EXPECT_TRUE(adv.checkaccessCheckBox->isChecked());
}
