#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

namespace output {

// What the batch needs from whoever owns the two rendering buttons (the main window's previews).
class ButtonRenderer {
  public:
    virtual ~ButtonRenderer() = default;

    // Applies both button types' settings to the two buttons, caption 1 on the type 1 button and
    // caption 2 on the type 2 button, leaving both faces finished.
    virtual void ApplyButtonSettings(const QString& caption1, const QString& caption2) = 0;

    // The size the type's button (1 or 2) would have for each caption under the current settings,
    // without rendering: a batch measures every caption before it writes a file.
    virtual QList<QSize> FaceSizes(int type, const QStringList& captions) = 0;

    // Renders the file picture of a type (1 or 2) for a caption, as the buttons show it after
    // ApplyButtonSettings; safe to call from several threads at once.
    using FaceRender = std::function<QImage(int type, const QString& caption)>;

    // Applies the current settings and answers a renderer of both types' faces under them, fixed for a
    // batch: later changes to the settings or the buttons do not reach it. With a `scale` of 2 the
    // faces are those for high-density screens: drawn afresh at exactly twice the size.
    virtual FaceRender BatchFaces(int scale) = 0;
};

}  // namespace output
