#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

#include "platform/Dialogs.h"

namespace widgets {

// The program's modal boxes and choosers on Qt. Message texts keep their single CR line breaks; each
// CR is shown as a new line.
class QtDialogs : public platform::Dialogs {
  public:
    // `title` is the application's title, used by plain message boxes; boxes are modal to `parent`.
    explicit QtDialogs(QString title, QWidget* parent = nullptr);

    void SetParent(QWidget* parent) { parent_ = parent; }

    void ShowMessage(const QString& text) override;
    void ShowError(const QString& text) override;
    platform::ConfirmAnswer Confirm(const QString& text) override;
    std::optional<std::uint32_t> ChooseColour(std::uint32_t initial) override;
    std::optional<QString> ChooseOpenFile(const platform::OpenFileRequest& request) override;
    std::optional<QString> ChooseSaveFile(const platform::OpenFileRequest& request) override;
    std::optional<QString> ChooseFolder(const QString& caption, const QString& startFolder) override;

    // A message text as the box shows it: single CRs become line feeds.
    static QString DisplayText(const QString& text);

    // The program is ending: every open box or chooser is closed as by Escape, and from now on
    // none is shown; each is answered as if it had been closed that way.
    void CloseAll();
    bool Closed() const { return closed_; }

  private:
    std::optional<QString> ChooseFile(const platform::OpenFileRequest& request, bool save);
    QString title_;
    QPointer<QWidget> parent_;
    bool closed_ = false;
};

}  // namespace widgets
