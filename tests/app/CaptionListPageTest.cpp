#include <gtest/gtest.h>

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "app/AdvancedForm.h"
#include "app/AlignmentPage.h"
#include "app/ButtonsPage.h"
#include "app/CaptionListPage.h"
#include "app/Form1.h"
#include "app/HintTracker.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Shell.h"
#include "widgets/IntegerEdit.h"
#include "widgets/UpDown.h"

using app::TForm1;

namespace {

class CaptionListPageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        form = std::make_unique<TForm1>(dialogs, shell, dir.path());
        form->show();
        form->PageControl1->setCurrentIndex(1);
        QApplication::setActiveWindow(form.get());
        grid = form->captionListPage->CaptionStringGrid;
        model = grid->model();
    }

    QString Cell(int viewRow, int column) const { return model->index(viewRow, column).data().toString(); }

    void SelectCell(int viewRow, int column) {
        grid->setFocus();
        grid->setCurrentIndex(model->index(viewRow, column));
    }

    QTemporaryDir dir;
    platform::ScriptedDialogs dialogs;
    platform::RecordingShell shell;
    std::unique_ptr<TForm1> form;
    QTableView* grid = nullptr;
    QAbstractItemModel* model = nullptr;
};

}  // namespace

TEST_F(CaptionListPageTest, TheGridShowsTheCaptionListUnderItsHeader) {
    ASSERT_EQ(model->rowCount(), 7);
    ASSERT_EQ(model->columnCount(), 5);
    EXPECT_EQ(model->headerData(0, Qt::Horizontal).toString(), QStringLiteral("Button Captions"));
    EXPECT_EQ(model->headerData(3, Qt::Horizontal).toString(), QStringLiteral("HTML filename"));
    EXPECT_EQ(model->headerData(4, Qt::Horizontal).toString(), QStringLiteral("Link"));
    EXPECT_EQ(Cell(0, 0), QStringLiteral("Home"));
    EXPECT_EQ(Cell(6, 0), QStringLiteral("Links"));
    EXPECT_EQ(grid->verticalHeader()->defaultSectionSize(), 16);
    // The hint tells how to paste a list, what "&" does in a caption and what a link does.
    EXPECT_EQ(
        app::OwnHint(grid),
        QStringLiteral("Enter/amend the list of button captions, or paste a list of them, one per line; "
                       "a caption, a tab and a link fill the Link column too. In a caption \"&\" "
                       "underlines the next letter and \"&&\" writes \"&\". A button whose Link is "
                       "given leads there instead of to its page."));
    EXPECT_EQ(form->captionListPage->AddCaptionButton->text(), QStringLiteral("Add Caption"));
    EXPECT_EQ(form->captionListPage->DeleteCaptionButton->text(), QStringLiteral("Delete Caption"));

    form->captionListPage->CalculateFilenamesButton->click();
    EXPECT_EQ(Cell(0, 1), QStringLiteral("u_home.gif"));
    EXPECT_EQ(Cell(0, 2), QStringLiteral("d_home.gif"));
    EXPECT_EQ(Cell(0, 3), QStringLiteral("home.htm"));
    EXPECT_EQ(form->Settings().captions.Cell(7, 1), QStringLiteral("u_links.gif"));
}

TEST_F(CaptionListPageTest, AddAndDeleteWorkOnTheCurrentRow) {
    SelectCell(0, 0);
    form->captionListPage->AddCaptionButton->click();
    ASSERT_EQ(model->rowCount(), 8);
    EXPECT_EQ(Cell(1, 0), QString());
    EXPECT_EQ(Cell(2, 0), QStringLiteral("Contacts"));
    EXPECT_EQ(grid->currentIndex().row(), 1);
    EXPECT_EQ(form->Settings().captions.CurrentRow(), 2);

    SelectCell(3, 0);  // "Products"
    form->captionListPage->DeleteCaptionButton->click();
    EXPECT_EQ(model->rowCount(), 7);
    EXPECT_EQ(Cell(3, 0), QStringLiteral("Services"));
    EXPECT_EQ(form->Settings().captions.Cell(4, 0), QStringLiteral("Services"));
}

TEST_F(CaptionListPageTest, EnterOnTheLastRowAppendsARow) {
    SelectCell(6, 0);
    QTest::keyClick(grid, Qt::Key_Return);
    ASSERT_EQ(model->rowCount(), 8);
    EXPECT_EQ(grid->currentIndex().row(), 7);
    SelectCell(2, 0);
    QTest::keyClick(grid, Qt::Key_Return);
    EXPECT_EQ(model->rowCount(), 8);
}

TEST_F(CaptionListPageTest, TypedTextReachesTheListAndIsCutOnTheNextKey) {
    SelectCell(1, 0);
    QTest::keyClick(grid, 'S');  // typing opens the cell's editor
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(grid->isAncestorOf(editor));
    QTest::keyClicks(editor, "hop");
    EXPECT_EQ(form->Settings().captions.Cell(2, 0), QStringLiteral("Shop"));
    QTest::keyClicks(editor, QString(247, 'x'));
    EXPECT_EQ(form->Settings().captions.Cell(2, 0).size(), 251);
    QTest::keyClick(editor, Qt::Key_End);
    EXPECT_EQ(form->Settings().captions.Cell(2, 0).size(), 250);
    EXPECT_EQ(editor->text().size(), 250);

    // Saving writes what the user sees.
    form->close();
    QFile dat(dir.path() + "/KSDATA/PROJECTS/kestro.dat");
    ASSERT_TRUE(dat.open(QIODevice::ReadOnly));
    EXPECT_TRUE(dat.readAll().contains("100,Shop" + QByteArray(246, 'x') + "\r\n"));
}

TEST_F(CaptionListPageTest, NameSettingsRecalculateTheList) {
    app::Tadvancedform& adv = form->AdvancedForm();
    adv.enforce83CheckBox->click();
    EXPECT_EQ(Cell(2, 1), QStringLiteral("u_produc.gif"));
    adv.filenamestyleComboBox->setCurrentIndex(0);
    emit adv.filenamestyleComboBox->activated(0);
    EXPECT_EQ(Cell(2, 1), QStringLiteral("U_Produc.GIF"));
    form->secondbuttonCheckBox[0]->click();
    EXPECT_EQ(Cell(0, 2), QStringLiteral("<Type 2 buttons are disabled>"));
    EXPECT_EQ(Cell(6, 2), QStringLiteral("<Type 2 buttons are disabled>"));
}

TEST_F(CaptionListPageTest, IntegerFieldsAndArrowsMoveTheModelTogether) {
    app::ButtonsTypeControls& type1 = form->buttonsPage->type[settings::kType1];
    EXPECT_EQ(type1.widthField.edit->text(), QStringLiteral("100"));
    EXPECT_EQ(type1.widthField.arrows->Position(), 100);
    EXPECT_EQ(type1.heightField.edit->Min(), -2000);
    EXPECT_EQ(type1.widthField.edit->Min(), 0);
    EXPECT_EQ(form->buttonsPage->type[settings::kType2].widthField.edit->Min(), -2000);
    form->Timer1->stop();

    type1.widthField.edit->setFocus();
    type1.widthField.edit->setCursorPosition(3);
    QTest::keyClicks(type1.widthField.edit, "7");
    EXPECT_EQ(form->Settings().button[settings::kType1].width, QStringLiteral("1007"));
    EXPECT_EQ(type1.widthField.arrows->Position(), 1007);
    EXPECT_TRUE(form->Timer1->isActive());  // size fields refresh through the timer

    type1.heightField.arrows->StepUp();
    EXPECT_EQ(type1.heightField.edit->text(), QStringLiteral("31"));
    EXPECT_EQ(form->Settings().button[settings::kType1].height, QStringLiteral("31"));

    // The offset fields show only with the fixed-offset alignment.
    EXPECT_TRUE(form->alignmentPage->type[settings::kType1].TopOffsetField.edit->isHidden());
    form->Settings().button[settings::kType1].verticalMode = settings::kFixedOffsetAlignment;
    form->SettingsToControls();
    EXPECT_FALSE(form->alignmentPage->type[settings::kType1].TopOffsetField.edit->isHidden());
    EXPECT_TRUE(form->alignmentPage->type[settings::kType1].TopOffsetField.label->isEnabled());

    // A keystroke's conversion error reaches the status bar.
    type1.heightField.edit->setText("-5");
    type1.heightField.edit->setCursorPosition(0);
    QTest::keyClick(type1.heightField.edit, Qt::Key_Minus);
    EXPECT_EQ(form->StatusText(), QStringLiteral("'--5' is not a valid integer value"));
}

namespace {

QStringList Captions(const QAbstractItemModel* model) {
    QStringList captions;
    for (int r = 0; r < model->rowCount(); ++r) {
        captions << model->index(r, 0).data().toString();
    }
    return captions;
}

}  // namespace

TEST_F(CaptionListPageTest, DeleteCaptionRemovesTheRowClickedInTheGrid) {
    const QStringList all = {"Home", "Contacts", "Products", "Services", "Support", "Search", "Links"};
    // First, middle and last row, each clicked with the mouse in a fresh list; then the button.
    for (const int clicked : {0, 4, 6}) {
        form->Settings().captions.SetRowCount(static_cast<int>(all.size()) + 1);
        for (int r = 0; r < all.size(); ++r) {
            form->Settings().captions.SetCell(r + 1, 0, all[r]);
        }
        form->SettingsToControls();
        ASSERT_EQ(Captions(model), all);
        const QRect cell = grid->visualRect(model->index(clicked, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        ASSERT_EQ(grid->currentIndex().row(), clicked);
        QTest::mouseClick(form->captionListPage->DeleteCaptionButton, Qt::LeftButton);

        QStringList expected = all;
        expected.removeAt(clicked);
        EXPECT_EQ(Captions(model), expected) << "clicked row " << clicked;
        // The row that took its place, or the new last row, is current, in the view and the list.
        const int current = std::min(clicked, static_cast<int>(expected.size()) - 1);
        EXPECT_EQ(grid->currentIndex().row(), current);
        EXPECT_EQ(form->Settings().captions.CurrentRow(), current + 1);

        // Pressed again, it deletes that row.
        QTest::mouseClick(form->captionListPage->DeleteCaptionButton, Qt::LeftButton);
        expected.removeAt(current);
        EXPECT_EQ(Captions(model), expected) << "clicked row " << clicked;
    }
}

TEST_F(CaptionListPageTest, EnterInTheLastRowsEditorAddsOneRowAndKeepsTheCaption) {
    SelectCell(6, 0);
    QTest::keyClick(grid, 'N');  // typing opens the cell's editor
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "ews");
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();  // the editor closes after the key
    ASSERT_EQ(model->rowCount(), 8);
    EXPECT_EQ(Cell(6, 0), QStringLiteral("News"));
    EXPECT_EQ(Cell(7, 0), QString());
    EXPECT_EQ(grid->currentIndex().row(), 7);
    EXPECT_EQ(form->Settings().captions.CurrentRow(), 8);

    // Enter in the editor of a row that is not the last adds nothing.
    SelectCell(2, 0);
    QTest::keyClick(grid, 'P');
    editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(model->rowCount(), 8);
    EXPECT_EQ(Cell(2, 0), QStringLiteral("P"));
}

TEST_F(CaptionListPageTest, TypingRightAfterClickingTheHighlightedCellKeepsEveryKey) {
    const QRect cell = grid->visualRect(model->index(4, 0));  // "Support"
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    // A second click into the now highlighted cell, and typing at once.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::keyClick(grid, 'N');
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "ews");
    // Whatever the click would have started has run by now.
    QTest::qWait(QApplication::doubleClickInterval() + 50);
    EXPECT_EQ(Cell(4, 0), QStringLiteral("News"));
    EXPECT_EQ(form->Settings().captions.Cell(5, 0), QStringLiteral("News"));
}

namespace {

// Runs `choose` on the pop-up menu that `open` shows, once the menu is up.
void ChooseFromMenu(const std::function<void()>& open, const QString& item) {
    bool chosen = false;
    QTimer::singleShot(0, [&chosen, item] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        ASSERT_NE(menu, nullptr);
        for (QAction* action : menu->actions()) {
            if (action->text().startsWith(item) && action->isEnabled()) {
                chosen = true;
                action->trigger();
            }
        }
        menu->close();
    });
    QWidget* window = QApplication::activeWindow();
    open();
    EXPECT_TRUE(chosen) << item.toStdString();
    QApplication::setActiveWindow(window);  // the closed menu leaves no window active
}

void ContextMenuOn(QWidget* widget, QPoint pos) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, widget->mapToGlobal(pos));
    QApplication::sendEvent(widget, &event);
}

}  // namespace

TEST_F(CaptionListPageTest, CtrlVOnTheGridPastesOneCaptionPerLineFromTheCurrentRow) {
    form->captionListPage->CalculateFilenamesButton->click();
    QGuiApplication::clipboard()->setText(QStringLiteral(
        "Home\r\nÜber uns\r\n\r\n   \r\nKontakt\tu_kontakt.gif\td_kontakt.gif\r\nFAQ?\t/faq/\r\n"));
    SelectCell(5, 0);  // "Search"
    QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);

    ASSERT_EQ(model->rowCount(), 9);
    EXPECT_EQ(Captions(model), (QStringList{"Home", "Contacts", "Products", "Services", "Support", "Home",
                                            QStringLiteral("Über uns"), "Kontakt", "FAQ?"}));
    EXPECT_EQ(form->Settings().captions.Cell(9, 0), QStringLiteral("FAQ?"));
    // Three cells fill the columns in their order; a caption and one more cell are a caption and its
    // link, as in a captions file.
    EXPECT_EQ(Cell(7, 1), QStringLiteral("u_kontakt.gif"));
    EXPECT_EQ(Cell(7, 2), QStringLiteral("d_kontakt.gif"));
    EXPECT_EQ(Cell(7, 4), QString());
    EXPECT_EQ(Cell(8, 4), QStringLiteral("/faq/"));
    // Names stay as they were, as when a caption is typed over: the next recalculation names them.
    EXPECT_EQ(Cell(5, 1), QStringLiteral("u_search.gif"));
    EXPECT_EQ(Cell(8, 1), QString());
    // The pasted cells are selected, the first of them current.
    EXPECT_EQ(grid->currentIndex(), model->index(5, 0));
    EXPECT_EQ(form->Settings().captions.CurrentRow(), 6);
    const QModelIndexList selected = grid->selectionModel()->selectedIndexes();
    EXPECT_EQ(selected.size(), 7);
    EXPECT_TRUE(grid->selectionModel()->isSelected(model->index(7, 2)));
    EXPECT_TRUE(grid->selectionModel()->isSelected(model->index(8, 4)));
    EXPECT_FALSE(grid->selectionModel()->isSelected(model->index(8, 1)));
    EXPECT_FALSE(grid->selectionModel()->isSelected(model->index(4, 0)));

    // A single line on the grid replaces the current cell; from a name column it stays a name.
    QGuiApplication::clipboard()->setText(QStringLiteral("news.htm\n"));
    SelectCell(1, 3);
    QTest::keyClick(grid, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Cell(1, 3), QStringLiteral("news.htm"));
    EXPECT_EQ(Cell(1, 0), QStringLiteral("Contacts"));
    EXPECT_EQ(model->rowCount(), 9);

    // Saved as the user sees it.
    form->close();
    QFile dat(dir.path() + "/KSDATA/PROJECTS/kestro.dat");
    ASSERT_TRUE(dat.open(QIODevice::ReadOnly));
    const QByteArray saved = dat.readAll();
    EXPECT_TRUE(saved.contains("Kontakt\r\n")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("100,FAQ?\r\n101,\r\n102,\r\n103,\r\n104,/faq/\r\n"));
}

TEST_F(CaptionListPageTest, TheLinkColumnIsTypedLikeTheOthersAndTheFiveColumnsShareTheGridsWidth) {
    SelectCell(0, 4);
    QTest::keyClick(grid, '#');  // typing opens the cell's editor
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, "top");
    EXPECT_EQ(form->Settings().captions.Cell(1, 4), QStringLiteral("#top"));
    // A link is no file name: it is cut at 2048 characters, not 40.
    editor->insert(QString(2050, 'l'));
    QTest::keyClick(editor, Qt::Key_End);
    EXPECT_EQ(form->Settings().captions.Cell(1, 4), "#top" + QString(2044, 'l'));
    EXPECT_EQ(editor->text().size(), 2048);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(Cell(0, 4).size(), 2048);
    EXPECT_EQ(Cell(0, 0), QStringLiteral("Home"));

    // The five columns share the grid's width, each header whole even in the bold it takes while a
    // cell of its column is selected.
    const QHeaderView* header = grid->horizontalHeader();
    QFont bold = header->font();
    bold.setBold(true);
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    int total = 0;
    for (int c = 0; c < 5; ++c) {
        const QString text = model->headerData(c, Qt::Horizontal).toString();
        EXPECT_LE(QFontMetrics(bold).horizontalAdvance(text) + 2 * margin, header->sectionSize(c)) << c;
        total += header->sectionSize(c);
    }
    EXPECT_LE(total, grid->viewport()->width());
    EXPECT_GE(total, grid->viewport()->width() - 4);
    // The Link column, whose header needs the least, takes an equal share of what the others leave.
    for (int c = 0; c < 4; ++c) {
        EXPECT_GE(header->sectionSize(c), header->sectionSize(4)) << c;
    }
    EXPECT_GE(header->sectionSize(4), 100);

    // The link is saved after its row's page name.
    form->close();
    QFile dat(dir.path() + "/KSDATA/PROJECTS/kestro.dat");
    ASSERT_TRUE(dat.open(QIODevice::ReadOnly));
    EXPECT_TRUE(dat.readAll().contains("100,Home\r\n101,\r\n102,\r\n103,\r\n104,#top" +
                                       QByteArray(2044, 'l') + "\r\n100,Contacts\r\n"));
}

TEST_F(CaptionListPageTest, CtrlVInACellEditorPastesLinesIntoRowsAndOneLineIntoTheText) {
    SelectCell(1, 0);
    QTest::keyClick(grid, 'S');
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    // One line goes into the editor's text at the caret, as in any field.
    QGuiApplication::clipboard()->setText(QStringLiteral("hop"));
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor->text(), QStringLiteral("Shop"));
    EXPECT_EQ(Cell(1, 0), QStringLiteral("Shop"));
    EXPECT_EQ(model->rowCount(), 7);

    // Several lines close the editor and fill the rows from its cell on.
    const QStringList seven = {"Home", QStringLiteral("Über uns"), "Produkte", "Dienste", "Hilfe", "Suche",
                               "FAQ?"};
    QGuiApplication::clipboard()->setText(seven.join('\n'));
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
    QApplication::processEvents();  // the closed editor goes
    EXPECT_EQ(QApplication::focusWidget(), grid);
    for (const QLineEdit* closed : grid->findChildren<QLineEdit*>()) {
        EXPECT_FALSE(closed->isVisible());
    }
    ASSERT_EQ(model->rowCount(), 8);
    EXPECT_EQ(Captions(model), QStringList{"Home"} + seven);
    EXPECT_EQ(grid->currentIndex(), model->index(1, 0));
}

TEST_F(CaptionListPageTest, TheContextMenusPasteAsCtrlVDoes) {
    QGuiApplication::clipboard()->setText(QStringLiteral("One\nTwo"));
    SelectCell(6, 0);  // "Links", the last row
    ChooseFromMenu([this] { ContextMenuOn(grid->viewport(), grid->visualRect(model->index(6, 0)).center()); },
                   QStringLiteral("&Paste"));
    ASSERT_EQ(model->rowCount(), 8);
    EXPECT_EQ(Cell(6, 0), QStringLiteral("One"));
    EXPECT_EQ(Cell(7, 0), QStringLiteral("Two"));

    // The cell editor's own menu: its Paste fills rows too.
    SelectCell(0, 1);
    QTest::keyClick(grid, 'x');
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QGuiApplication::clipboard()->setText(QStringLiteral("u_a.gif\td_a.gif\nu_b.gif\td_b.gif\n"));
    ChooseFromMenu([editor] { ContextMenuOn(editor, editor->rect().center()); }, QLineEdit::tr("&Paste"));
    QApplication::processEvents();
    EXPECT_EQ(model->rowCount(), 8);
    EXPECT_EQ(Cell(0, 1), QStringLiteral("u_a.gif"));
    EXPECT_EQ(Cell(0, 2), QStringLiteral("d_a.gif"));
    EXPECT_EQ(Cell(1, 2), QStringLiteral("d_b.gif"));
    EXPECT_EQ(Cell(0, 0), QStringLiteral("Home"));

    // With one line it pastes into the editor's text.
    SelectCell(2, 0);
    QTest::keyClick(grid, 'A');
    editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QGuiApplication::clipboard()->setText(QStringLiteral("bout"));
    ChooseFromMenu([editor] { ContextMenuOn(editor, editor->rect().center()); }, QLineEdit::tr("&Paste"));
    EXPECT_EQ(editor->text(), QStringLiteral("About"));
    EXPECT_EQ(Cell(2, 0), QStringLiteral("About"));
}
