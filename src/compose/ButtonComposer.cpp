#include "compose/ButtonComposer.h"

#include <map>

#include "compose/BackgroundBitmap.h"
#include "compose/FaceSettings.h"
#include "platform/Paths.h"
#include "settings/ColourString.h"

namespace compose {

TButtonComposer::TButtonComposer(settings::AppSettings& settings)
    : settings_(settings), faces_{InitialFace(), InitialFace()} {}

TButtonComposer::~TButtonComposer() = default;

face::FaceProperties TButtonComposer::InitialFace() {
    face::FaceProperties p;
    p.buttonAngle = 0;
    p.buttonWidth = 89;
    p.buttonHeight = 17;
    p.captionAngle = 0;
    p.buttonColor = face::clBlack;
    p.button3DKind = face::dkNone;
    p.buttonDepth = 0;
    p.transparent = false;
    p.bitmapTop = 0;
    p.bitmapLeft = 0;
    p.bitmapHAlign = face::haNone;
    p.bitmapVAlign = face::vaNone;
    p.userRgnAuto = true;
    p.captionFixed = false;
    p.buttonColor1 = face::clBlack;
    p.caption3dKind = face::ckSimple;
    p.font = QFont(QStringLiteral("Times New Roman"));
    p.font.setPixelSize(11);
    p.fontColor = face::clBlack;
    return p;
}

const face::FaceProperties& TButtonComposer::Face(int type) const {
    return faces_[type == settings::kType1 ? 0 : 1];
}

void TButtonComposer::ApplyType(int type, const QString& caption, const QImage* bitmap) {
    face::FaceProperties& p = faces_[type == settings::kType1 ? 0 : 1];
    if (ApplyStyle(p, settings_.button[static_cast<std::size_t>(type)], settings_.smoothCaptions, caption,
                   bitmap, lastBitmapSize_) &&
        OnSettingsChanged) {
        OnSettingsChanged(type);
    }
}

void TButtonComposer::ApplyButtonSettings(const QString& caption1, const QString& caption2) {
    for (const int type : {settings::kType1, settings::kType2}) {
        const settings::ButtonStyle& s = settings_.button[static_cast<std::size_t>(type)];
        // A missing file leaves the face the bitmap it has.
        QImage bitmap;
        const bool read = settings::UsesBitmapFile(s.backgroundMode) && !s.bitmapFile.isEmpty() &&
                          platform::FileExists(s.bitmapFile);
        if (read) {
            bitmap = LoadBitmapFile(s.bitmapFile);
        }
        ApplyType(type, type == settings::kType1 ? caption1 : caption2, read ? &bitmap : nullptr);
    }
}

std::shared_ptr<const output::BatchFaces> TButtonComposer::PlanBatch() {
    const int types = settings_.secondbuttonEnabled ? 2 : 1;
    // Each file is read once, also when both types name it.
    std::map<QString, BackgroundBitmap> read;
    std::array<BatchPlan::TypePlan, 2> plans;
    for (int type = settings::kType1; type < settings::kType1 + 2; ++type) {
        const settings::ButtonStyle& s = settings_.button[static_cast<std::size_t>(type)];
        BatchPlan::TypePlan& plan = plans[static_cast<std::size_t>(type)];
        const QImage* bitmap = nullptr;
        if (type < types && settings::UsesBitmapFile(s.backgroundMode)) {
            auto found = read.find(s.bitmapFile);
            if (found == read.end()) {
                found = read.emplace(s.bitmapFile, ReadBackgroundBitmap(s.bitmapFile)).first;
            }
            const BackgroundBitmap& b = found->second;
            if (!b.unreadable.isEmpty()) {
                plan.unreadable = b.unreadable;
                plan.failure = BitmapUnreadableMessage(s.bitmapFile);
            } else if (!b.notAPicture.isEmpty()) {
                plan.failure = b.notAPicture;
            } else {
                bitmap = &b.picture;
            }
        }
        ApplyType(type, settings_.testCaption, bitmap);
        plan.face = Face(type);
        plan.style = s;
        plan.bitmapSize = lastBitmapSize_;
    }
    plan_ =
        std::make_shared<const BatchPlan>(std::move(plans), settings_.smoothCaptions, settings_.fileType,
                                          settings::ColourFromStringLenient(settings_.htmlBackgroundColour));
    return plan_;
}

}  // namespace compose
