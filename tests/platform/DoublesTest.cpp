#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

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
    EXPECT_EQ(shell.OpenDocument("/a/report.txt"), 31);
    EXPECT_EQ(shell.OpenDocument("/a/index.htm"), 42);
    EXPECT_EQ(shell.Opened(), (QList<QString>{"/a/report.txt", "/a/index.htm"}));
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
    EXPECT_EQ(shell.OpenDocument(bin.path() + "/page.htm"), Shell::kNoApplication);
    qputenv("PATH", path);
    QFile asked(bin.path() + "/asked");
    ASSERT_TRUE(asked.open(QIODevice::ReadOnly));
    EXPECT_EQ(asked.readAll(), QByteArray("query default text/html "));
    EXPECT_FALSE(QFileInfo::exists(bin.path() + "/opened"));
}
