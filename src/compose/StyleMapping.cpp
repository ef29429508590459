#include "compose/StyleMapping.h"

#include <cmath>
#include <stdexcept>

namespace compose {

render::TLumo3DKind BorderStyleKind(const QString& text) {
    if (text == QLatin1String("Simple 3D"))
        return render::dk3dsimple;
    if (text == QLatin1String("3D Border"))
        return render::dk3dBorder;
    if (text == QLatin1String("Flatten"))
        return render::dkFlatten;
    if (text == QLatin1String("Flatten Simple"))
        return render::dkFlattenSimple;
    if (text == QLatin1String("3D Border Flatten"))
        return render::dk3dBorderFlatten;
    return render::dkNone;
}

render::TLumoCaption3dKind CaptionKind(settings::CaptionEffect effect) {
    switch (effect) {
        case settings::CaptionEffect::Embossed:
            return render::ckEmbossed;
        case settings::CaptionEffect::Pressed:
            return render::ckPressed;
        case settings::CaptionEffect::Standard:
        default:
            return render::ckSimple;
    }
}

render::TLumoVAlign VerticalAlign(int mode) {
    switch (mode) {
        case 0:
            return render::vaBottom;
        case 2:
            return render::vaNone;
        case 3:
            return render::vaTop;
        default:
            return render::vaCenter;
    }
}

render::TLumoHAlign HorizontalAlign(int mode) {
    switch (mode) {
        case 1:
            return render::haLeft;
        case 2:
            return render::haNone;
        case 3:
            return render::haRight;
        default:
            return render::haCenter;
    }
}

QFont CaptionFont(const settings::ButtonStyle& style, QFont font) {
    font.setFamily(style.fontName);
    if (const std::optional<int> points = settings::FontSizePoints(style.fontSizeText)) {
        font.setPixelSize(std::max(1, static_cast<int>(std::lround(*points * 96.0 / 72.0))));
    }
    font.setBold(style.bold);
    font.setItalic(style.italic);
    font.setUnderline(style.underline);
    return font;
}

QString BitmapUnreadableMessage(const QString& path) {
    return QStringLiteral("The bitmap file \"%1\" could not be read.").arg(path);
}

QImage LoadBitmapFile(const QString& path) {
    QImage image(path);
    if (image.isNull()) {
        throw std::runtime_error(BitmapUnreadableMessage(path).toStdString());
    }
    return image;
}

}  // namespace compose
