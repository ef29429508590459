#pragma once

#include <QDialog>

#include "settings/AppSettings.h"

class QCheckBox;
class QComboBox;
class QPushButton;

namespace app {

// The advanced options dialog: 8.3 names, status reports, file name style, copying type 1 onto
// type 2 on re-enabling, smooth caption edges, dithered GIF colours, twice-size images for
// high-density screens, pressed images and the contrast and size check. It lives as long as the main
// window and shows the settings model.
class Tadvancedform : public QDialog {
  public:
    Tadvancedform(settings::AppSettings& settings, QWidget* parent);

    // Brings the controls in line with the model.
    void SettingsToControls();
    // The 2× choice can be made only without 8.3 names; its hint says why when it cannot.
    void ShowScale2xState();

    QCheckBox* enforce83CheckBox = nullptr;
    QCheckBox* generatefilestatusreportsCheckBox = nullptr;
    QComboBox* filenamestyleComboBox = nullptr;
    QCheckBox* copybutton1CheckBox = nullptr;
    QCheckBox* smoothcaptionsCheckBox = nullptr;
    QCheckBox* dithergifCheckBox = nullptr;
    QCheckBox* checkaccessCheckBox = nullptr;
    QCheckBox* scale2xCheckBox = nullptr;
    QCheckBox* pressedimagesCheckBox = nullptr;
    QPushButton* BitBtn1 = nullptr;

  private:
    settings::AppSettings& settings_;
    bool syncing_ = false;
};

}  // namespace app
