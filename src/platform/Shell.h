#pragma once

#include <QList>
#include <QObject>
#include <QString>
#include <deque>
#include <functional>

// Opening a document with the desktop's default application.
namespace platform {

class Shell {
  public:
    // Answer codes of OpenDocument.
    static constexpr int kOpened = 42;
    static constexpr int kNoApplication = 31;

    // What an opening that was answered kOpened does when it fails afterwards: the desktop's opener
    // ends with a failure after the answer was given. Called from the event loop.
    using OpenFailed = std::function<void()>;

    virtual ~Shell() = default;
    // Opens the file; answers kOpened when the opening is under way, kNoApplication when nothing
    // could open it. `failed` runs when the opening fails after kOpened.
    virtual int OpenDocument(const QString& path, const OpenFailed& failed) = 0;
};

// Opens documents through the desktop's opener, "xdg-open" (QDesktopServices where there is none).
// Answers kNoApplication when the desktop says that no application is associated with the file's
// type or the opener cannot be started; an opener that ends with a failure calls `failed`. The opener
// is not waited for: it may run the application it starts until that ends.
class DesktopShell : public Shell {
  public:
    static constexpr int kAssociationQueryMs = 3000;
    static constexpr int kOpenerStartMs = 3000;
    DesktopShell() = default;
    DesktopShell(const DesktopShell&) = delete;
    DesktopShell& operator=(const DesktopShell&) = delete;
    ~DesktopShell() override;
    int OpenDocument(const QString& path, const OpenFailed& failed) override;
    // How many openers are still running.
    int RunningOpeners() const;

  private:
    // Parent of the running openers; an opener left running when the shell goes is ended with it.
    QObject openers_;
};

// Records the documents it was asked to open and answers with queued codes (kOpened when none).
// FailOpenings() then fails every opening answered kOpened, as an opener that ends with a failure.
class RecordingShell : public Shell {
  public:
    void QueueAnswer(int code) { answers_.push_back(code); }
    const QList<QString>& Opened() const { return opened_; }
    int OpenDocument(const QString& path, const OpenFailed& failed) override;
    void FailOpenings();

  private:
    QList<QString> opened_;
    std::deque<int> answers_;
    QList<OpenFailed> pending_;
};

}  // namespace platform
