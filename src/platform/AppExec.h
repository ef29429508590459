#pragma once

#include <QString>
#include <QStringList>
#include <stdexcept>

// Starting another program (a named web browser) with an argument vector: the executable, then each
// parameter with its single leading blank removed. No shell is involved, so a page path with blanks
// or quotes reaches the program as one argument.
namespace platform {

class EAppExec : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};
// The folder to start the program in cannot be used.
class EAppExecChDir : public EAppExec {
  public:
    using EAppExec::EAppExec;
};
// The program could not be started.
class EAppExecWinExec : public EAppExec {
  public:
    using EAppExec::EAppExec;
};

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

class TAppExec {
  public:
    static constexpr int kPollingWait = 999999;

    bool ChangeDir = true;
    QString ExeName;
    bool Wait = false;
    int WaitLen = 0;  // milliseconds; 0 waits without limit; kPollingWait keeps the window responsive

    int ErrNo() const { return errNo_; }
    const QString& ExePath() const { return exePath_; }
    // A trailing separator is removed, except from a root ("/", "\", "C:\").
    void SetExePath(const QString& path);
    const QStringList& ExeParams() const { return exeParams_; }
    void SetExeParams(const QStringList& params) { exeParams_ = params; }
    void AddExeParam(const QString& param) { exeParams_.append(param); }
    void ClearExeParams() { exeParams_.clear(); }
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState state) { windowState_ = state; }
    // The show command the window state asks for: 1 normal, 2 minimized, 3 maximized.
    int ShowCommand() const { return static_cast<int>(windowState_) + 1; }

    // The program's full path: ExePath joined with ExeName; a bare name without ExePath is looked up
    // on PATH. Empty when nothing is found.
    QString Program() const;
    // The argument vector after the program.
    QStringList Arguments() const;

    // Starts the program with its working directory set to ExePath (when ChangeDir); this program's
    // own current directory never changes. With Wait, waits as WaitLen says and sets ErrNo to 0.
    void Execute();

    // The text the launcher has for a result code.
    static QString ErrorText(int code);

  private:
    int errNo_ = -1;
    QString exePath_;
    QStringList exeParams_;
    TWindowState windowState_ = TWindowState::wsNormal;
};

}  // namespace platform
