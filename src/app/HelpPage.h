#pragma once

#include "app/SettingsPage.h"

class QPushButton;
class QTextEdit;

namespace app {

// "H&elp": the welcome text, the large picture with the small one that blinks over it, and
// "&View Help File".
class THelpPage : public TSettingsPage {
  public:
    static constexpr int kSmallPictureX = 68;
    static constexpr int kSmallPictureY = 80;

    THelpPage(TForm1& form, QWidget* parent);

    void SettingsToControls() override {}

    QTextEdit* welcomeText = nullptr;
    QLabel* Image4 = nullptr;  // the large picture
    QLabel* Image7 = nullptr;  // the small picture, 33 x 24, hidden at first
    QPushButton* ViewHelpButton = nullptr;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace app
