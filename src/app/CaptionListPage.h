#pragma once

#include "app/SettingsPage.h"

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
    // The four columns share the grid's width.
    void SizeCaptionColumns();

    QTableView* CaptionStringGrid = nullptr;
    QPushButton* AddCaptionButton = nullptr;
    QPushButton* DeleteCaptionButton = nullptr;
    QPushButton* CalculateFilenamesButton = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void SelectCaptionRow(int gridRow);

    CaptionGridModel* captionModel_ = nullptr;
};

}  // namespace app
