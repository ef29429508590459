#include "settings/SettingsLists.h"

#include <QRegularExpression>

namespace settings {

QStringList BackgroundModeTexts() {
    return {
        QStringLiteral("Use a predefined bitmap file - button size equals bitmap size"),
        QStringLiteral("Use a solid background colour - fix each button to a custom size"),
        QStringLiteral("Use a predefined bitmap - fix each button to a custom size"),
        QStringLiteral("Use a predefined bitmap file with smart sizing "),
        QStringLiteral("Use a solid background colour with smart sizing"),
    };
}

QStringList BorderDepthTexts() {
    QStringList texts{QStringLiteral("No border")};
    for (int depth = 1; depth < kBorderDepthCount; ++depth) {
        texts.append(QStringLiteral("%1 Pixel Border").arg(depth));
    }
    return texts;
}

QStringList BorderStyleTexts() {
    return {QStringLiteral("Simple 3D"),      QStringLiteral("3D Border"),
            QStringLiteral("None"),           QStringLiteral("Flatten"),
            QStringLiteral("Flatten Simple"), QStringLiteral("3D Border Flatten")};
}

QStringList FontSizeTexts() {
    QStringList texts;
    for (int i = 0; i < kFontSizeCount; ++i) {
        texts.append(QString::number(kSmallestFontSize + i));
    }
    return texts;
}

QStringList VerticalAlignmentTexts() {
    return {QStringLiteral("Bottom"), QStringLiteral("Centre"), QStringLiteral("Use Fixed Vertical Offset"),
            QStringLiteral("Top")};
}

QStringList HorizontalAlignmentTexts() {
    return {QStringLiteral("Centre"), QStringLiteral("Left"), QStringLiteral("Use Fixed Horizontal Offset"),
            QStringLiteral("Right")};
}

QStringList FileTypeTexts() {
    return {QStringLiteral("Windows Bitmap (*.bmp)"), QStringLiteral("256 Colour Compuserve GIF (*.gif)"),
            QStringLiteral("PNG image (true colour, transparent outside the button) (*.png)"),
            QStringLiteral("WebP image (lossless, transparent outside the button) (*.webp)")};
}

QStringList ButtonShapeTexts() {
    return {QStringLiteral("Rectangle"), QStringLiteral("Rounded rectangle"), QStringLiteral("Ellipse"),
            QStringLiteral("Cut corners"), QStringLiteral("Arrow")};
}

QStringList GradientFillTexts() {
    return {QStringLiteral("None"), QStringLiteral("Linear"), QStringLiteral("Circular")};
}

QStringList FilenameStyleTexts() {
    return {QStringLiteral("Mixed case"), QStringLiteral("Upper case"), QStringLiteral("Lower case")};
}

QStringList HtmlLayoutTexts() {
    return {QStringLiteral("Arrange buttons horizontally"), QStringLiteral("Arrange buttons vertically")};
}

QStringList PageStyleTexts() {
    return {QStringLiteral("Script rollover (classic)"), QStringLiteral("CSS rollover (no script)")};
}

bool IsLanguageTag(const QString& text) {
    static const QRegularExpression tag(QStringLiteral("^[A-Za-z]{2,8}(-[A-Za-z0-9]{1,8})*$"));
    return text.size() <= kMaxLanguageTagLength && tag.match(text).hasMatch();
}

}  // namespace settings
