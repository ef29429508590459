#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "TestSupport.h"
#include "platform/ScriptedDialogs.h"
#include "platform/Shell.h"

using namespace platform;

TEST(ScriptedDialogs, AnswersFromItsQueuesAndRecordsEveryBox) {
    ScriptedDialogs d;
    d.QueueConfirm(ConfirmAnswer::NoToAll);
    d.QueueColour(0x00123456u);
    d.QueueOpenFile(QStringLiteral("/x/a.bmp"));
    d.ShowMessage("first\rline");
    EXPECT_EQ(d.Confirm("overwrite?"), ConfirmAnswer::NoToAll);
    EXPECT_EQ(d.Confirm("again?"), ConfirmAnswer::Yes);  // nothing queued: the default button
    EXPECT_EQ(d.ChooseColour(0x00C0FFEEu), std::optional<std::uint32_t>(0x00123456u));
    EXPECT_EQ(d.ChooseColour(0), std::nullopt);  // nothing queued: cancelled
    EXPECT_EQ(d.History().back().detail, QStringLiteral("00000000"));
    EXPECT_EQ(d.History()[d.History().size() - 2].detail, QStringLiteral("00C0FFEE"));
    EXPECT_EQ(d.ChooseOpenFile({"Pick", "a.bmp", "/x", {}, ".bmp"}), std::optional<QString>("/x/a.bmp"));
    EXPECT_EQ(d.ChooseFolder("Where", "/start"), std::nullopt);
    d.ShowError("bad");
    EXPECT_EQ(d.Messages(), (QStringList{"first\rline", "bad"}));
    ASSERT_EQ(d.History().size(), 8);
    EXPECT_EQ(d.History()[5].kind, ScriptedDialogs::Kind::OpenFile);
    EXPECT_EQ(d.History()[5].detail, QStringLiteral("a.bmp"));
    EXPECT_EQ(d.History()[6].detail, QStringLiteral("/start"));
}

TEST(ScriptedDialogs, ConfirmAnswersKeepTheirCodes) {
    EXPECT_EQ(static_cast<int>(ConfirmAnswer::Yes), 6);
    EXPECT_EQ(static_cast<int>(ConfirmAnswer::No), 7);
    EXPECT_EQ(static_cast<int>(ConfirmAnswer::NoToAll), 9);
    EXPECT_EQ(static_cast<int>(ConfirmAnswer::YesToAll), 10);
}

TEST(RecordingShell, RecordsDocumentsAndAnswersQueuedCodes) {
    RecordingShell shell;
    shell.QueueAnswer(Shell::kNoApplication);
    QStringList failed;
    const auto failing = [&failed](const QString& path) { return [&failed, path] { failed.append(path); }; };
    EXPECT_EQ(shell.OpenDocument("/a/report.txt", failing("/a/report.txt")), 31);
    EXPECT_EQ(shell.OpenDocument("/a/index.htm", failing("/a/index.htm")), 42);
    EXPECT_EQ(shell.Opened(), (QList<QString>{"/a/report.txt", "/a/index.htm"}));
    // Only the opening that was under way fails afterwards, once.
    shell.FailOpenings();
    shell.FailOpenings();
    EXPECT_EQ(failed, QStringList{"/a/index.htm"});
}

namespace {

// A folder of stand-ins for the desktop's own tools, put first on PATH while it lives.
class StandInTools {
  public:
    StandInTools() : path_(qgetenv("PATH")) { qputenv("PATH", bin_.path().toUtf8() + ":" + path_); }
    ~StandInTools() { qputenv("PATH", path_); }
    StandInTools(const StandInTools&) = delete;
    StandInTools& operator=(const StandInTools&) = delete;

    QString Folder() const { return bin_.path(); }
    // An executable script `name` whose first line is `interpreter` (a shell unless said).
    void Script(const QString& name, const QByteArray& body, const QByteArray& interpreter = "#!/bin/sh") {
        const QString path = bin_.path() + "/" + name;
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(interpreter + "\n" + body);
        f.close();
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

  private:
    QTemporaryDir bin_;
    QByteArray path_;
};

}  // namespace

TEST(DesktopShell, TheOpenersFailureComesAfterTheAnswerAndAnOpenerThatCannotStartAnswersThirtyOne) {
    StandInTools tools;
    const QByteArray folder = tools.Folder().toUtf8();
    // The desktop knows a browser for pages; the opener records its argument, then ends as told.
    tools.Script("xdg-mime", "echo browser.desktop\n");
    int failures = 0;
    const auto open = [&](DesktopShell& shell, const QString& page) {
        return shell.OpenDocument(page, [&failures] { ++failures; });
    };
    for (const int status : {4, 0, 3}) {
        tools.Script("xdg-open", "printf '%s' \"$1\" > '" + folder + "/opened'\nexit " +
                                     QByteArray::number(status) + "\n");
        DesktopShell shell;
        const int before = failures;
        EXPECT_EQ(open(shell, tools.Folder() + "/a page.htm"), Shell::kOpened) << status;
        EXPECT_EQ(failures, before) << status;  // not known yet: the opener is not waited for
        ASSERT_TRUE(QTest::qWaitFor([&shell] { return shell.RunningOpeners() == 0; })) << status;
        QCoreApplication::processEvents();
        EXPECT_EQ(failures - before, status == 0 ? 0 : 1) << status;
        EXPECT_EQ(testsupport::ReadAll(tools.Folder() + "/opened"), folder + "/a page.htm") << status;
    }
    EXPECT_EQ(failures, 2);

    // An opener that cannot be started (its interpreter is missing): nothing could open the file.
    tools.Script("xdg-open", "exit 0\n", "#!/no/such/interpreter");
    DesktopShell shell;
    EXPECT_EQ(open(shell, tools.Folder() + "/page.htm"), Shell::kNoApplication);
    EXPECT_EQ(shell.RunningOpeners(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(failures, 2);  // answered, not called as well

    // A shell that goes while its opener runs ends the opener without calling anyone.
    tools.Script("xdg-open", "exec sleep 30\n");
    {
        DesktopShell leaving;
        EXPECT_EQ(open(leaving, tools.Folder() + "/page.htm"), Shell::kOpened);
        EXPECT_EQ(leaving.RunningOpeners(), 1);
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(failures, 2);
}

TEST(DesktopShell, NoAssociatedApplicationAnswersThirtyOne) {
    QTemporaryDir bin;
    const auto script = [&](const QString& name, const QByteArray& body) {
        const QString path = bin.path() + "/" + name;
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n" + body);
        f.close();
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    // The desktop's own tools, standing in: the association query knows of no application, the
    // launcher records what it was asked to open. (Whether the launcher then opens the file is the
    // window system's to say; the offscreen platform of the tests opens nothing.)
    script("xdg-mime", "printf '%s ' \"$@\" > '" + bin.path().toUtf8() + "/asked'\n");
    script("xdg-open", "printf '%s' \"$1\" > '" + bin.path().toUtf8() + "/opened'\n");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toUtf8() + ":" + path);
    DesktopShell shell;
    EXPECT_EQ(shell.OpenDocument(bin.path() + "/page.htm", {}), Shell::kNoApplication);
    qputenv("PATH", path);
    QFile asked(bin.path() + "/asked");
    ASSERT_TRUE(asked.open(QIODevice::ReadOnly));
    EXPECT_EQ(asked.readAll(), QByteArray("query default text/html "));
    EXPECT_FALSE(QFileInfo::exists(bin.path() + "/opened"));
}
