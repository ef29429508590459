#include <gtest/gtest.h>

#include <QSet>

#include "compose/FilePicture.h"
#include "face/ColorRules.h"
#include "face/FaceEngine.h"
#include "face/FacePainting.h"

using namespace face;

namespace {

// The colours of the bands of a fill from c1 to c2 on a face of the given bounds.
QSet<QRgb> BandColours(const FaceProperties& p, QSize bounds, TColor c1, TColor c2, int mode) {
    const GradientSettings g{p.gradientKind, p.gradientAngle, &p.gradientBitmap, p.gradientBitmapLine};
    const GradientBands bands(p.gradientKind, p.gradientAngle, bounds.width(), bounds.height());
    QSet<QRgb> colours;
    for (int k = 0; k <= bands.Last(); ++k) {
        colours.insert(ToQColor(GradientStepColour(c1, c2, bands.Last(), k, mode, g)).rgb());
    }
    return colours;
}

// The pixels of `region` whose colour is not one of `colours`.
int OffTheBands(const QImage& face, const QRegion& region, const QSet<QRgb>& colours) {
    int off = 0;
    for (const QRect& r : region) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            for (int x = r.left(); x <= r.right(); ++x) {
                if (!colours.contains(face.pixel(x, y))) {
                    ++off;
                }
            }
        }
    }
    return off;
}

}  // namespace

TEST(GradientFaces, EveryPixelOfTheFillAndOfItsBevelBandsTakesABandsColour) {
    const TColor c1 = 0x00B07030;
    const TColor c2 = 0x000080FF;
    QImage strip(24, 2, QImage::Format_RGB32);
    for (int x = 0; x < strip.width(); ++x) {
        strip.setPixel(x, 0, qRgb(10 * x, 200 - 5 * x, 40));
        strip.setPixel(x, 1, qRgb(40, 10 * x, 200 - 5 * x));
    }
    int faces = 0;
    for (const TLumoGradientKind kind : {gkLinear, gkCircular}) {
        for (const int angle : {0, 300, 450, 900, 1350, 2000, 3150}) {
            if (kind == gkCircular && angle != 0) {
                continue;  // a circular fill has no angle
            }
            for (const TLumoButtonKind shape : {bkRect, bkRoundRect, bkElliptic, bkCutRect, bkArrow}) {
                for (const int variant : {0, 1, 2}) {
                    FaceProperties p;
                    p.buttonKind = shape;
                    p.buttonWidth = 61 + 17 * variant;
                    p.buttonHeight = 23 + 4 * variant;
                    p.buttonColor = c1;
                    p.buttonColor1 = c2;
                    p.gradientKind = kind;
                    p.gradientAngle = angle;
                    p.buttonAngle = variant == 2 ? 300 : 0;  // a turned face fills its whole bounds
                    if (variant == 1) {
                        p.gradientBitmap = strip;  // the colours of the bitmap's row
                        p.gradientBitmapLine = 1;
                    }
                    for (const int scale : {1, 2}) {
                        for (const bool enabled : {true, false}) {
                            for (const bool bordered : {false, true}) {
                                SCOPED_TRACE(testing::Message()
                                             << "kind " << kind << " angle " << angle << " shape " << shape
                                             << " variant " << variant << " scale " << scale << " enabled "
                                             << enabled << " bordered " << bordered);
                                p.button3DKind = bordered ? dk3dBorder : dkNone;
                                p.buttonDepth = bordered ? 3 : 0;
                                const FaceProperties scaled = compose::ScaledFace(p, scale);
                                FaceState state;
                                state.enabled = enabled;
                                state.mouseInside = true;
                                const ShapedFace shaped = ShapeOf(scaled);
                                const ShapeRegions regions = FaceShapeRegions(scaled, shaped.bounds);
                                const QImage image = RenderShapedFace(shaped, regions, state);
                                ++faces;
                                QRegion face(QRect(QPoint(0, 0), shaped.bounds));
                                const QSet<QRgb> main =
                                    enabled ? BandColours(scaled, shaped.bounds, c1, c2, 0)
                                            : BandColours(scaled, shaped.bounds, LighterColor(c1),
                                                          LighterColor(c2), 2);
                                if (!bordered) {
                                    EXPECT_EQ(OffTheBands(image, face, main), 0);
                                    continue;
                                }
                                // The bands are drawn in turn, each over the last, the frames over
                                // them in the frame colour.
                                const QRegion frames =
                                    FrameOf(regions.outline) + FrameOf(regions.innerOutline);
                                const QRegion innerShaded = regions.innerShadowBand - frames;
                                const QRegion innerLit = regions.innerHighlightBand - innerShaded - frames;
                                const QRegion outerShaded =
                                    regions.shadowBand - innerLit - innerShaded - frames;
                                const QRegion lit =
                                    (regions.highlightBand - outerShaded - innerLit - innerShaded - frames) +
                                    innerLit;
                                const QRegion shaded = outerShaded + innerShaded;
                                ASSERT_FALSE(lit.isEmpty());
                                ASSERT_FALSE(shaded.isEmpty());
                                EXPECT_EQ(OffTheBands(image, lit,
                                                      BandColours(scaled, shaped.bounds, LighterColor(c1),
                                                                  LighterColor(c2), 1)),
                                          0);
                                EXPECT_EQ(OffTheBands(image, shaded,
                                                      BandColours(scaled, shaped.bounds, DarkerColor(c1),
                                                                  DarkerColor(c2), -1)),
                                          0);
                                face -= regions.highlightBand + regions.shadowBand +
                                        regions.innerHighlightBand + regions.innerShadowBand + frames +
                                        FrameOf(regions.focus);
                                EXPECT_EQ(OffTheBands(image, face, main), 0);
                            }
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(faces, 8 * 5 * 3 * 2 * 2 * 2);
}
