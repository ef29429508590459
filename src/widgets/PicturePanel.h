#pragma once

#include <QColor>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QWidget>

namespace widgets {

enum TPicturePanelStyle { ppCentered, ppScaled, ppTiled, ppNone };
enum TPicturePaneLControllerStyle { pcCentered, pcScaled, pcTiled, pcNone, pcPassive };

class TPicturePanelController;

// A panel that paints a picture inside its bevel and frame: centred, stretched over its inside,
// tiled (optionally scaled and shifted), or not at all. The picture is assigned directly or loaded
// from FileName, resolved against the controller's folder or the folder "Images.txt" names. With no
// picture it paints like a plain panel in its colour.
class TPicturePanel : public QWidget {
  public:
    explicit TPicturePanel(QWidget* parent = nullptr);
    ~TPicturePanel() override;

    TPicturePanel(const TPicturePanel&) = delete;
    TPicturePanel& operator=(const TPicturePanel&) = delete;

    const QImage& Picture() const { return picture_; }
    // A picture assigned directly: FileName is cleared and the picture no longer counts as a file's.
    void SetPicture(const QImage& picture);

    int FrameSize() const { return frameSize_; }
    void SetFrameSize(int value);
    TPicturePanelStyle Style() const { return style_; }
    void SetStyle(TPicturePanelStyle value);
    const QString& FileName() const { return fileName_; }
    // A different name (letter case counts, as on this file system) is stored and loaded. A file
    // that exists but is no picture raises its loading error.
    void SetFileName(const QString& value);
    int Scale() const { return scale_; }
    // Percent; values that are not positive are ignored.
    void SetScale(int value);
    int TileXOffset() const { return tileXOffset_; }
    void SetTileXOffset(int value);
    int TileYOffset() const { return tileYOffset_; }
    void SetTileYOffset(int value);
    TPicturePanelController* Controller() const { return controller_; }
    void SetController(TPicturePanelController* controller);

    // Reads the picture from FileName again, looking again at a folder found missing before.
    void Reload();

    // The panel itself.
    const QColor& Color() const { return color_; }
    void SetColor(const QColor& colour);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int value);
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption);
    // Once the panel is set up: a caption beginning with "PIC" (in any case) is cleared.
    void FinishLoading();
    // Repaint requests are queued (true) or painted at once (false).
    bool FullRepaint = true;

    TPicturePanelStyle EffectiveStyle() const;
    // FileName with the folder it is looked for in.
    QString FullPicturePath() const;
    // The client rectangle less the bevel and FrameSize on every side.
    QRect InnerRect() const;
    bool PictureFromFile() const { return fromFile_; }
    // How often the picture was looked for, and how often a repaint was asked for.
    int LoadCount() const { return loads_; }
    int RepaintCount() const { return repaints_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    friend class TPicturePanelController;

    void LoadPicture(bool lookAgain);
    void RepaintPanel();
    void PaintPicture(class QPainter& painter) const;

    QImage picture_;
    int frameSize_ = 3;
    TPicturePanelStyle style_ = ppScaled;
    QString fileName_;
    int scale_ = 100;
    int tileXOffset_ = 0;
    int tileYOffset_ = 0;
    TPicturePanelController* controller_ = nullptr;
    bool fromFile_ = false;
    QColor color_{0xD4, 0xD0, 0xC8};
    int bevelWidth_ = 1;
    QString caption_;
    int loads_ = 0;
    int repaints_ = 0;
};

// Gives a group of panels one picture folder and one style. Changing either reloads the panels
// whose picture came from a file.
class TPicturePanelController : public QObject {
  public:
    explicit TPicturePanelController(QObject* parent = nullptr);
    ~TPicturePanelController() override;

    const QString& DesignTimeDir() const { return designTimeDir_; }
    void SetDesignTimeDir(const QString& dir);
    const QString& RunTimeDir() const { return runTimeDir_; }
    void SetRunTimeDir(const QString& dir);
    TPicturePaneLControllerStyle Style() const { return style_; }
    void SetStyle(TPicturePaneLControllerStyle style);

    const QList<TPicturePanel*>& Panels() const { return panels_; }

  private:
    friend class TPicturePanel;
    void ReloadPanels();

    QString designTimeDir_;
    QString runTimeDir_;
    TPicturePaneLControllerStyle style_ = pcPassive;
    QList<TPicturePanel*> panels_;
};

// The picture settings shared by every panel of the process: "Images.txt" in the program folder is
// read once, at the first panel's creation; its "path" line names a folder that overrides every
// controller's. A folder found missing is remembered and not looked at again, except by an explicit
// Reload or FileName write.
namespace pictures {

// Where "Images.txt" and the "images" folder are looked for: the program folder, which the window
// sets before its first panel is made (the executable's folder unless set).
void SetProgramFolder(const QString& folder);
QString ProgramFolder();
QString GlobalPicturePath();
bool SkipMissingDirectories();
void SetSkipMissingDirectories(bool on);
// How often "Images.txt" was read, and how often a folder was looked at.
int SettingsReads();
int DirectoryProbes();
// Forgets the settings read, the folders found missing and the counts.
void Reset();

}  // namespace pictures

}  // namespace widgets
