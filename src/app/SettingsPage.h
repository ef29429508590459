#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "app/PageControls.h"
#include "settings/AppSettings.h"

class QCheckBox;
class QBoxLayout;
class QGridLayout;
class QGroupBox;

namespace app {

class TForm1;

// One page of the main window's notebook: it builds its controls, runs their handlers over the
// settings model and brings its controls in line with the model when code changes it.
class TSettingsPage : public QWidget {
  public:
    TSettingsPage(TForm1& form, QWidget* parent);

    // Brings the page's controls in line with the settings model.
    virtual void SettingsToControls() = 0;

  protected:
    // Connects a control's signal to a handler body. The body runs guarded (an error goes into the
    // status bar) and not while code brings the controls in line with the model.
    template <typename Sender, typename Signal>
    void On(Sender* sender, Signal signal, std::function<void()> body) {
        connect(sender, signal, this, [this, body = std::move(body)] { RunHandler(body); });
    }
    void RunHandler(const std::function<void()>& body);

    // The colour dialog for one colour setting, opening on the setting's current colour. A chosen
    // colour is stored and fills the swatch; the previews are refreshed, chosen or not.
    void ChooseColour(QString& setting, settings::ColourValue current, const ColourSwatch& swatch);

    settings::AppSettings& Settings() const;
    settings::ButtonStyle& Style(int type) const;
    // Makes an integer field of a button type that keeps `field` of the model in step with its text
    // and then runs `onChange`.
    IntegerFieldControls AddIntegerField(int type, QWidget* parent, const QString& label, const QString& hint,
                                         platform::IntegerRange range, QString settings::ButtonStyle::*field,
                                         std::function<void()> onChange);

    TForm1& form_;
};

// A page with the type 1 panel above the type 2 panel; the type 2 panel carries its "Disable this
// button ?" box.
class TTypePanelsPage : public TSettingsPage {
  public:
    TTypePanelsPage(TForm1& form, QWidget* parent, const QString& title1, const QString& title2);

    std::array<QGroupBox*, 2> panels{};
    QCheckBox* secondbuttonCheckBox = nullptr;

  protected:
    QGridLayout* Grid(int type) const;
    // Adds the type 2 panel's "Disable this button ?" box to a free grid cell, after the panel's
    // other controls (so it comes last in the tab order).
    void AddDisableBox(int row, int column);
    // The same at the end of one of the type 2 panel's rows.
    void AddDisableBox(QBoxLayout* row);
    // The grid column that takes the panel's spare width.
    static constexpr int kStretchColumn = 8;
};

}  // namespace app
