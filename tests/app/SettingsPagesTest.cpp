#include <gtest/gtest.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "ReferenceFaces.h"
#include "app/AdvancedForm.h"
#include "app/AlignmentPage.h"
#include "app/ButtonsPage.h"
#include "app/FilePage.h"
#include "app/FontPage.h"
#include "app/Form1.h"
#include "app/HelpPage.h"
#include "app/HintTracker.h"
#include "app/HtmlPage.h"
#include "app/ShapeFillPage.h"
#include "platform/ScreenFonts.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Shell.h"
#include "render/LumoButton.h"
#include "widgets/IntegerEdit.h"
#include "widgets/PathEdit.h"
#include "widgets/PicturePanel.h"
#include "widgets/UpDown.h"

using app::TForm1;
using platform::ScriptedDialogs;

namespace {

class SettingsPagesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<TForm1>(dialogs, shell, dir.path());
        form->show();
        form->Timer1->stop();
        dialogs.Clear();
    }
    settings::AppSettings& S() { return form->Settings(); }
    settings::ButtonStyle& Style(int type) { return S().button[static_cast<std::size_t>(type)]; }
    app::ButtonsTypeControls& Buttons(int type) {
        return form->buttonsPage->type[static_cast<std::size_t>(type)];
    }
    app::FontTypeControls& Font(int type) { return form->fontPage->type[static_cast<std::size_t>(type)]; }
    app::AlignmentTypeControls& Alignment(int type) {
        return form->alignmentPage->type[static_cast<std::size_t>(type)];
    }
    app::ShapeFillTypeControls& Shape(int type) {
        return form->shapeFillPage->type[static_cast<std::size_t>(type)];
    }
    // Chooses a list item as the user does.
    static void Choose(QComboBox* list, int index) {
        list->setCurrentIndex(index);
        emit list->activated(index);
    }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    platform::RecordingShell shell;
    std::unique_ptr<TForm1> form;
};

}  // namespace

TEST_F(SettingsPagesTest, ThePreviewsRenderTheReferenceFacesForEveryBackgroundMode) {
    const QString bitmap = dir.path() + "/back.bmp";
    ASSERT_TRUE(testsupport::ReferenceBitmap().save(bitmap));
    for (int mode = 0; mode < settings::kBackgroundModeCount; ++mode) {
        testsupport::SetReferenceSettings(S(), mode, bitmap);
        form->SettingsToControls();
        form->ApplyButtonSettings("Products", "Contacts");
        for (const int type : {settings::kType1, settings::kType2}) {
            EXPECT_EQ(testsupport::DifferentPixels(testsupport::Captured(form->Composer(), S(), type),
                                                   QImage(testsupport::ReferenceFacePath(mode, type))),
                      0)
                << "mode " << mode << " type " << type;
        }
    }
}

TEST_F(SettingsPagesTest, ReEnablingTypeTwoCopiesTypeOneExactlyOrBringsTheOldSettingsBack) {
    // Type 1 differs from the defaults everywhere the copy must reach, a typed size included.
    Choose(Buttons(0).ModeComboBox, 1);
    Choose(Buttons(0).BorderStyleComboBox, 0);
    Choose(Buttons(0).BorderDepthComboBox, 4);
    Buttons(0).widthField.edit->setText("140");
    Font(0).SizeComboBox->setEditText("45");
    emit Font(0).SizeComboBox->lineEdit()->textEdited("45");
    Font(0).BoldCheckBox->setChecked(true);
    Font(0).PressedRadioButton->click();
    Alignment(0).TopOffsetField.edit->setText("-3");
    Choose(Alignment(0).VerticalComboBox, settings::kFixedOffsetAlignment);
    Alignment(0).LeftOffsetField.edit->setText("17");
    Choose(Alignment(0).HorizontalComboBox, 3);
    EXPECT_EQ(Style(0).fontSizeText, QStringLiteral("45"));
    EXPECT_EQ(Style(0).captionEffect, settings::CaptionEffect::Pressed);
    const settings::ButtonStyle type2Before = Style(1);

    // Disabling from the Font page ticks all three boxes and hides type 2 everywhere.
    form->secondbuttonCheckBox[1]->click();
    for (QCheckBox* box : form->secondbuttonCheckBox) {
        EXPECT_TRUE(box->isChecked());
        EXPECT_FALSE(box->isHidden());
    }
    EXPECT_FALSE(S().secondbuttonEnabled);
    EXPECT_TRUE(Buttons(1).ModeComboBox->isHidden());
    EXPECT_TRUE(Font(1).SizeComboBox->isHidden());
    EXPECT_TRUE(Alignment(1).VerticalComboBox->isHidden());
    EXPECT_TRUE(form->filePage->prefix2Edit->isHidden());
    EXPECT_TRUE(form->filePage->prefix2Label->isHidden());
    EXPECT_TRUE(form->testareaPanel2->isHidden());
    EXPECT_TRUE(form->preview2Label->isHidden());
    EXPECT_EQ(S().captions.Cell(1, 2), QStringLiteral("<Type 2 buttons are disabled>"));

    // Without the copy box the old type 2 comes back.
    S().copyOnReEnable = false;
    form->secondbuttonCheckBox[2]->click();
    EXPECT_EQ(Style(1), type2Before);
    EXPECT_FALSE(Buttons(1).ModeComboBox->isHidden());
    EXPECT_FALSE(form->filePage->prefix2Edit->isHidden());
    EXPECT_EQ(S().captions.Cell(1, 2), QStringLiteral("d_home.gif"));

    // With it, type 2 becomes type 1 in one step and is refreshed once.
    form->secondbuttonCheckBox[0]->click();
    S().copyOnReEnable = true;
    const int refreshes = form->PreviewRefreshCount();
    form->secondbuttonCheckBox[0]->click();
    EXPECT_EQ(form->PreviewRefreshCount(), refreshes + 1);
    EXPECT_EQ(Style(1), Style(0));
    EXPECT_EQ(Font(1).SizeComboBox->currentText(), QStringLiteral("45"));
    EXPECT_TRUE(Font(1).PressedRadioButton->isChecked());
    EXPECT_EQ(Buttons(1).widthField.edit->text(), QStringLiteral("140"));
    EXPECT_EQ(Buttons(1).BorderDepthComboBox->currentIndex(), 4);
    EXPECT_FALSE(Alignment(1).TopOffsetField.edit->isHidden());
    EXPECT_TRUE(Alignment(1).LeftOffsetField.edit->isHidden());
    EXPECT_EQ(form->image2->CaptionVAlign(), face::vaNone);
    EXPECT_EQ(form->image2->CaptionTop(), -3);
    EXPECT_EQ(form->image2->CaptionHAlign(), face::haRight);  // the offset did not switch it
    EXPECT_EQ(form->image2->font().pixelSize(), 60);
    EXPECT_EQ(form->image2->ButtonWidth(), 140);
}

TEST_F(SettingsPagesTest, TheSizeListTakesSizesOnlyAndNeverGrows) {
    QComboBox* list = Font(0).SizeComboBox;
    const int refreshes = form->PreviewRefreshCount();
    // An empty text changes nothing, not even the previews.
    list->setEditText("   ");
    emit list->lineEdit()->textEdited("   ");
    EXPECT_EQ(Style(0).fontSizeText, QStringLiteral("9"));
    EXPECT_EQ(form->PreviewRefreshCount(), refreshes);
    // Anything but a size of 1 to 300 points stops with the conversion error.
    for (const QString text : {"abc", "0", "301", "-5", "12.5", "2000"}) {
        form->ShowStatus({});
        list->setEditText(text);
        emit list->lineEdit()->textEdited(text);
        EXPECT_EQ(form->StatusText(), "'" + text + "' is not a valid integer value") << text.toStdString();
        EXPECT_EQ(Style(0).fontSizeText, QStringLiteral("9"));
        EXPECT_EQ(list->currentText(), QStringLiteral("9"));
    }
    EXPECT_EQ(form->PreviewRefreshCount(), refreshes);
    // Typed sizes apply at both ends of the range, blanks around them allowed.
    list->setEditText(" 300 ");
    emit list->lineEdit()->textEdited(" 300 ");
    EXPECT_EQ(Style(0).fontSizeText, QStringLiteral("300"));
    EXPECT_EQ(Style(0).fontSizeIndex, settings::kNoChoice);
    EXPECT_EQ(form->image1->font().pixelSize(), 400);
    list->setEditText("1");
    emit list->lineEdit()->textEdited("1");
    EXPECT_EQ(form->image1->font().pixelSize(), 1);
    // Enter keeps the list as it is; a size the list holds chooses its item.
    list->setFocus();
    list->setEditText("12");
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(list->count(), settings::kFontSizeCount);
    Choose(list, 5);
    EXPECT_EQ(Style(0).fontSizeIndex, 5);
    EXPECT_EQ(Style(0).fontSizeText, QStringLiteral("12"));
}

TEST_F(SettingsPagesTest, TheColourDialogOpensOnTheEditedColourAndRefreshesEvenWhenCancelled) {
    // A red caption, then OK on the HTML background without a change: the background stays white.
    dialogs.QueueColour(0x000000FFu);
    form->fontPage->PaletteBitBtnClick(settings::kType1);
    EXPECT_EQ(Style(0).captionColour, QStringLiteral("000000FF"));
    EXPECT_EQ(Font(0).colourSwatch.Colour(), 0x000000FFu);
    dialogs.QueueColour(0x00FFFFFFu);
    form->htmlPage->HTMLBackgroundPaletteBitBtnClick();
    ASSERT_EQ(dialogs.History().size(), 2);
    EXPECT_EQ(dialogs.History()[0].detail, QStringLiteral("00000000"));
    EXPECT_EQ(dialogs.History()[1].detail, QStringLiteral("00FFFFFF"));
    EXPECT_EQ(S().htmlBackgroundColour, QStringLiteral("00FFFFFF"));

    // Each swatch opens on its own setting; a colour near the ends of each channel is kept exactly.
    dialogs.QueueColour(0x0001FEFFu);
    form->buttonsPage->SettingsPaletteBitBtnClick(settings::kType2);
    EXPECT_EQ(dialogs.History()[2].detail, QStringLiteral("00000000"));
    EXPECT_EQ(Style(1).backgroundColour, QStringLiteral("0001FEFF"));
    EXPECT_EQ(form->image2->ButtonColor(), 0x0001FEFFu);
    form->filePage->previewareaPaletteBitBtnClick();
    EXPECT_EQ(dialogs.History()[3].detail, QStringLiteral("00003000"));
    form->htmlPage->HTMLTextPaletteBitBtnClick();
    EXPECT_EQ(dialogs.History()[4].detail, QStringLiteral("00000000"));

    // Cancelled: nothing changes, the previews are still refreshed.
    const int refreshes = form->PreviewRefreshCount();
    form->buttonsPage->SettingsPaletteBitBtnClick(settings::kType1);
    EXPECT_EQ(form->PreviewRefreshCount(), refreshes + 1);
    EXPECT_EQ(Style(0).backgroundColour, QStringLiteral("00FFFFFF"));
    // A double click on a preview area asks for the preview area colour.
    dialogs.QueueColour(0x00102030u);
    QTest::mouseDClick(form->testareaPanel2, Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(S().previewAreaColour, QStringLiteral("00102030"));
    EXPECT_EQ(form->testareaPanel1->Color(), QColor(0x30, 0x20, 0x10));
}

TEST_F(SettingsPagesTest, FolderAndBrowserDialogsKeepTheFieldWhenCancelledOrFailing) {
    const QString buttons = S().targetFolder;
    dialogs.QueueFolder(dir.path() + "/out/");
    form->filePage->BitBtn3->click();
    EXPECT_EQ(dialogs.History().back().text, QStringLiteral("Select Target Folder to save the buttons in"));
    EXPECT_EQ(dialogs.History().back().detail, buttons);
    EXPECT_EQ(S().targetFolder, dir.path() + "/out/");
    EXPECT_EQ(form->filePage->pathedit->text(), dir.path() + "/out/");
    form->filePage->BitBtn3->click();  // cancelled
    EXPECT_EQ(S().targetFolder, dir.path() + "/out/");

    // The HTML folder starts at the button folder while it says so; a failure keeps its own text.
    dialogs.QueueFolder(dir.path() + "/pages/");
    form->filePage->htmlbrowsebutton->click();
    EXPECT_EQ(dialogs.History().back().text,
              QStringLiteral("Select Target Folder to save the HTML files in"));
    EXPECT_EQ(dialogs.History().back().detail, dir.path() + "/out/");
    EXPECT_EQ(S().htmlTargetFolder, dir.path() + "/pages/");
    dialogs.QueueFolderFailure("The folder list could not be read");
    form->filePage->htmlbrowsebutton->click();
    EXPECT_EQ(dialogs.History().back().detail, dir.path() + "/pages/");
    EXPECT_EQ(S().htmlTargetFolder, dir.path() + "/pages/");
    EXPECT_EQ(form->filePage->HTMLpathedit->text(), dir.path() + "/pages/");
    EXPECT_EQ(form->StatusText(), QStringLiteral("The folder list could not be read"));
    dialogs.QueueFolderFailure("gone");
    form->filePage->BitBtn3->click();
    EXPECT_EQ(S().targetFolder, dir.path() + "/out/");

    // The browser dialog starts empty for the default browser, then with the chosen file.
    dialogs.QueueOpenFile("/usr/bin/firefox");
    form->htmlPage->HTMLBrowserBrowseButton->click();
    EXPECT_EQ(dialogs.History().back().text,
              QStringLiteral("Select the folder and filename of your web browser"));
    EXPECT_EQ(dialogs.History().back().detail, QString());
    EXPECT_EQ(S().browser, QStringLiteral("/usr/bin/firefox"));
    form->htmlPage->HTMLBrowserBrowseButton->click();
    EXPECT_EQ(dialogs.History().back().detail, QStringLiteral("/usr/bin/firefox"));
    EXPECT_EQ(S().browser, QStringLiteral("/usr/bin/firefox"));
}

TEST_F(SettingsPagesTest, LeavingTheTestPageNameMakesItAnHtmFile) {
    QLineEdit* edit = form->htmlPage->HTMLmainfilenameEdit;
    const QList<std::pair<QString, QString>> cases = {
        {"page.html", "page.htm"}, {"start", "start.htm"}, {"a.b.c", "a.htm"}, {"", ".htm"}, {".x", ".htm"}};
    for (const auto& [typed, expected] : cases) {
        edit->setText(typed);
        QFocusEvent out(QEvent::FocusOut);
        QApplication::sendEvent(edit, &out);
        EXPECT_EQ(edit->text(), expected) << typed.toStdString();
        EXPECT_EQ(S().htmlMainFilename, expected);
    }
}

TEST_F(SettingsPagesTest, ListsBoxesAndFieldsChangeTheModelAndThePreviews) {
    // The background mode decides which size fields show, type 2's only while it is enabled.
    const std::array<std::array<bool, 4>, 5> shown = {{{true, false, false, false},
                                                       {false, true, true, false},
                                                       {true, true, true, false},
                                                       {true, false, true, true},
                                                       {false, false, true, true}}};
    for (int mode = 0; mode < 5; ++mode) {
        Choose(Buttons(1).ModeComboBox, mode);
        const app::ButtonsTypeControls& c = Buttons(1);
        EXPECT_EQ(!c.filenameedit->isHidden(), shown[mode][0]) << mode;
        EXPECT_EQ(!c.BitBtn->isHidden(), shown[mode][0]) << mode;
        EXPECT_EQ(!c.widthField.arrows->isHidden(), shown[mode][1]) << mode;
        EXPECT_EQ(!c.heightField.label->isHidden(), shown[mode][2]) << mode;
        EXPECT_EQ(!c.spacingField.edit->isHidden(), shown[mode][3]) << mode;
        EXPECT_EQ(Style(1).backgroundMode, mode);
    }
    Choose(Buttons(0).BorderStyleComboBox, 5);
    EXPECT_EQ(form->image1->Button3DKind(), face::dk3dBorderFlatten);
    Choose(Buttons(0).BorderDepthComboBox, 16);
    EXPECT_EQ(form->image1->ButtonDepth(), 16);

    // Font name, style boxes and effects. Both lists hold the system's families, each once by its
    // family name, and the first is the default.
    for (int t = 0; t < 2; ++t) {
        QStringList items;
        for (int i = 0; i < Font(t).NameComboBox->count(); ++i) {
            items.append(Font(t).NameComboBox->itemText(i));
        }
        EXPECT_EQ(items, platform::ScreenFontFamilies());
    }
    EXPECT_EQ(S().fontList, platform::ScreenFontFamilies());
    Choose(Font(0).NameComboBox, 0);
    EXPECT_EQ(Style(0).fontName, S().fontList.value(0));
    Font(0).ItalicCheckBox->click();
    Font(0).UnderlineCheckBox->click();
    Font(0).UnderlineCheckBox->click();
    EXPECT_TRUE(form->image1->font().italic());
    EXPECT_FALSE(form->image1->font().underline());
    EXPECT_FALSE(Style(0).bold);
    Font(0).EmbossRadioButton->click();
    EXPECT_EQ(form->image1->Caption3dKind(), face::ckEmbossed);
    EXPECT_FALSE(Font(0).SimpleRadioButton->isChecked());
    Font(0).SimpleRadioButton->click();
    EXPECT_EQ(Style(0).captionEffect, settings::CaptionEffect::Standard);

    // Alignment lists show their offset field for the fixed offset only.
    Choose(Alignment(0).HorizontalComboBox, settings::kFixedOffsetAlignment);
    EXPECT_FALSE(Alignment(0).LeftOffsetField.label->isHidden());
    EXPECT_TRUE(Alignment(0).LeftOffsetField.arrows->isEnabled());
    Alignment(0).LeftOffsetField.edit->setText("-");
    EXPECT_EQ(form->image1->CaptionLeft(), 0);
    // The arrows keep their position (5) through a text that counts as 0.
    Alignment(0).LeftOffsetField.arrows->StepDown();
    EXPECT_EQ(Alignment(0).LeftOffsetField.edit->text(), QStringLiteral("4"));
    EXPECT_EQ(form->image1->CaptionLeft(), 4);
    Choose(Alignment(0).HorizontalComboBox, 1);
    EXPECT_TRUE(Alignment(0).LeftOffsetField.edit->isHidden());
    EXPECT_FALSE(Alignment(0).LeftOffsetField.edit->isEnabled());
    EXPECT_EQ(form->image1->CaptionHAlign(), face::haLeft);

    // File page: the file type renames the list; prefixes refresh without renaming.
    Choose(form->filePage->FileTypeComboBox, settings::kFileTypeBmp);
    EXPECT_EQ(S().captions.Cell(1, 1), QStringLiteral("u_home.bmp"));
    const int refreshes = form->PreviewRefreshCount();
    form->filePage->prefix1edit->setText("top_");
    EXPECT_EQ(S().prefix1, QStringLiteral("top_"));
    EXPECT_EQ(S().captions.Cell(1, 1), QStringLiteral("u_home.bmp"));
    EXPECT_EQ(form->PreviewRefreshCount(), refreshes + 1);
    form->filePage->OverWriteCheckBox->click();
    EXPECT_FALSE(S().overwritePrompt);
    EXPECT_EQ(form->filePage->OverWriteCheckBox->layoutDirection(), Qt::RightToLeft);

    // HTML page values reach the model.
    Choose(form->htmlPage->HTMLlayoutComboBox, 1);
    form->htmlPage->HTMLgenerateallfilesCheckBox->click();
    form->htmlPage->HTMLmainpagetitleedit->setText("Shop");
    EXPECT_EQ(S().htmlLayout, 1);
    EXPECT_FALSE(S().htmlGenerateAll);
    EXPECT_EQ(S().htmlTitlePrefix, QStringLiteral("Shop"));
}

TEST_F(SettingsPagesTest, EveryControlShowsItsHintAndTypeTwoHintsNameTypeTwo) {
    const QList<std::pair<QWidget*, QString>> hints = {
        {form->filePage->pathedit,
         "Target folder for saving the buttons (click the folder icon to change it)."},
        {form->filePage->HTMLpathedit,
         "Target folder for saving the HTML (.htm) files into  (click the folder icon to change it)."},
        {form->filePage->OverWriteCheckBox, "Prompt before overwriting any existing button files ?"},
        {form->filePage->prefix2Edit, "Enter a prefix to add to the start of all button type 2 filenames."},
        {form->filePage->prefixPressedEdit,
         "Enter a prefix to add to the start of all pressed button filenames (written when \"Also write "
         "pressed images\" is ticked in the advanced options)."},
        {form->AdvancedForm().pressedimagesCheckBox,
         "Also save every button as it looks pressed, named with the pressed prefix of the File page; the "
         "CSS rollover page shows it while a button is held down."},
        {form->filePage->previewareaSwatch.image,
         "Click here to change the background colour of the button preview area."},
        {Buttons(1).ModeComboBox,
         "Select the \"background mode\" for type 2 buttons, either a pre-defined bitmap or "
         "the colour and size of your choice."},
        {Buttons(1).filenameedit,
         "Button 2 background bitmap filename (click the folder icon to change it)."},
        {Buttons(1).BitBtn, "Select button 2 background bitmap file."},
        {Buttons(0).spacingField.arrows,
         "Select the spacing (in pixels) added to the caption width of type 1 buttons."},
        {Buttons(1).heightField.edit, "Select the height (in pixels) for type 2 buttons."},
        {Buttons(1).BorderDepthComboBox, "Select the depth (in pixels) of the border for type 2 buttons."},
        {Font(1).SizeComboBox->lineEdit(), "Select the font size to use for type 2 button captions."},
        {Font(0).UnderlineCheckBox, "Enable \"underline\" effect for type 1 buttons ?"},
        {Font(1).SimpleRadioButton, "Enable \"standard\" effect for type 2 buttons ?"},
        {Font(1).colourSwatch.button, "Click here to change the caption colour for type 2 buttons."},
        {Alignment(1).LeftOffsetField.edit, "Select the left offset to use for type 2 buttons."},
        {Alignment(0).VerticalComboBox, "Select the vertical allignment mode for type 1 buttons."},
        {form->htmlPage->HTMLlayoutComboBox,
         "Select whether you want horizontally or vertically alligned buttons on the HTML preview pages."},
        {form->htmlPage->HTMLBrowserBrowseButton,
         "Select the folder and filename of your HTML (web browser) "
         "software e.g. \"iexplore.exe\"."},
        {form->htmlPage->HTMLTextSwatch.image,
         "Click here to change the text colour of the HTML preview pages."},
        {form->secondbuttonCheckBox[2], "Tick this box to disable type 2 buttons."},
        {form->image2, "This is the preview area for type 2 buttons."},
        {form->helpPage->ViewHelpButton, "View the help files."},
    };
    for (const auto& [widget, hint] : hints) {
        EXPECT_EQ(app::EffectiveHint(widget), hint) << hint.toStdString();
    }
    // Moving the mouse over controls of the page on show puts their hints into the status bar.
    for (int page : {0, 2, 3, 4, 5, 6}) {
        form->PageControl1->setCurrentIndex(page);
        QApplication::processEvents();
        for (const auto& [widget, hint] : hints) {
            if (widget->isVisible() && form->PageControl1->currentWidget()->isAncestorOf(widget)) {
                QTest::mouseMove(widget, QPoint(2, 2));
                QApplication::processEvents();
                EXPECT_EQ(form->StatusText(), hint);
            }
        }
    }
    // Labels have none: on the Font and Allignment pages the page's hint shows, on the Buttons page
    // nothing.
    form->Hints().MouseOver(Font(0).NameComboBox->parentWidget());
    EXPECT_EQ(form->StatusText(),
              QStringLiteral("Selec the font, colours and effects to use when drawing the button captions."));
    form->Hints().MouseOver(Alignment(1).TopOffsetField.label);
    EXPECT_EQ(form->StatusText(), QStringLiteral("Determine the allignment of the captions on the buttons."));
    form->Hints().MouseOver(Buttons(0).heightField.label);
    EXPECT_EQ(form->StatusText(), QString());
}

TEST_F(SettingsPagesTest, TheAdvancedDialogAndTheHelpPage) {
    app::Tadvancedform& adv = form->AdvancedForm();
    QTimer::singleShot(0, [&] {
        EXPECT_TRUE(adv.isVisible());
        EXPECT_EQ(adv.windowTitle(), QStringLiteral("Plumeric Advanced Options"));
        EXPECT_LE((adv.frameGeometry().center() - form->frameGeometry().center()).manhattanLength(), 4);
        EXPECT_EQ(adv.minimumSize(), adv.maximumSize());  // fixed size
        EXPECT_EQ(adv.BitBtn1->text(), QStringLiteral("&OK"));
        adv.BitBtn1->click();
    });
    form->filePage->BitBtn1->click();
    EXPECT_FALSE(adv.isVisible());

    form->PageControl1->setCurrentIndex(0);
    form->PageControl1->setCurrentIndex(TForm1::kHelpPage);
    EXPECT_EQ(form->focusWidget(), form->helpPage->ViewHelpButton);
}

namespace {

// The label standing for `box` on its page.
QLabel* LabelOf(QWidget* box) {
    for (QLabel* label : box->parentWidget()->findChildren<QLabel*>()) {
        if (label->buddy() == box) {
            return label;
        }
    }
    return nullptr;
}

// Texts of a page's controls that are wider than the room the control has.
QStringList CutTexts(QWidget* page) {
    QStringList cut;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if (!w->isVisible()) {
            continue;
        }
        if (auto* list = qobject_cast<QComboBox*>(w)) {
            QStyleOptionComboBox option;
            option.initFrom(list);
            option.editable = list->isEditable();
            const int room =
                list->style()
                    ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list)
                    .width();
            for (int i = 0; i < list->count(); ++i) {
                // Font names longer than this are shown whole in the drop-down only.
                if (list->itemText(i).size() <= 30 &&
                    list->fontMetrics().horizontalAdvance(list->itemText(i)) > room) {
                    cut << list->itemText(i);
                }
            }
        } else if (auto* label = qobject_cast<QLabel*>(w); label != nullptr && !label->text().isEmpty()) {
            if (label->width() < label->sizeHint().width()) {
                cut << label->text();
            }
        } else if (auto* button = qobject_cast<QAbstractButton*>(w);
                   button != nullptr && !button->text().isEmpty()) {
            if (button->width() < button->sizeHint().width()) {
                cut << button->text();
            }
        }
    }
    return cut;
}

}  // namespace

TEST_F(SettingsPagesTest, NoTextIsCutAndBackgroundModesNeitherWidenTheWindowNorMoveTheOtherType) {
    ASSERT_EQ(form->size(), QSize(TForm1::kInitialWidth, TForm1::kInitialHeight));
    // The longest item of each short list chosen, so the list shows what is widest.
    Choose(Buttons(0).BorderStyleComboBox, 5);  // "3D Border Flatten"
    Choose(Buttons(1).BorderDepthComboBox, 9);
    Choose(form->filePage->FileTypeComboBox, 1);
    Choose(Alignment(0).HorizontalComboBox, settings::kFixedOffsetAlignment);
    for (int page = 0; page < form->PageControl1->count(); ++page) {
        form->PageControl1->setCurrentIndex(page);
        QApplication::processEvents();
        EXPECT_EQ(CutTexts(form->PageControl1->currentWidget()), QStringList()) << "page " << page;
    }

    // Every background mode of either type, with a long hint in the status bar: the window keeps
    // its width and the type 2 controls stay under their type 1 twins.
    form->PageControl1->setCurrentIndex(2);
    form->ShowStatus(QString(300, 'x'));
    const auto x = [&](QWidget* w) { return w->mapTo(form.get(), QPoint(0, 0)).x(); };
    for (int mode = 0; mode < settings::kBackgroundModeCount; ++mode) {
        for (int other : {0, 2, 4}) {
            Choose(Buttons(0).ModeComboBox, mode);
            Choose(Buttons(1).ModeComboBox, other);
            QApplication::processEvents();
            EXPECT_EQ(form->width(), TForm1::kInitialWidth) << mode << " " << other;
            for (QWidget* (*control)(app::ButtonsTypeControls&) :
                 {+[](app::ButtonsTypeControls& c) -> QWidget* { return c.heightField.edit; },
                  +[](app::ButtonsTypeControls& c) -> QWidget* { return c.BorderDepthComboBox; },
                  +[](app::ButtonsTypeControls& c) -> QWidget* { return c.filenameedit; },
                  +[](app::ButtonsTypeControls& c) -> QWidget* { return c.widthField.edit; }}) {
                EXPECT_EQ(x(control(Buttons(0))), x(control(Buttons(1)))) << mode << " " << other;
            }
            EXPECT_EQ(CutTexts(form->buttonsPage), QStringList()) << mode << " " << other;
        }
    }
}

TEST_F(SettingsPagesTest, ALongBitmapPathShowsItsStartAndItsFileNameAndKeepsItsWholeText) {
    Choose(Buttons(0).ModeComboBox, 2);
    form->PageControl1->setCurrentIndex(2);
    QApplication::processEvents();
    const QString folder = "/home/someone/web-sites/a-rather-long-site-folder-name/images/backgrounds/";
    const QString path = folder + "brushed-metal-160x40.bmp";
    Buttons(0).filenameedit->setText(path);
    widgets::TPathEdit* field = Buttons(0).filenameedit;
    const QString shown = field->DisplayedText();
    EXPECT_NE(shown, path);
    EXPECT_TRUE(shown.startsWith("/home/someone/")) << shown.toStdString();
    EXPECT_TRUE(shown.endsWith("brushed-metal-160x40.bmp")) << shown.toStdString();
    EXPECT_TRUE(shown.contains(QChar(0x2026)));
    EXPECT_LE(field->fontMetrics().horizontalAdvance(shown), field->width());
    // What the program reads and stores is the whole path.
    EXPECT_EQ(field->text(), path);
    EXPECT_EQ(Style(0).bitmapFile, path);
    // A short path shows as it is.
    field->setText("/tmp/b.bmp");
    EXPECT_EQ(field->DisplayedText(), QStringLiteral("/tmp/b.bmp"));
}

TEST_F(SettingsPagesTest, EverySwatchHasAFrameAroundAPictureFilledWithItsColour) {
    form->PageControl1->setCurrentIndex(2);
    QApplication::processEvents();
    for (const app::ColourSwatch* swatch :
         {&Buttons(0).settingsSwatch, &Buttons(1).settingsSwatch, &form->htmlPage->HTMLBackgroundSwatch}) {
        const settings::ColourValue colour = swatch->Colour();
        const QRgb rgb = qRgb(settings::RedOf(colour), settings::GreenOf(colour), settings::BlueOf(colour));
        const QImage picture = swatch->image->pixmap().toImage();
        ASSERT_FALSE(picture.isNull());
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                ASSERT_EQ(picture.pixel(x, y), rgb) << x << "," << y;
            }
        }
        const QImage shown = swatch->image->grab().toImage();
        EXPECT_EQ(shown.pixel(shown.width() / 2, shown.height() / 2), rgb);
        // A frame around it that differs from the swatch and from the page behind it, whether the
        // swatch is white or black.
        const QRgb page = swatch->image->parentWidget()->palette().color(QPalette::Window).rgb();
        for (const QPoint corner : {QPoint(0, 0), QPoint(shown.width() - 1, shown.height() - 1)}) {
            EXPECT_NE(shown.pixel(corner), rgb);
            EXPECT_NE(shown.pixel(corner), page);
        }
    }
    EXPECT_EQ(Buttons(0).settingsSwatch.Colour(), 0x00FFFFFFu);  // the default white type 1 background
}

TEST_F(SettingsPagesTest, ALabelAboveABoxShowsTheBoxsHintAndTogglesIt) {
    form->PageControl1->setCurrentWidget(form->fontPage);
    QApplication::processEvents();
    for (int t : {0, 1}) {
        app::FontTypeControls& c = Font(t);
        for (QAbstractButton* box : std::initializer_list<QAbstractButton*>{
                 c.BoldCheckBox, c.ItalicCheckBox, c.UnderlineCheckBox, c.EmbossRadioButton,
                 c.PressedRadioButton, c.SimpleRadioButton}) {
            QLabel* label = LabelOf(box);
            ASSERT_NE(label, nullptr);
            QTest::mouseMove(label, QPoint(3, label->height() / 2));
            QApplication::processEvents();
            EXPECT_EQ(form->StatusText(), app::OwnHint(box)) << label->text().toStdString();
            const bool radio = qobject_cast<QRadioButton*>(box) != nullptr;
            const bool before = box->isChecked();
            QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(3, label->height() / 2));
            EXPECT_EQ(box->isChecked(), radio ? true : !before) << label->text().toStdString();
        }
        // The model follows: the last effect clicked is standard, and each style box was toggled once.
        EXPECT_EQ(Style(t).captionEffect, settings::CaptionEffect::Standard);
        EXPECT_TRUE(c.BoldCheckBox->isChecked());
        QTest::mouseClick(LabelOf(c.PressedRadioButton), Qt::LeftButton);
        EXPECT_EQ(Style(t).captionEffect, settings::CaptionEffect::Pressed);
    }
    // The "Disable this button ?" box's own text does the same.
    QCheckBox* disable = form->secondbuttonCheckBox[1];
    QTest::mouseMove(disable, QPoint(disable->width() - 5, disable->height() / 2));
    QApplication::processEvents();
    EXPECT_EQ(form->StatusText(), QStringLiteral("Tick this box to disable type 2 buttons."));
    QTest::mouseClick(disable, Qt::LeftButton, {}, QPoint(disable->width() - 5, disable->height() / 2));
    EXPECT_FALSE(S().secondbuttonEnabled);
}

TEST_F(SettingsPagesTest, TheShapeAndFillPageFollowsTheButtonsPageWithItsHintsAndFitsTheWindow) {
    ASSERT_EQ(form->size(), QSize(TForm1::kInitialWidth, TForm1::kInitialHeight));
    EXPECT_EQ(form->PageControl1->indexOf(form->shapeFillPage),
              form->PageControl1->indexOf(form->buttonsPage) + 1);
    EXPECT_EQ(form->PageControl1->tabText(3), QStringLiteral("Shape and F&ill"));
    EXPECT_EQ(form->shapeFillPage->panels[0]->title(),
              QStringLiteral("Button type 1 Shape and Fill Settings"));
    EXPECT_EQ(form->shapeFillPage->panels[1]->title(),
              QStringLiteral("Button type 2 Shape and Fill Settings"));
    EXPECT_EQ(settings::ButtonShapeTexts().size(), Shape(1).ShapeComboBox->count());
    EXPECT_EQ(Shape(0).GradientComboBox->itemText(2), QStringLiteral("Circular"));
    const QList<std::pair<QWidget*, QString>> hints = {
        {Shape(0).ShapeComboBox,
         "Select the shape of type 1 buttons (outside it, PNG and WebP files are transparent)."},
        {Shape(1).cornerRadiusField.edit,
         "Select the corner radius in pixels of rounded type 2 buttons (empty: a quarter of the smaller side "
         "or "
         "more)."},
        {Shape(0).cornerRadiusField.arrows,
         "Select the corner radius in pixels of rounded type 1 buttons (empty: a quarter of the smaller side "
         "or "
         "more)."},
        {Shape(1).GradientComboBox,
         "Select a gradient fill from the background colour to a second colour for type 2 buttons."},
        {Shape(0).gradientSwatch.button,
         "Click here to change the second colour of the gradient fill of type 1 buttons."},
        {Shape(1).gradientSwatch.image,
         "Click here to change the second colour of the gradient fill of type 2 buttons."},
        {Shape(0).angleField.edit,
         "Select the angle (degrees) of the linear fill of type 1 buttons: 0 top to bottom, 90 left to "
         "right."},
        {Shape(1).angleField.arrows,
         "Select the angle (degrees) of the linear fill of type 2 buttons: 0 top to bottom, 90 left to "
         "right."},
        // A label shows the page's hint.
        {Shape(0).gradientColourLabel,
         "Select the shape of the buttons and how their background colour is filled."},
    };
    // Each hint shows whole in the status bar of the window at its first size.
    const int room = form->statusBar()->contentsRect().width();
    for (const auto& [widget, hint] : hints) {
        EXPECT_EQ(app::EffectiveHint(widget), hint) << hint.toStdString();
        EXPECT_LE(form->statusBar()->fontMetrics().horizontalAdvance(hint), room) << hint.toStdString();
    }

    // The widest items chosen, in every background mode of both types: no text is cut, the window
    // keeps its width and the type 2 controls stay under their type 1 twins.
    form->PageControl1->setCurrentWidget(form->shapeFillPage);
    form->ShowStatus(QString(300, 'x'));
    const auto x = [&](QWidget* w) { return w->mapTo(form.get(), QPoint(0, 0)).x(); };
    for (int mode = 0; mode < settings::kBackgroundModeCount; ++mode) {
        for (int t : {0, 1}) {
            Choose(Buttons(t).ModeComboBox, mode);
            Choose(Shape(t).ShapeComboBox, 1);  // "Rounded rectangle"
            Choose(Shape(t).GradientComboBox, 2);
        }
        QApplication::processEvents();
        EXPECT_EQ(form->width(), TForm1::kInitialWidth) << mode;
        EXPECT_EQ(form->height(), TForm1::kInitialHeight) << mode;
        EXPECT_EQ(CutTexts(form->shapeFillPage), QStringList()) << mode;
        for (QWidget* (*control)(app::ShapeFillTypeControls&) :
             {+[](app::ShapeFillTypeControls& c) -> QWidget* { return c.ShapeComboBox; },
              +[](app::ShapeFillTypeControls& c) -> QWidget* { return c.cornerRadiusField.edit; },
              +[](app::ShapeFillTypeControls& c) -> QWidget* { return c.GradientComboBox; },
              +[](app::ShapeFillTypeControls& c) -> QWidget* { return c.gradientSwatch.button; },
              +[](app::ShapeFillTypeControls& c) -> QWidget* { return c.angleField.edit; }}) {
            EXPECT_EQ(x(control(Shape(0))), x(control(Shape(1)))) << mode;
        }
    }
    // Each control shows whole inside its panel.
    for (int t : {0, 1}) {
        const QRect panel = form->shapeFillPage->panels[static_cast<std::size_t>(t)]->contentsRect();
        for (QWidget* w :
             std::initializer_list<QWidget*>{Shape(t).angleField.arrows, Shape(t).cornerRadiusField.arrows}) {
            EXPECT_TRUE(panel.contains(QRect(w->mapTo(w->parentWidget(), QPoint(0, 0)), w->size()))) << t;
        }
    }
}

TEST_F(SettingsPagesTest, ShapeAndFillChosenOnThePageReachTheModelAndThePreviewsInTheColourModesOnly) {
    form->PageControl1->setCurrentWidget(form->shapeFillPage);
    QApplication::processEvents();
    // The defaults: the rectangle, no fill; only what applies can be changed.
    EXPECT_EQ(Shape(0).ShapeComboBox->currentText(), QStringLiteral("Rectangle"));
    EXPECT_EQ(Shape(0).GradientComboBox->currentText(), QStringLiteral("None"));
    EXPECT_EQ(Shape(0).angleField.edit->text(), QStringLiteral("45"));
    EXPECT_EQ(Shape(0).cornerRadiusField.edit->text(), QString());
    EXPECT_FALSE(Shape(0).cornerRadiusField.edit->isEnabled());
    EXPECT_TRUE(Shape(0).GradientComboBox->isEnabled());
    EXPECT_FALSE(Shape(0).gradientSwatch.button->isEnabled());
    EXPECT_FALSE(Shape(0).angleField.edit->isEnabled());
    EXPECT_EQ(Shape(0).gradientSwatch.Colour(), 0x00808080u);
    const QRegion full(0, 0, form->image1->ButtonWidth(), form->image1->ButtonHeight());
    EXPECT_EQ(form->image1->WindowRegion(), full);

    // The ellipse: the preview's window takes the shape.
    Choose(Shape(0).ShapeComboBox, 2);
    EXPECT_EQ(Style(0).shape, 2);
    EXPECT_EQ(form->image1->ButtonKind(), face::bkElliptic);
    EXPECT_FALSE(form->image1->WindowRegion().contains(QPoint(0, 0)));
    EXPECT_FALSE(Shape(0).cornerRadiusField.edit->isEnabled());
    // The rounded rectangle with a radius of its own.
    Choose(Shape(0).ShapeComboBox, 1);
    EXPECT_TRUE(Shape(0).cornerRadiusField.edit->isEnabled());
    Shape(0).cornerRadiusField.edit->setText("8");
    EXPECT_EQ(Style(0).cornerRadius, QStringLiteral("8"));
    EXPECT_EQ(form->image1->ButtonKind(), face::bkRoundRect);
    EXPECT_EQ(form->image1->CornerRadius(), 8);
    // Empty: the larger of twice the border depth and a quarter of the smaller side.
    Shape(0).cornerRadiusField.edit->setText("");
    EXPECT_EQ(form->image1->CornerRadius(),
              std::max(2 * std::max(0, Style(0).borderDepth),
                       std::min(form->image1->ButtonWidth(), form->image1->ButtonHeight()) / 4));
    EXPECT_GT(form->image1->CornerRadius(), 0);

    // A linear fill to a chosen colour at a chosen angle.
    Choose(Shape(0).GradientComboBox, 1);
    EXPECT_EQ(Style(0).gradientKind, 1);
    EXPECT_TRUE(Shape(0).gradientSwatch.button->isEnabled());
    EXPECT_TRUE(Shape(0).angleField.edit->isEnabled());
    dialogs.QueueColour(0x00FE0001);
    Shape(0).gradientSwatch.button->click();
    EXPECT_EQ(Style(0).gradientColour, QStringLiteral("00FE0001"));
    EXPECT_EQ(Shape(0).gradientSwatch.Colour(), 0x00FE0001u);
    Shape(0).angleField.edit->setText("-90");
    EXPECT_EQ(Style(0).gradientAngle, QStringLiteral("-90"));
    EXPECT_EQ(form->image1->GradientKind(), face::gkLinear);
    EXPECT_EQ(form->image1->ButtonColor1(), 0x00FE0001u);
    EXPECT_EQ(form->image1->GradientAngle(), 2700);
    // The circular fill has no angle.
    Choose(Shape(0).GradientComboBox, 2);
    EXPECT_FALSE(Shape(0).angleField.edit->isEnabled());
    EXPECT_TRUE(Shape(0).gradientSwatch.button->isEnabled());
    EXPECT_EQ(form->image1->GradientKind(), face::gkCircular);

    // Over a bitmap there is no fill: its controls are disabled, the setting is kept for later.
    for (int mode : {0, 2, 3}) {
        Choose(Buttons(0).ModeComboBox, mode);
        EXPECT_FALSE(Shape(0).GradientComboBox->isEnabled()) << mode;
        EXPECT_FALSE(Shape(0).gradientSwatch.button->isEnabled()) << mode;
        EXPECT_EQ(form->image1->GradientKind(), face::gkNone) << mode;
        EXPECT_EQ(Style(0).gradientKind, 2) << mode;
    }
    Choose(Buttons(0).ModeComboBox, 1);
    EXPECT_TRUE(Shape(0).GradientComboBox->isEnabled());
    EXPECT_EQ(form->image1->GradientKind(), face::gkCircular);
    // Type 2 was never touched.
    EXPECT_EQ(form->image2->ButtonKind(), face::bkRect);
    EXPECT_EQ(form->image2->GradientKind(), face::gkNone);

    // The window writes what it shows when it closes, and a new window reads it back.
    form->close();
    const QString file = form->ProjectFile();
    const QByteArray written = testsupport::ReadAll(file);
    EXPECT_TRUE(written.contains("\r\n120,1\r\n")) << written.right(400).toStdString();
    EXPECT_TRUE(written.contains("\r\n122,2\r\n/* Button 1 gradient second colour */\r\n123,00FE0001\r\n"));
    EXPECT_TRUE(written.contains("\r\n124,270\r\n"));
    EXPECT_FALSE(written.contains("\r\n125,"));
    TForm1 again(dialogs, shell, dir.path());
    again.show();
    again.Timer1->stop();
    EXPECT_EQ(again.Settings().button[0].shape, 1);
    EXPECT_EQ(again.shapeFillPage->type[0].GradientComboBox->currentIndex(), 2);
    EXPECT_EQ(again.shapeFillPage->type[0].angleField.edit->text(), QStringLiteral("270"));
    EXPECT_EQ(again.shapeFillPage->type[0].gradientSwatch.Colour(), 0x00FE0001u);
}

TEST_F(SettingsPagesTest, TheTypeTwoShapePanelHidesWhileTypeTwoIsDisabledAndReEnablingCopiesShapeAndFill) {
    form->PageControl1->setCurrentWidget(form->shapeFillPage);
    QApplication::processEvents();
    Choose(Buttons(0).ModeComboBox, 1);
    Choose(Shape(0).ShapeComboBox, 4);  // "Arrow"
    Choose(Shape(0).GradientComboBox, 1);
    Shape(0).angleField.edit->setText("10");
    Shape(0).cornerRadiusField.edit->setText("5");
    EXPECT_TRUE(Shape(1).ShapeComboBox->isVisible());

    form->secondbuttonCheckBox[0]->click();
    EXPECT_TRUE(form->shapeFillPage->panels[1]->isHidden());
    EXPECT_FALSE(Shape(1).ShapeComboBox->isVisible());
    EXPECT_TRUE(form->shapeFillPage->panels[0]->isVisible());

    S().copyOnReEnable = true;
    form->secondbuttonCheckBox[0]->click();
    EXPECT_TRUE(form->shapeFillPage->panels[1]->isVisible());
    EXPECT_EQ(Style(1), Style(0));
    EXPECT_EQ(Shape(1).ShapeComboBox->currentText(), QStringLiteral("Arrow"));
    EXPECT_EQ(Shape(1).GradientComboBox->currentText(), QStringLiteral("Linear"));
    EXPECT_EQ(Shape(1).angleField.edit->text(), QStringLiteral("10"));
    EXPECT_EQ(Shape(1).cornerRadiusField.edit->text(), QStringLiteral("5"));
    EXPECT_TRUE(Shape(1).angleField.edit->isEnabled());
    EXPECT_EQ(form->image2->ButtonKind(), face::bkArrow);
    EXPECT_EQ(form->image2->GradientAngle(), 100);
}

TEST_F(SettingsPagesTest, ThePressedImagesChoiceAndItsPrefixShowWholeAndFollowTheModel) {
    // The advanced options show every choice whole, the pressed images' box last before "&OK".
    app::Tadvancedform& adv = form->AdvancedForm();
    adv.adjustSize();
    adv.show();
    QApplication::processEvents();
    EXPECT_EQ(CutTexts(&adv), QStringList());
    EXPECT_EQ(adv.pressedimagesCheckBox->text(), QStringLiteral("Also write pressed images"));
    EXPECT_GT(adv.pressedimagesCheckBox->y(), adv.scale2xCheckBox->y());
    EXPECT_LT(adv.pressedimagesCheckBox->y(), adv.BitBtn1->y());
    EXPECT_FALSE(adv.pressedimagesCheckBox->isChecked());
    adv.pressedimagesCheckBox->click();
    EXPECT_TRUE(S().pressedImages);
    adv.pressedimagesCheckBox->click();
    EXPECT_FALSE(S().pressedImages);
    adv.hide();

    // On the File page the prefix stands beside the other two, on their row, and the window keeps
    // its size.
    form->PageControl1->setCurrentIndex(0);
    QApplication::processEvents();
    app::TFilePage& file = *form->filePage;
    const auto y = [&](QWidget* w) { return w->mapTo(form.get(), QPoint(0, 0)).y(); };
    const auto x = [&](QWidget* w) { return w->mapTo(form.get(), QPoint(0, 0)).x(); };
    EXPECT_EQ(y(file.prefixPressedEdit), y(file.prefix1edit));
    EXPECT_EQ(y(file.prefixPressedLabel), y(file.prefix1Label));
    EXPECT_GT(x(file.prefixPressedEdit), x(file.prefix2Edit));
    EXPECT_EQ(form->size(), QSize(TForm1::kInitialWidth, TForm1::kInitialHeight));
    EXPECT_EQ(CutTexts(form->PageControl1->currentWidget()), QStringList());
    EXPECT_EQ(file.prefixPressedEdit->text(), QStringLiteral("P_"));
    file.prefixPressedEdit->setText(QStringLiteral("Down_"));
    EXPECT_EQ(S().prefixPressed, QStringLiteral("Down_"));
    // Loaded settings bring both controls in line.
    S().prefixPressed = QStringLiteral("Q_");
    S().pressedImages = true;
    form->SettingsToControls();
    EXPECT_EQ(file.prefixPressedEdit->text(), QStringLiteral("Q_"));
    EXPECT_TRUE(adv.pressedimagesCheckBox->isChecked());
}
