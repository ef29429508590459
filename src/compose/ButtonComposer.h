#pragma once

#include <QImage>
#include <QString>
#include <array>
#include <functional>
#include <memory>

#include "output/ButtonRenderer.h"
#include "settings/AppSettings.h"

namespace render {
class TLumoButton;
}  // namespace render

namespace compose {

// The road from the settings model to finished button faces: applies both types' settings to two
// buttons and copies their faces. It reads the settings model only; where applying the settings
// changes a setting (an empty size field counts as 0 and then shows "0"), it writes the model and
// tells OnSettingsChanged, so whoever shows the model can bring its controls in line.
class TButtonComposer : public output::ButtonRenderer {
  public:
    // Renders with two buttons the caller owns and shows (the main window's previews).
    TButtonComposer(settings::AppSettings& settings, render::TLumoButton& button1,
                    render::TLumoButton& button2);
    // Renders with two hidden buttons of its own.
    explicit TButtonComposer(settings::AppSettings& settings);
    ~TButtonComposer() override;

    TButtonComposer(const TButtonComposer&) = delete;
    TButtonComposer& operator=(const TButtonComposer&) = delete;

    // Gives a button the properties every rendering button starts with.
    static void PrepareButton(render::TLumoButton& button);

    void ApplyButtonSettings(const QString& caption1, const QString& caption2) override;
    QImage CaptureButton(int type) override;
    QList<QSize> FaceSizes(int type, const QStringList& captions) override;

    // The type's button: kType1 or kType2.
    render::TLumoButton& Button(int type) const;
    // The capture picture: the last face captured, or the last mode-0 bitmap that was loaded.
    const QImage& TempImage() const { return tempImage_; }

    // Called with the type whose size texts ApplyButtonSettings rewrote.
    std::function<void(int type)> OnSettingsChanged;
    // Called with the button whose face is about to be copied.
    std::function<void(render::TLumoButton& button)> OnCapture;

  private:
    void ApplyTypeSettings(int type, const QString& caption);

    settings::AppSettings& settings_;
    std::array<std::unique_ptr<render::TLumoButton>, 2> ownButtons_;
    std::array<render::TLumoButton*, 2> buttons_{};
    QImage tempImage_;
};

}  // namespace compose
