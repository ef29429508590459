#include "tools/SampleBackgrounds.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cstdint>
#include <functional>

#include "encode/BmpWriter.h"

namespace samples {
namespace {

// A fixed hash of a pixel position and a seed: 0 … 255.
int Noise(int x, int y, std::uint32_t seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                      seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return static_cast<int>((h ^ (h >> 16)) & 0xFF);
}

int Clamp(int v) {
    return std::clamp(v, 0, 255);
}

QRgb Shade(QRgb c, int delta) {
    return qRgb(Clamp(qRed(c) + delta), Clamp(qGreen(c) + delta), Clamp(qBlue(c) + delta));
}

// Blends a towards b by t/256.
QRgb Mix(QRgb a, QRgb b, int t) {
    return qRgb(qRed(a) + (qRed(b) - qRed(a)) * t / 256, qGreen(a) + (qGreen(b) - qGreen(a)) * t / 256,
                qBlue(a) + (qBlue(b) - qBlue(a)) * t / 256);
}

QImage Draw(int w, int h, const std::function<QRgb(int, int)>& pixel) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            row[x] = pixel(x, y) | 0xFF000000u;
        }
    }
    return img;
}

// A raised edge `depth` pixels wide: lighter on the top and left, darker on the bottom and right.
QRgb Bevel(QRgb c, int x, int y, int w, int h, int depth, int amount) {
    const int fromLeft = x;
    const int fromTop = y;
    const int fromRight = w - 1 - x;
    const int fromBottom = h - 1 - y;
    const int nearest = std::min({fromLeft, fromTop, fromRight, fromBottom});
    if (nearest >= depth) {
        return c;
    }
    const bool lit = (fromLeft == nearest || fromTop == nearest) && fromRight != nearest && fromBottom != nearest;
    return Shade(c, lit ? amount : -amount);
}

QImage BrushedMetal() {
    const int w = 160;
    const int h = 40;
    return Draw(w, h, [=](int x, int y) {
        // Long horizontal streaks: the noise of a row, smeared along it.
        const int streak = (Noise(x / 23, y, 1) + Noise(x / 7, y, 2)) / 2 - 128;
        const int base = 200 - std::abs(y - h / 3) / 2;
        const QRgb c = qRgb(Clamp(base + streak / 10), Clamp(base + 2 + streak / 10), Clamp(base + 6 + streak / 10));
        return Bevel(c, x, y, w, h, 2, 40);
    });
}

QImage BlueGloss() {
    const int w = 150;
    const int h = 40;
    return Draw(w, h, [=](int x, int y) {
        const QRgb top = qRgb(70, 120, 210);
        const QRgb bottom = qRgb(10, 40, 120);
        QRgb c = Mix(top, bottom, y * 256 / (h - 1));
        if (y < h / 2) {
            // The gloss: a lighter upper half fading towards its middle.
            c = Mix(c, qRgb(150, 190, 245), (h / 2 - y) * 100 / (h / 2));
        }
        return Bevel(c, x, y, w, h, 1, -30);
    });
}

QImage GreenGlass() {
    const int w = 150;
    const int h = 40;
    return Draw(w, h, [=](int x, int y) {
        const QRgb deep = qRgb(10, 90, 40);
        QRgb c = Mix(deep, qRgb(20, 60, 30), y * 256 / (h - 1));
        // A bright band across the upper third, like light on glass.
        if (y >= 4 && y < 12) {
            c = Mix(c, qRgb(90, 170, 110), 90);
        }
        if (y == 0 || y == h - 1 || x == 0 || x == w - 1) {
            c = qRgb(5, 40, 15);
        }
        return c;
    });
}

QImage WarmPaper() {
    const int w = 140;
    const int h = 36;
    return Draw(w, h, [=](int x, int y) {
        const int fibre = (Noise(x, y, 3) + Noise(x / 3, y / 2, 4)) / 2 - 128;
        const QRgb c = qRgb(Clamp(245 + fibre / 16), Clamp(232 + fibre / 16), Clamp(200 + fibre / 14));
        return Bevel(c, x, y, w, h, 1, -25);
    });
}

QImage DarkCarbon() {
    const int w = 160;
    const int h = 40;
    return Draw(w, h, [=](int x, int y) {
        // A woven check of four-pixel cells, each lit along one direction.
        const int cellX = x / 4;
        const int cellY = y / 4;
        const bool across = (cellX + cellY) % 2 == 0;
        const int along = across ? x % 4 : y % 4;
        const int v = 28 + along * 6 + (Noise(x, y, 5) - 128) / 32;
        return Bevel(qRgb(Clamp(v), Clamp(v), Clamp(v + 4)), x, y, w, h, 2, 25);
    });
}

QImage BevelledStone() {
    const int w = 150;
    const int h = 44;
    return Draw(w, h, [=](int x, int y) {
        const int grain = (Noise(x, y, 6) + Noise(x / 4, y / 4, 7) * 2) / 3 - 128;
        const QRgb c = qRgb(Clamp(196 + grain / 6), Clamp(188 + grain / 6), Clamp(172 + grain / 6));
        return Bevel(c, x, y, w, h, 4, 35);
    });
}

QImage SoftStripes() {
    const int w = 150;
    const int h = 40;
    return Draw(w, h, [=](int x, int y) {
        const bool band = ((x + y) / 10) % 2 == 0;
        const QRgb c = band ? qRgb(236, 240, 250) : qRgb(214, 226, 246);
        return Bevel(c, x, y, w, h, 1, -35);
    });
}

QImage LightTab() {
    const int w = 120;
    const int h = 30;
    return Draw(w, h, [=](int x, int y) {
        // A plain tab: a light face with a darker rim, its top corners cut.
        const bool corner = (y < 3 && (x < 3 - y || x > w - 4 + y));
        if (corner) {
            return qRgb(160, 168, 180);
        }
        if (y == 0 || x == 0 || x == w - 1 || y == h - 1) {
            return qRgb(120, 130, 145);
        }
        return Mix(qRgb(250, 251, 253), qRgb(226, 230, 238), y * 256 / (h - 1));
    });
}

}  // namespace

QList<SampleBackground> SampleBackgrounds() {
    return {
        {QStringLiteral("brushed-metal-160x40.bmp"), BrushedMetal(), false},
        {QStringLiteral("blue-gloss-150x40.bmp"), BlueGloss(), true},
        {QStringLiteral("green-glass-150x40.bmp"), GreenGlass(), true},
        {QStringLiteral("warm-paper-140x36.bmp"), WarmPaper(), false},
        {QStringLiteral("dark-carbon-160x40.bmp"), DarkCarbon(), true},
        {QStringLiteral("bevelled-stone-150x44.bmp"), BevelledStone(), false},
        {QStringLiteral("soft-stripes-150x40.bmp"), SoftStripes(), false},
        {QStringLiteral("light-tab-120x30.bmp"), LightTab(), false},
    };
}

int WriteSampleBackgrounds(const QString& folder) {
    if (!QDir().mkpath(folder)) {
        return -1;
    }
    int written = 0;
    for (const SampleBackground& sample : SampleBackgrounds()) {
        const QString path = QDir(folder).filePath(sample.fileName);
        if (QFileInfo::exists(path)) {
            continue;  // a sample there already, perhaps changed by its user, stays
        }
        encode::SaveBmpFile(sample.image, path);
        ++written;
    }
    return written;
}

}  // namespace samples
