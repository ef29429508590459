#include "face/FaceEngine.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <cmath>
#include <vector>

#include "face/CaptionLayout.h"
#include "face/ColorRules.h"
#include "face/FacePainting.h"
#include "face/OutlineMaths.h"

namespace face {
namespace {

constexpr long double kPi = 3.14159265358979323846264338327950288L;

// One face being painted: the arguments of PaintFace, and the steps that paint it.
class FacePainter {
  public:
    FacePainter(QImage& face, const FaceProperties& p, const FaceState& s, const ShapeRegions& regions,
                QSize bounds, QSize window)
        : face_(face), p_(p), s_(s), regions_(regions), bounds_(bounds), window_(window) {}

    void Paint();

  private:
    void DrawBorders();
    void DrawMainBitmap();
    void DrawBitmapGlyph(const QRect& source, int x, int y, bool andWithBrush);
    void DrawCaption(QPainter& painter);
    void DrawCaptionPasses(QPainter& painter, int x, int y, int angle);
    void DrawCaptionPiece(QPainter& painter, int x, int y, bool underline, const QString& piece, int tone,
                          int angle);

    QImage& face_;
    const FaceProperties& p_;
    const FaceState& s_;
    const ShapeRegions& regions_;
    QSize bounds_;
    QSize window_;
    QFont faceFont_ = FaceFontOf(p_.font, p_.smoothCaption);
};

void FacePainter::Paint() {
    const bool enabled = s_.enabled;
    const TColor brush = enabled ? p_.buttonColor : LighterColor(p_.buttonColor);
    if (p_.customDraw) {
        face_.fill(ToQColor(brush));
    } else {
        if (p_.gradientKind != gkNone) {
            QPainter painter(&face_);
            GradientSettings g{p_.gradientKind, p_.gradientAngle, &p_.gradientBitmap, p_.gradientBitmapLine};
            if (enabled) {
                FillGradient(painter, bounds_.width(), bounds_.height(), p_.buttonColor, p_.buttonColor1, 0,
                             g);
            } else {
                FillGradient(painter, bounds_.width(), bounds_.height(), LighterColor(p_.buttonColor),
                             LighterColor(p_.buttonColor1), 2, g);
            }
        } else if (p_.buttonColor != clNone) {
            face_.fill(ToQColor(brush));
        }
        DrawMainBitmap();
        QPainter painter(&face_);
        DrawCaption(painter);
    }
    if (p_.userRgnAuto || p_.buttonKind != bkUser) {
        DrawBorders();
    }
}

void FacePainter::DrawBorders() {
    const TColor c = p_.buttonColor;
    const TLumo3DKind k = p_.button3DKind;
    const bool m = s_.mouseInside;
    const bool enabled = s_.enabled;
    const bool pressed = s_.pressed;
    const bool outerBevel = k == dk3D || k == dk3dsimple || k == dk3dBorder || m;
    const bool innerBevel = k == dk3dBorder || (m && k == dk3dBorderFlatten);
    const bool outlineFrame =
        k == dk3D || k == dk3dBorder || (m && (k == dkFlatten || k == dk3dBorderFlatten));
    const bool innerFrame = k == dk3dBorder || (m && k == dk3dBorderFlatten);
    const bool focusFrame = s_.focused && p_.showFocusRgn && (p_.gradientKind == gkNone || enabled);

    if (p_.gradientKind != gkNone) {
        GradientSettings g{p_.gradientKind, p_.gradientAngle, &p_.gradientBitmap, p_.gradientBitmapLine};
        const auto fillBand = [&](const QRegion& band, bool lit) {
            if (band.isEmpty())
                return;
            QPainter painter(&face_);
            painter.setClipRegion(band);
            if (lit) {
                FillGradient(painter, bounds_.width(), bounds_.height(), LighterColor(c),
                             LighterColor(p_.buttonColor1), 1, g);
            } else {
                FillGradient(painter, bounds_.width(), bounds_.height(), DarkerColor(c),
                             DarkerColor(p_.buttonColor1), -1, g);
            }
        };
        if (outerBevel) {
            fillBand(regions_.highlightBand, !pressed);
            fillBand(regions_.shadowBand, pressed);
        }
        if (innerBevel) {
            fillBand(regions_.innerHighlightBand, true);
            fillBand(regions_.innerShadowBand, false);
        }
        const QColor frame = ToQColor(DarkerColor(DarkerColor(c)));
        if (outlineFrame)
            FrameRegion(face_, regions_.outline, frame);
        if (innerFrame)
            FrameRegion(face_, regions_.innerOutline, frame);
        if (focusFrame)
            FrameRegion(face_, regions_.focus, ToQColor(DarkerColor(c)));
        return;
    }

    TColor highlight = 0;
    TColor shadow = 0;
    TColor innerHighlight = 0;
    TColor innerShadow = 0;
    TColor frame = 0;
    if (!enabled) {
        highlight = innerHighlight = LighterColor(LighterColor(c));
        shadow = innerShadow = DarkerColor(LighterColor(c));
        frame = IsDark(c) ? LighterColor(LighterColor(LighterColor(c))) : DarkerColor(c);
    } else {
        highlight = pressed ? DarkerColor(c) : LighterColor(c);
        shadow = pressed ? LighterColor(c) : DarkerColor(c);
        innerHighlight = LighterColor(c);
        innerShadow = DarkerColor(c);
        frame = IsDark(c) ? LighterColor(LighterColor(c)) : DarkerColor(DarkerColor(c));
    }
    if (outerBevel) {
        FillRegion(face_, regions_.highlightBand, ToQColor(highlight));
        FillRegion(face_, regions_.shadowBand, ToQColor(shadow));
    }
    if (innerBevel) {
        FillRegion(face_, regions_.innerHighlightBand, ToQColor(innerHighlight));
        FillRegion(face_, regions_.innerShadowBand, ToQColor(innerShadow));
    }
    if (outlineFrame)
        FrameRegion(face_, regions_.outline, ToQColor(frame));
    if (innerFrame)
        FrameRegion(face_, regions_.innerOutline, ToQColor(frame));
    if (focusFrame)
        FrameRegion(face_, regions_.focus, ToQColor(frame));
}

void FacePainter::DrawBitmapGlyph(const QRect& source, int x, int y, bool andWithBrush) {
    const QImage& bitmap = p_.mainBitmap;
    if (p_.transparent) {
        DrawTransparentBitmap(bitmap, source, face_, x, y);
        return;
    }
    const QRgb brush = ToQColor(s_.enabled ? p_.buttonColor : LighterColor(p_.buttonColor)).rgb();
    for (int row = 0; row < source.height(); ++row) {
        const int sy = source.top() + row;
        const int ty = y + row;
        if (sy < 0 || sy >= bitmap.height() || ty < 0 || ty >= face_.height())
            continue;
        const auto* in = reinterpret_cast<const QRgb*>(bitmap.constScanLine(sy));
        auto* out = reinterpret_cast<QRgb*>(face_.scanLine(ty));
        for (int column = 0; column < source.width(); ++column) {
            const int sx = source.left() + column;
            const int tx = x + column;
            if (sx < 0 || sx >= bitmap.width() || tx < 0 || tx >= face_.width())
                continue;
            out[tx] = andWithBrush ? (in[sx] & brush) | 0xFF000000u : in[sx];
        }
    }
}

void FacePainter::DrawMainBitmap() {
    const QImage& bitmap = p_.mainBitmap;
    if (bitmap.isNull() || bitmap.height() == 0) {
        return;
    }
    const int g = p_.mainBitmapGlyphs;
    const int gw = bitmap.width() / g;
    const int bh = bitmap.height();
    const QPoint place = BitmapPlace(p_, gw, bh, bounds_.width(), bounds_.height());
    const int x = place.x();
    const int y = place.y();
    QRect source(0, 0, gw, bh);
    const bool enabled = s_.enabled;
    const bool pressed = s_.pressed;
    if (!pressed && enabled && !s_.mouseInside) {
        DrawBitmapGlyph(source, x, y, false);
    }
    if (!enabled) {
        if (g < 2) {
            DrawBitmapGlyph(source, x, y, true);
        } else {
            source.translate(gw, 0);
            DrawBitmapGlyph(source, x, y, false);
        }
    }
    if (!pressed && enabled && s_.mouseInside) {
        if (g >= 3) {
            source.translate(2 * gw, 0);
        }
        DrawBitmapGlyph(source, x, y, false);
    }
    if (pressed) {
        // The pressed glyph moves right and down as the pressed caption does: one pixel, two on a
        // face drawn at twice the size.
        const int shift = p_.captionEffectOffset;
        source.translate(g == 4 ? 3 * gw - shift : -shift, -shift);
        DrawBitmapGlyph(source, x, y, false);
    }
}

void FacePainter::DrawCaption(QPainter& painter) {
    if (p_.caption.isEmpty()) {
        return;
    }
    const QFontMetrics fm(faceFont_);
    int tw = 0;
    int th = 0;
    for (const QString& piece : MeasuredPieces(p_.caption)) {
        tw += fm.horizontalAdvance(piece);
        if (th == 0 && !piece.isEmpty()) {
            th = fm.height();
        }
    }
    const int depth = p_.buttonDepth;
    if (!p_.captionFixed) {
        const CaptionBox box = RotatedCaptionBox(tw, th, p_.captionAngle);
        const int left = CaptionBoxLeft(p_.captionHAlign, window_.width(), box.width, depth, p_.captionLeft);
        const int top = CaptionBoxTop(p_.captionVAlign, window_.height(), box.height, depth, p_.captionTop);
        DrawCaptionPasses(painter, left + box.refX, top + box.refY, p_.captionAngle);
        return;
    }
    const int bw = p_.buttonWidth;
    const int bh = p_.buttonHeight;
    const CaptionBox box = RotatedCaptionBox(tw, th, p_.captionAngle - p_.buttonAngle);
    const int left = CaptionBoxLeft(p_.captionHAlign, bw, box.width, depth, p_.captionLeft);
    const int top = CaptionBoxTop(p_.captionVAlign, bh, box.height, depth, p_.captionTop);
    const long double px = left + box.refX;
    const long double py = top + box.refY;
    const long double g = p_.buttonAngle * kPi / 1800.0L;
    const long double c = std::cos(g);
    const long double s = std::sin(g);
    const int x = window_.width() / 2 + RoundEven(c * px + s * py) - RoundEven(c * bw / 2 + s * bh / 2);
    const int y = window_.height() / 2 + RoundEven(c * py - s * px) - RoundEven(c * bh / 2 - s * bw / 2);
    DrawCaptionPasses(painter, x, y, p_.captionAngle);
}

void FacePainter::DrawCaptionPasses(QPainter& painter, int x, int y, int angle) {
    struct Pass {
        int tone;
        int dx;
        int dy;
    };
    std::vector<Pass> passes;
    switch (p_.caption3dKind) {
        case ckEmbossed:
            passes = {{1, -1, -1}, {-1, 1, 1}, {0, 0, 0}};
            break;
        case ckPressed:
            passes = {{-1, -1, -1}, {1, 1, 1}, {0, 0, 0}};
            break;
        case ckSimple:
        default:
            passes = {{0, 0, 0}};
            break;
    }
    const long double theta = angle * kPi / 1800.0L;
    const QFontMetrics fm(faceFont_);
    const std::vector<CaptionPiece> pieces = DrawnPieces(p_.caption);
    const int offset = p_.captionEffectOffset;
    for (const Pass& pass : passes) {
        int penX = x + (pass.dx + (s_.pressed ? 1 : 0)) * offset;
        int penY = y + (pass.dy + (s_.pressed ? 1 : 0)) * offset;
        for (const CaptionPiece& piece : pieces) {
            if (piece.text.isEmpty()) {
                continue;
            }
            DrawCaptionPiece(painter, penX, penY, piece.underline, piece.text, pass.tone, angle);
            const int cx = fm.horizontalAdvance(piece.text);
            penX += RoundEven(std::cos(theta) * cx);
            penY += RoundEven(-std::sin(theta) * cx);
        }
    }
}

void FacePainter::DrawCaptionPiece(QPainter& painter, int x, int y, bool underline, const QString& piece,
                                   int tone, int angle) {
    TColor colour = s_.enabled ? p_.fontColor : p_.buttonColor;
    if (colour == clNone) {
        return;
    }
    if (tone > 0) {
        colour = LighterColor(p_.buttonColor);
    } else if (tone < 0) {
        colour = DarkerColor(p_.buttonColor);
    }
    // The face font keeps its own styles, underline included; an accelerator adds underline.
    QFont f = faceFont_;
    if (underline) {
        f.setUnderline(true);
    }
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, p_.smoothCaption);
    painter.setFont(f);
    painter.setPen(ToQColor(colour));
    painter.translate(x, y);
    painter.rotate(-angle / 10.0);
    painter.drawText(QPoint(0, QFontMetrics(f).ascent()), piece);
    painter.restore();
}

}  // namespace

QFont FaceFontOf(const QFont& font, bool smooth) {
    QFont f = font;
    // Button files are exact pixels: text is drawn in whole-pixel advances without kerning, so a
    // caption measured in pieces is as wide as in one; without smoothing its edges are hard.
    // Smooth edges are grey shades, never coloured sub-pixel fringes.
    f.setStyleStrategy(smooth ? QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias)
                              : QFont::NoAntialias);
    f.setHintingPreference(QFont::PreferFullHinting);
    f.setKerning(false);
    return f;
}

QImage OwnBitmapCopy(const QImage& source) {
    if (source.isNull() || source.height() == 0) {
        return {};
    }
    QImage copy(source.size(), QImage::Format_RGB32);
    copy.fill(Qt::black);
    QPainter painter(&copy);
    painter.drawImage(0, 0, source);
    return copy;
}

QPoint BitmapPlace(const FaceProperties& p, int glyphWidth, int bitmapHeight, int w, int h) {
    int x = p.bitmapLeft;
    switch (p.bitmapHAlign) {
        case haLeft:
            x = p.buttonDepth;
            break;
        case haCenter:
            x = (w - glyphWidth) / 2;
            break;
        case haRight:
            x = w - p.buttonDepth - glyphWidth;
            break;
        case haNone:
            break;
    }
    int y = p.bitmapTop;
    switch (p.bitmapVAlign) {
        case vaTop:
            y = p.buttonDepth;
            break;
        case vaCenter:
            y = (h - bitmapHeight) / 2;
            break;
        case vaBottom:
            y = h - p.buttonDepth - bitmapHeight;
            break;
        case vaNone:
            break;
    }
    return {x, y};
}

namespace {

// The outline of a face's kind; the user kind's outline is traced from its region.
KindOutline FaceKindOutline(const FaceProperties& p) {
    ShapeParams params;
    params.kind = p.buttonKind;
    params.width = p.buttonWidth;
    params.height = p.buttonHeight;
    params.depth = p.buttonDepth;
    params.peaks = p.peaksNumber;
    params.cornerRadius = p.cornerRadius;
    params.radiusRatio = p.radiusRatio;
    params.arcAngle = p.arcAngle;
    Outline userOutline;
    if (p.buttonKind == bkUser && p.userRegion.has_value()) {
        userOutline = RegionToOutline(*p.userRegion);
        if (!userOutline.Empty()) {
            params.userOutline = &userOutline;
            params.userBox = p.userRegion->boundingRect();
        }
    }
    return BuildKindOutline(params);
}

}  // namespace

ShapeRegions FaceShapeRegions(const FaceProperties& p, QSize bounds) {
    if (p.buttonKind == bkUser && !p.userRgnAuto) {
        return {};
    }
    const KindOutline built = FaceKindOutline(p);
    const int height = p.buttonKind == bkArc ? built.height : p.buttonHeight;
    return BuildShapeRegions(built.outline, p.buttonWidth, height, p.buttonDepth, p.button3DKind,
                             p.buttonAngle, bounds.width(), bounds.height());
}

void PaintFace(QImage& face, const FaceProperties& p, const FaceState& state, const ShapeRegions& regions,
               QSize bounds, QSize window) {
    FacePainter(face, p, state, regions, bounds, window).Paint();
}

ShapedFace ShapeOf(const FaceProperties& p) {
    ShapedFace shaped{p, QSize()};
    if (p.buttonKind == bkArc) {
        // The arc decides its own height.
        ShapeParams params;
        params.kind = bkArc;
        params.width = p.buttonWidth;
        params.height = p.buttonHeight;
        params.depth = p.buttonDepth;
        params.radiusRatio = p.radiusRatio;
        params.arcAngle = p.arcAngle;
        shaped.properties.buttonHeight = BuildKindOutline(params).height;
    }
    const FaceProperties& f = shaped.properties;
    shaped.bounds = RotatedBounds(f.buttonWidth, f.buttonHeight, f.buttonAngle);
    return shaped;
}

QImage RenderShapedFace(const ShapedFace& shaped, const ShapeRegions& regions, const FaceState& state) {
    QImage face(shaped.bounds.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    face.fill(Qt::black);
    PaintFace(face, shaped.properties, state, regions, shaped.bounds, shaped.bounds);
    return face;
}

QImage RenderFace(const FaceProperties& p, const FaceState& state) {
    const ShapedFace shaped = ShapeOf(p);
    return RenderShapedFace(shaped, FaceShapeRegions(shaped.properties, shaped.bounds), state);
}

QImage FaceShapeCoverage(const FaceProperties& p, QSize size) {
    QImage coverage(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
    coverage.fill(Qt::transparent);
    const Outline outline = FaceKindOutline(p).outline;
    // Nested contours (a ring's hole) alternate between inside and outside.
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (std::size_t k = 0; k < outline.counts.size(); ++k) {
        QPolygonF polygon;
        for (const QPoint& point : outline.Contour(k)) {
            polygon.append(QPointF(point));
        }
        path.addPolygon(polygon);
        path.closeSubpath();
    }
    QPainter painter(&coverage);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.fillPath(path, Qt::white);
    return coverage;
}

}  // namespace face
