#pragma once

#include "app/SettingsPage.h"

class QLineEdit;
class QMenu;
class QPushButton;
class QTableView;

namespace app {

class CaptionGridModel;

// "Caption &List": the caption grid and its three buttons.
class TCaptionListPage : public TSettingsPage {
  public:
    TCaptionListPage(TForm1& form, QWidget* parent);

    void SettingsToControls() override;

    // Handlers.
    void AddCaptionButtonClick();
    void DeleteCaptionButtonClick();
    void CalculateFilenamesButtonClick();
    // Runs before every key pressed in the caption grid takes effect, also while a cell is edited.
    void CaptionStringGridKeyDown(int key);
    // Recalculates the file names of the caption list and shows them.
    void RecalculateCaptionFilenames();
    // The five columns share the grid's width.
    void SizeCaptionColumns();
    // Paste on the grid, or in the open cell editor `editor`: text of several lines (or of several
    // tab-separated cells) fills consecutive rows and the columns after the current cell; on the
    // grid a single cell replaces the current cell's text. Answers false when the editor is to paste
    // the text itself, as it would into any field.
    bool PasteCaptions(QLineEdit* editor = nullptr);
    // The grid's own context menu, with "&Paste".
    QMenu* MakeGridMenu();

    QTableView* CaptionStringGrid = nullptr;
    QPushButton* AddCaptionButton = nullptr;
    QPushButton* DeleteCaptionButton = nullptr;
    QPushButton* CalculateFilenamesButton = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void SelectCaptionRow(int gridRow);
    // The cell editor's context menu: the standard one, whose Paste pastes as Ctrl+V does.
    void ShowEditorMenu(QLineEdit* editor, const QPoint& globalPos);

    CaptionGridModel* captionModel_ = nullptr;
};

}  // namespace app
