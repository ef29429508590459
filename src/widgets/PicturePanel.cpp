#include "widgets/PicturePanel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSet>
#include <cmath>
#include <stdexcept>

#include "platform/TextCodec.h"

namespace widgets {
namespace pictures {
namespace {

struct State {
    QString programFolder;
    bool programFolderSet = false;
    QString globalPath;
    bool settingsRead = false;
    bool skipMissing = true;
    QSet<QString> missingDirectories;
    int reads = 0;
    int probes = 0;
};

State& Shared() {
    static State state;
    return state;
}

}  // namespace

void SetProgramFolder(const QString& folder) {
    Shared().programFolder = folder;
    Shared().programFolderSet = true;
}

QString ProgramFolder() {
    return Shared().programFolderSet ? Shared().programFolder : QCoreApplication::applicationDirPath();
}

QString GlobalPicturePath() {
    return Shared().globalPath;
}

bool SkipMissingDirectories() {
    return Shared().skipMissing;
}

void SetSkipMissingDirectories(bool on) {
    Shared().skipMissing = on;
}

int SettingsReads() {
    return Shared().reads;
}

int DirectoryProbes() {
    return Shared().probes;
}

void Reset() {
    State& s = Shared();
    s.globalPath.clear();
    s.settingsRead = false;
    s.skipMissing = true;
    s.missingDirectories.clear();
    s.reads = 0;
    s.probes = 0;
}

namespace {

// One trailing separator removed.
QString WithoutTrailingSeparator(const QString& folder) {
    return folder.endsWith(QLatin1Char('/')) ? folder.chopped(1) : folder;
}

// Whether a picture file is there. While missing folders are skipped, a folder found missing is
// remembered, and a file in it counts as absent without looking, unless `lookAgain` asks for a new
// look. Only a regular file counts.
bool PictureFileExists(const QString& path, bool lookAgain) {
    State& s = Shared();
    if (s.skipMissing) {
        const QString folder = QFileInfo(path).path();
        if (lookAgain) {
            s.missingDirectories.remove(folder);
        }
        if (s.missingDirectories.contains(folder)) {
            return false;
        }
        ++s.probes;
        if (!QFileInfo(folder).isDir()) {
            s.missingDirectories.insert(folder);
            return false;
        }
    }
    return QFileInfo(path).isFile();
}

// Reads "Images.txt" once per process: its "path" line names the global picture folder.
void ReadPictureSettings() {
    State& s = Shared();
    if (s.settingsRead) {
        return;
    }
    s.settingsRead = true;
    const QString file = ProgramFolder() + QStringLiteral("/Images.txt");
    if (!PictureFileExists(file, false)) {
        return;
    }
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        return;
    }
    ++s.reads;
    const QStringList lines = platform::SplitLines(platform::DecodeUtf8OrWindows1252(in.readAll()));
    for (const QString& line : lines) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && line.left(eq).compare(QLatin1String("path"), Qt::CaseInsensitive) == 0) {
            s.globalPath = line.mid(eq + 1);
        }
    }
}

constexpr Qt::CaseSensitivity kFileNameCase =
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    Qt::CaseInsensitive;
#else
    Qt::CaseSensitive;
#endif

int RoundEven(double v) {
    return static_cast<int>(std::nearbyint(v));
}

}  // namespace
}  // namespace pictures

// --- TPicturePanel -------------------------------------------------------------------------------

TPicturePanel::TPicturePanel(QWidget* parent) : QWidget(parent) {
    pictures::ReadPictureSettings();
}

TPicturePanel::~TPicturePanel() {
    if (controller_ != nullptr) {
        controller_->panels_.removeAll(this);
    }
}

void TPicturePanel::RepaintPanel() {
    ++repaints_;
    if (FullRepaint) {
        update();
    } else {
        repaint();
    }
}

void TPicturePanel::SetPicture(const QImage& picture) {
    fileName_.clear();
    fromFile_ = false;
    picture_ = picture;
    RepaintPanel();
}

void TPicturePanel::SetFrameSize(int value) {
    if (value != frameSize_) {
        frameSize_ = value;
        RepaintPanel();
    }
}

void TPicturePanel::SetStyle(TPicturePanelStyle value) {
    if (value != style_) {
        style_ = value;
        RepaintPanel();
    }
}

void TPicturePanel::SetFileName(const QString& value) {
    if (value.compare(fileName_, pictures::kFileNameCase) == 0) {
        return;
    }
    fileName_ = value;
    fromFile_ = true;
    LoadPicture(true);
}

void TPicturePanel::SetScale(int value) {
    if (value == scale_ || value <= 0) {
        return;
    }
    scale_ = value;
    const TPicturePanelStyle effective = EffectiveStyle();
    if (effective == ppCentered || effective == ppTiled) {
        RepaintPanel();
    }
}

void TPicturePanel::SetTileXOffset(int value) {
    if (value != tileXOffset_) {
        tileXOffset_ = value;
        if (style_ == ppTiled) {
            RepaintPanel();
        }
    }
}

void TPicturePanel::SetTileYOffset(int value) {
    if (value != tileYOffset_) {
        tileYOffset_ = value;
        if (style_ == ppTiled) {
            RepaintPanel();
        }
    }
}

void TPicturePanel::SetController(TPicturePanelController* controller) {
    if (controller == controller_) {
        return;
    }
    if (controller_ != nullptr) {
        controller_->panels_.removeAll(this);
    }
    controller_ = controller;
    if (controller_ != nullptr) {
        controller_->panels_.append(this);
    }
    // Only a picture that came from a file is looked for in the new folder: one assigned directly
    // stays.
    if (fromFile_) {
        LoadPicture(false);
    } else {
        RepaintPanel();
    }
}

void TPicturePanel::Reload() {
    fromFile_ = true;
    LoadPicture(true);
}

void TPicturePanel::SetColor(const QColor& colour) {
    if (colour != color_) {
        color_ = colour;
        RepaintPanel();
    }
}

void TPicturePanel::SetBevelWidth(int value) {
    if (value != bevelWidth_ && value >= 0) {
        bevelWidth_ = value;
        RepaintPanel();
    }
}

void TPicturePanel::SetCaption(const QString& caption) {
    if (caption != caption_) {
        caption_ = caption;
        RepaintPanel();
    }
}

void TPicturePanel::FinishLoading() {
    if (caption_.toUpper().startsWith(QLatin1String("PIC"))) {
        SetCaption(QString());
    }
}

TPicturePanelStyle TPicturePanel::EffectiveStyle() const {
    if (controller_ != nullptr && controller_->Style() != pcPassive) {
        return static_cast<TPicturePanelStyle>(controller_->Style());
    }
    return style_;
}

QString TPicturePanel::FullPicturePath() const {
    // A name with its own folder is used as it is.
    if (QDir::isAbsolutePath(fileName_)) {
        return fileName_;
    }
    QString path = fileName_;
    if (controller_ != nullptr) {
        QString dir = pictures::WithoutTrailingSeparator(controller_->RunTimeDir()) + QLatin1Char('/');
        if (dir == QLatin1String("/")) {
            dir = pictures::ProgramFolder() + QStringLiteral("/images/");
        }
        path = dir + fileName_;
    }
    const QString global = pictures::GlobalPicturePath();
    if (!global.isEmpty()) {
        path = pictures::WithoutTrailingSeparator(global) + QLatin1Char('/') + fileName_;
    }
    return path;
}

void TPicturePanel::LoadPicture(bool lookAgain) {
    ++loads_;
    const QString path = FullPicturePath();
    if (!fileName_.isEmpty() && pictures::PictureFileExists(path, lookAgain)) {
        QImageReader reader(path);
        QImage loaded = reader.read();
        if (loaded.isNull()) {
            throw std::runtime_error(QStringLiteral("%1: %2").arg(path, reader.errorString()).toStdString());
        }
        picture_ = std::move(loaded);
    } else {
        picture_ = QImage();
    }
    RepaintPanel();
}

QRect TPicturePanel::InnerRect() const {
    const int inset = bevelWidth_ + frameSize_;
    return rect().adjusted(inset, inset, -inset, -inset);
}

void TPicturePanel::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), color_);
    if (bevelWidth_ > 0) {
        // A raised bevel: light on the top and left, dark on the bottom and right.
        const QColor light = color_.lighter(150);
        const QColor dark = color_.darker(200);
        for (int i = 0; i < bevelWidth_; ++i) {
            const QRect r = rect().adjusted(i, i, -i - 1, -i - 1);
            painter.setPen(light);
            painter.drawLine(r.topLeft(), r.topRight());
            painter.drawLine(r.topLeft(), r.bottomLeft());
            painter.setPen(dark);
            painter.drawLine(r.bottomLeft(), r.bottomRight());
            painter.drawLine(r.topRight(), r.bottomRight());
        }
    }
    if (!caption_.isEmpty()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(rect(), Qt::AlignCenter, caption_);
    }
    PaintPicture(painter);
}

void TPicturePanel::PaintPicture(QPainter& painter) const {
    if (picture_.isNull() || picture_.width() == 0 || picture_.height() == 0) {
        return;
    }
    const QRect inner = InnerRect();
    const int pw = picture_.width();
    const int ph = picture_.height();
    const int w = scale_ == 100 ? pw : pictures::RoundEven(pw * scale_ / 100.0);
    const int h = scale_ == 100 ? ph : pictures::RoundEven(ph * scale_ / 100.0);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    switch (EffectiveStyle()) {
        case ppScaled:
            painter.drawImage(inner, picture_);
            break;
        case ppCentered: {
            painter.setClipRect(inner);
            const int left = inner.left() + inner.width() / 2 - w / 2;
            const int top = inner.top() + inner.height() / 2 - h / 2;
            if (scale_ == 100) {
                painter.drawImage(left, top, picture_);
            } else if (w > 1 && h > 1) {
                painter.drawImage(QRect(left, top, w - 1, h - 1), picture_);
            }
            break;
        }
        case ppTiled: {
            // A tile narrower or lower than two pixels would step by nothing: it is not tiled.
            if (w < 1 || h < 1 || (scale_ != 100 && (w < 2 || h < 2))) {
                break;
            }
            painter.setClipRect(inner);
            int x0 = tileXOffset_ % w;
            if (x0 > 0) {
                x0 -= w;
            }
            int y0 = tileYOffset_ % h;
            if (y0 > 0) {
                y0 -= h;
            }
            const int stepX = scale_ == 100 ? pw : w - 1;
            const int stepY = scale_ == 100 ? ph : h - 1;
            const int right = inner.left() + inner.width();
            const int bottom = inner.top() + inner.height();
            for (int y = inner.top() + y0; y <= bottom; y += stepY) {
                for (int x = inner.left() + x0; x <= right; x += stepX) {
                    if (scale_ == 100) {
                        painter.drawImage(x, y, picture_);
                    } else {
                        painter.drawImage(QRect(x, y, w - 1, h - 1), picture_);
                    }
                }
            }
            break;
        }
        case ppNone:
        default:
            break;
    }
}

// --- TPicturePanelController ----------------------------------------------------------------------

TPicturePanelController::TPicturePanelController(QObject* parent) : QObject(parent) {}

TPicturePanelController::~TPicturePanelController() {
    for (TPicturePanel* panel : panels_) {
        panel->controller_ = nullptr;
    }
}

void TPicturePanelController::ReloadPanels() {
    for (TPicturePanel* panel : QList<TPicturePanel*>(panels_)) {
        if (panel->fromFile_) {
            panel->LoadPicture(false);
        } else {
            panel->RepaintPanel();
        }
    }
}

void TPicturePanelController::SetDesignTimeDir(const QString& dir) {
    designTimeDir_ = dir;
    ReloadPanels();
}

void TPicturePanelController::SetRunTimeDir(const QString& dir) {
    runTimeDir_ = dir;
    ReloadPanels();
}

void TPicturePanelController::SetStyle(TPicturePaneLControllerStyle style) {
    if (style != style_) {
        style_ = style;
        ReloadPanels();
    }
}

}  // namespace widgets
