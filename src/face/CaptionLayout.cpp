#include "face/CaptionLayout.h"

#include <cmath>

#include "face/OutlineMaths.h"

namespace face {
namespace {

constexpr long double kPi = 3.14159265358979323846264338327950288L;

}  // namespace

std::vector<QString> MeasuredPieces(const QString& caption) {
    std::vector<QString> pieces;
    QString rest = caption;
    for (;;) {
        const qsizetype amp = rest.indexOf(QLatin1Char('&'));
        if (amp < 0) {
            pieces.push_back(rest);
            return pieces;
        }
        if (amp + 1 < rest.size() && rest[amp + 1] == QLatin1Char('&')) {
            pieces.push_back(rest.left(amp + 1));
            rest = rest.mid(amp + 2);
        } else {
            pieces.push_back(rest.left(amp));
            rest = rest.mid(amp + 1);
        }
    }
}

std::vector<CaptionPiece> DrawnPieces(const QString& caption) {
    std::vector<CaptionPiece> pieces;
    QString rest = caption;
    for (;;) {
        const qsizetype amp = rest.indexOf(QLatin1Char('&'));
        if (amp < 0) {
            if (!rest.isEmpty()) {
                pieces.push_back({rest, false});
            }
            return pieces;
        }
        if (amp + 1 < rest.size() && rest[amp + 1] == QLatin1Char('&')) {
            pieces.push_back({rest.left(amp + 1), false});
            rest = rest.mid(amp + 2);
            continue;
        }
        if (amp > 0) {
            pieces.push_back({rest.left(amp), false});
        }
        if (amp + 1 >= rest.size()) {
            rest += QLatin1Char(' ');
        }
        pieces.push_back({rest.mid(amp + 1, 1), true});
        rest = rest.mid(amp + 2);
    }
}

CaptionBox RotatedCaptionBox(int tw, int th, int angle) {
    const long double theta = angle * kPi / 1800.0L;
    const long double s = std::sin(theta);
    const long double c = std::cos(theta);
    CaptionBox box;
    box.width = RoundEven(std::fabs(s) * th + std::fabs(c) * tw);
    box.height = RoundEven(std::fabs(c) * th + std::fabs(s) * tw);
    // Angles that are whole quarter turns give a sine or cosine of about 1e-19, not 0: such values
    // count as 0 so that 900 behaves like a right angle.
    const long double eps = 1e-12L;
    const bool sinPositive = s > eps;
    const bool cosPositive = c > eps;
    if (sinPositive && cosPositive) {
        box.refX = 0;
        box.refY = RoundEven(std::fabs(s) * tw);
    } else if (sinPositive) {
        box.refX = RoundEven(std::fabs(c) * tw);
        box.refY = box.height;
    } else if (cosPositive) {
        box.refX = RoundEven(std::fabs(s) * th);
        box.refY = 0;
    } else {
        box.refX = box.width;
        box.refY = RoundEven(std::fabs(c) * th);
    }
    return box;
}

int CaptionBoxLeft(TLumoHAlign align, int rw, int boxWidth, int depth, int fixedLeft) {
    switch (align) {
        case haLeft:
            return depth + 4;
        case haCenter:
            return (rw - boxWidth) / 2;
        case haRight:
            return rw - depth - boxWidth - 4;
        case haNone:
        default:
            return fixedLeft;
    }
}

int CaptionBoxTop(TLumoVAlign align, int rh, int boxHeight, int depth, int fixedTop) {
    switch (align) {
        case vaTop:
            return depth + 4;
        case vaCenter:
            return (rh - boxHeight) / 2;
        case vaBottom:
            return rh - depth - boxHeight - 4;
        case vaNone:
        default:
            return fixedTop;
    }
}

}  // namespace face
