#pragma once

#include <QList>
#include <QString>
#include <deque>

// Opening a document with the desktop's default application.
namespace platform {

class Shell {
  public:
    // Answer codes of OpenDocument.
    static constexpr int kOpened = 42;
    static constexpr int kNoApplication = 31;

    virtual ~Shell() = default;
    // Opens the file; answers kOpened on success, kNoApplication when nothing could open it.
    virtual int OpenDocument(const QString& path) = 0;
};

// Opens documents through the desktop (QDesktopServices). Answers kNoApplication when the desktop
// has no launcher, or says that no application is associated with the file's type.
class DesktopShell : public Shell {
  public:
    static constexpr int kAssociationQueryMs = 3000;
    int OpenDocument(const QString& path) override;
};

// Records the documents it was asked to open and answers with queued codes (kOpened when none).
class RecordingShell : public Shell {
  public:
    void QueueAnswer(int code) { answers_.push_back(code); }
    const QList<QString>& Opened() const { return opened_; }
    int OpenDocument(const QString& path) override;

  private:
    QList<QString> opened_;
    std::deque<int> answers_;
};

}  // namespace platform
