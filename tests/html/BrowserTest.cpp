#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "TestSupport.h"
#include "html/OpenInBrowser.h"
#include "platform/AppExec.h"
#include "platform/ScriptedDialogs.h"
#include "settings/DefaultSettings.h"

using platform::TAppExec;

namespace {

// A small program that writes each of its arguments on a line of "args.txt" and its working folder
// into "cwd.txt", both in `out`, then sleeps for `sleep` seconds.
QString MakeRecorder(const QString& folder, const QString& out, int sleep = 0) {
    QDir().mkpath(folder);
    const QString path = folder + "/recorder";
    const QByteArray script = "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > '" +
                              out.toUtf8() + "/args.txt'\npwd > '" + out.toUtf8() + "/cwd.txt'\nsleep " +
                              QByteArray::number(sleep) + "\n";
    testsupport::WriteAll(path, script);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
}

bool WaitFor(const QString& path) {
    for (int i = 0; i < 200 && !QFileInfo::exists(path); ++i) {
        QTest::qWait(25);
    }
    return QFileInfo::exists(path);
}

class ThrowingShell : public platform::Shell {
  public:
    int OpenDocument(const QString&, const OpenFailed&) override { throw std::runtime_error("no desktop"); }
};

}  // namespace

TEST(AppExec, PathsAndErrorTexts) {
    TAppExec exec;
    EXPECT_EQ(exec.ErrNo(), -1);
    EXPECT_TRUE(exec.ChangeDir);
    EXPECT_EQ(exec.ShowCommand(), 1);
    exec.SetWindowState(platform::TWindowState::wsMaximized);
    EXPECT_EQ(exec.ShowCommand(), 3);
    for (const auto& [in, out] : {std::pair<QString, QString>{"C:\\", "C:\\"},
                                  {"C:\\Browser\\", "C:\\Browser"},
                                  {"\\", "\\"},
                                  {"/", "/"},
                                  {"/usr/bin/", "/usr/bin"},
                                  {"/usr/bin", "/usr/bin"}}) {
        exec.SetExePath(in);
        EXPECT_EQ(exec.ExePath(), out) << in.toStdString();
    }
    EXPECT_EQ(TAppExec::ErrorText(-1), QStringLiteral("No execution"));
    EXPECT_EQ(TAppExec::ErrorText(2), QStringLiteral("File was not found"));
    EXPECT_EQ(TAppExec::ErrorText(21), QStringLiteral("Application requires 32-bit extensions"));
    EXPECT_EQ(TAppExec::ErrorText(32), QStringLiteral("No error"));
    EXPECT_EQ(TAppExec::ErrorText(500), QStringLiteral("No error"));
    for (int unlisted : {1, 4, 7, 9, 17, 18, 22, 31, -2}) {
        EXPECT_TRUE(TAppExec::ErrorText(unlisted).isEmpty()) << unlisted;
    }
}

TEST(AppExec, APathWithBlanksAndQuotesArrivesAsOneArgumentInTheProgramsFolder) {
    QTemporaryDir dir;
    const QString program = MakeRecorder(dir.path() + "/my browser", dir.path());
    const QString before = QDir::currentPath();
    TAppExec exec;
    exec.SetExePath(dir.path() + "/my browser/");
    exec.ExeName = "recorder";
    exec.AddExeParam(" " + dir.path() + "/pages/it's a \"page\".htm");
    exec.Wait = true;
    exec.Execute();
    EXPECT_EQ(exec.ErrNo(), 0);
    EXPECT_EQ(testsupport::ReadAll(dir.path() + "/args.txt"),
              (dir.path() + "/pages/it's a \"page\".htm\n").toUtf8());
    EXPECT_EQ(testsupport::ReadAll(dir.path() + "/cwd.txt"), (dir.path() + "/my browser\n").toUtf8());
    EXPECT_EQ(QDir::currentPath(), before);  // this program's own folder never changes
    EXPECT_EQ(exec.Program(), program);

    // A time-out ends the program; the polling wait returns when it ends by itself.
    MakeRecorder(dir.path() + "/slow", dir.path(), 30);
    TAppExec slow;
    slow.SetExePath(dir.path() + "/slow");
    slow.ExeName = "recorder";
    slow.Wait = true;
    slow.WaitLen = 100;
    slow.Execute();
    EXPECT_EQ(slow.ErrNo(), 0);
    TAppExec polled;
    polled.SetExePath(dir.path() + "/my browser");
    polled.ExeName = "recorder";
    polled.Wait = true;
    polled.WaitLen = TAppExec::kPollingWait;
    polled.Execute();
    EXPECT_EQ(polled.ErrNo(), 0);
}

TEST(AppExec, AMissingProgramOrFolderRaisesItsError) {
    QTemporaryDir dir;
    TAppExec exec;
    exec.SetExePath(dir.path());
    exec.ExeName = "no-such-browser";
    try {
        exec.Execute();
        ADD_FAILURE() << "no error";
    } catch (const platform::EAppExecWinExec& e) {
        EXPECT_EQ(std::string(e.what()), "File was not found: no-such-browser");
    }
    EXPECT_EQ(exec.ErrNo(), 2);
    exec.SetExePath(dir.path() + "/missing");
    EXPECT_THROW(exec.Execute(), platform::EAppExecChDir);
    // A bare name is looked up on PATH.
    TAppExec sh;
    sh.ExeName = "sh";
    EXPECT_FALSE(sh.Program().isEmpty());
}

TEST(OpenInBrowser, TheDefaultApplicationOrTheNamedBrowserWithTheirMessages) {
    QTemporaryDir dir;
    settings::AppSettings s;
    settings::ApplyDefaultSettings(s, {"DejaVu Sans"}, dir.path() + "/");
    platform::ScriptedDialogs dialogs;
    platform::RecordingShell shell;
    const QString data = dir.path() + "/";
    const QString page = dir.path() + "/a page.htm";

    for (const QString& browser :
         {QString(), QString("  "), QString("<Use Default>"), QString("x<Use Default>y")}) {
        s.browser = browser;
        html::OpenInBrowser(page, html::BrowserMessages::Preview, s, data, shell, dialogs);
    }
    EXPECT_EQ(shell.Opened(), QStringList(4, page));
    EXPECT_TRUE(dialogs.History().isEmpty());

    // Nothing can open the file; the desktop call fails. Each message names the file on a last line.
    shell.QueueAnswer(platform::Shell::kNoApplication);
    html::OpenInBrowser(page, html::BrowserMessages::Preview, s, data, shell, dialogs);
    ThrowingShell broken;
    html::OpenInBrowser(page, html::BrowserMessages::Help, s, data, broken, dialogs);
    const QString noApplication =
        "Unable to preview the HTML using your default web browser, please specify a\r"
        "suitable web browser executable file e.g. \"<folder>iexplore.exe\" in the\r"
        "\"Folder and file of browser\" box.\r" +
        page;
    EXPECT_EQ(dialogs.Messages(),
              (QStringList{noApplication,
                           "Unable to display the HTML help file using your default web browser, please\r"
                           "specify a suitable web browser executable file e.g. \"<folder>iexplore.exe\"\r"
                           "in the \"Folder and file of browser\" box, or leave it blank in order to try\r"
                           "your Windows default browser.\r" +
                               page}));
    // The opening is under way when the opener fails afterwards: the same message then, once.
    dialogs.Clear();
    platform::RecordingShell later;
    html::OpenInBrowser(page, html::BrowserMessages::Preview, s, data, later, dialogs);
    EXPECT_TRUE(dialogs.History().isEmpty());
    later.FailOpenings();
    later.FailOpenings();
    EXPECT_EQ(dialogs.Messages(), QStringList{noApplication});

    // A named browser that is not there; help without its page.
    dialogs.Clear();
    s.browser = dir.path() + "/no-browser";
    html::OpenInBrowser(page, html::BrowserMessages::Preview, s, data, shell, dialogs);
    s.browser = MakeRecorder(dir.path() + "/bin", dir.path());
    html::OpenInBrowser(html::HelpPagePath(data), html::BrowserMessages::Help, s, data, shell, dialogs);
    EXPECT_EQ(dialogs.Messages(),
              (QStringList{"Unable to preview the HTML using the specified web browser, please\r"
                           "select the correct web browser executable file in the \"Folder and \r"
                           "file of browser\" box, or leave it blank in order to try your Windows\r"
                           "default browser.\r" +
                               page,
                           "Unable to display the HTML help file using the specified web browser,\r"
                           "please select the correct web browser executable file in the \"Folder\r"
                           "and file of browser\" box, or leave it blank in order to try your Windows\r"
                           "default browser.\r" +
                               data + "help.htm"}));
    EXPECT_FALSE(QFileInfo::exists(dir.path() + "/args.txt"));

    // The named browser gets the page as one argument.
    dialogs.Clear();
    html::OpenInBrowser(page, html::BrowserMessages::Preview, s, data, shell, dialogs);
    ASSERT_TRUE(WaitFor(dir.path() + "/cwd.txt"));
    EXPECT_EQ(testsupport::ReadAll(dir.path() + "/args.txt"), (page + "\n").toUtf8());
    EXPECT_TRUE(dialogs.History().isEmpty());
}
