#include "app/AdvancedForm.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "app/HintTracker.h"
#include "settings/SettingsLists.h"

namespace app {

Tadvancedform::Tadvancedform(settings::AppSettings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setWindowTitle(QStringLiteral("Plumeric Advanced Options"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    enforce83CheckBox = new QCheckBox(QStringLiteral("Enforce 8,3 style filenames ?"), this);
    generatefilestatusreportsCheckBox = new QCheckBox(QStringLiteral("Generate file status reports ?"), this);
    filenamestyleComboBox = new QComboBox(this);
    filenamestyleComboBox->addItems(settings::FilenameStyleTexts());
    copybutton1CheckBox =
        new QCheckBox(QStringLiteral("Copy button 1 settings when button 2 is re-enabled ?"), this);
    smoothcaptionsCheckBox = new QCheckBox(QStringLiteral("Smooth caption edges"), this);
    SetHint(smoothcaptionsCheckBox,
            QStringLiteral("Draw the captions with smoothed (anti-aliased) edges instead of hard pixels."));
    dithergifCheckBox = new QCheckBox(QStringLiteral("Dither GIF colours"), this);
    SetHint(
        dithergifCheckBox,
        QStringLiteral("Mix the web colours of GIF files in fine patterns so that gradients do not band."));
    scale2xCheckBox =
        new QCheckBox(QStringLiteral("Also write images for high-density screens (2\u00d7)"), this);
    pressedimagesCheckBox = new QCheckBox(QStringLiteral("Also write pressed images"), this);
    SetHint(pressedimagesCheckBox,
            QStringLiteral("Also save every button as it looks pressed, named with the pressed prefix of the "
                           "File page; the CSS rollover page shows it while a button is held down."));
    checkaccessCheckBox = new QCheckBox(QStringLiteral("Check contrast and size"), this);
    SetHint(checkaccessCheckBox,
            QStringLiteral("Measure every button's caption contrast and size against the rules for web pages "
                           "(WCAG 2.2 AA) in the previews, the status bar and the report."));
    BitBtn1 = new QPushButton(QStringLiteral("&OK"), this);
    layout->addWidget(enforce83CheckBox);
    layout->addWidget(generatefilestatusreportsCheckBox);
    layout->addWidget(new QLabel(QStringLiteral("Filename style"), this));
    layout->addWidget(filenamestyleComboBox);
    layout->addWidget(copybutton1CheckBox);
    layout->addWidget(smoothcaptionsCheckBox);
    layout->addWidget(dithergifCheckBox);
    layout->addWidget(scale2xCheckBox);
    layout->addWidget(pressedimagesCheckBox);
    layout->addWidget(checkaccessCheckBox);
    layout->addWidget(BitBtn1, 0, Qt::AlignRight);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(enforce83CheckBox, &QCheckBox::toggled, this, [this](bool on) {
        settings_.enforce83 = on;
        ShowScale2xState();
    });
    connect(scale2xCheckBox, &QCheckBox::toggled, this, [this](bool on) { settings_.scale2x = on; });
    connect(generatefilestatusreportsCheckBox, &QCheckBox::toggled, this,
            [this](bool on) { settings_.statusReports = on; });
    connect(copybutton1CheckBox, &QCheckBox::toggled, this,
            [this](bool on) { settings_.copyOnReEnable = on; });
    connect(smoothcaptionsCheckBox, &QCheckBox::toggled, this,
            [this](bool on) { settings_.smoothCaptions = on; });
    connect(dithergifCheckBox, &QCheckBox::toggled, this, [this](bool on) { settings_.ditherGif = on; });
    connect(pressedimagesCheckBox, &QCheckBox::toggled, this,
            [this](bool on) { settings_.pressedImages = on; });
    connect(checkaccessCheckBox, &QCheckBox::toggled, this, [this](bool on) { settings_.checkAccess = on; });
    connect(filenamestyleComboBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!syncing_) {
            settings_.filenameStyle = index;
        }
    });
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void Tadvancedform::SettingsToControls() {
    syncing_ = true;
    enforce83CheckBox->setChecked(settings_.enforce83);
    generatefilestatusreportsCheckBox->setChecked(settings_.statusReports);
    filenamestyleComboBox->setCurrentIndex(settings_.filenameStyle);
    copybutton1CheckBox->setChecked(settings_.copyOnReEnable);
    smoothcaptionsCheckBox->setChecked(settings_.smoothCaptions);
    dithergifCheckBox->setChecked(settings_.ditherGif);
    scale2xCheckBox->setChecked(settings_.scale2x);
    pressedimagesCheckBox->setChecked(settings_.pressedImages);
    checkaccessCheckBox->setChecked(settings_.checkAccess);
    ShowScale2xState();
    syncing_ = false;
}

void Tadvancedform::ShowScale2xState() {
    // A twice-size image is named with "@2x", which no 8.3 name has room for.
    const bool possible = !settings_.enforce83;
    scale2xCheckBox->setEnabled(possible);
    SetHint(scale2xCheckBox,
            possible ? QStringLiteral("Also save every button a second time at twice its size, named with "
                                      "\"@2x\", for high-density screens.")
                     : QStringLiteral("Not available with 8,3 style filenames: a name with \"@2x\" "
                                      "is no 8,3 name, so no 2\u00d7 images are written."));
}

}  // namespace app
